// The printed force table that the evaluation, the report and the export show.
#include <gtest/gtest.h>

#include "core/common/Errors.h"
#include "core/common/Messages.h"
#include "core/common/Session.h"
#include "core/common/Numbers.h"
#include "core/loads/ForceText.h"

// Readable failure output for texts.
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

class ForceText : public ::testing::Test {
 protected:
  void SetUp() override { num::setLocale(QLocale(QLocale::German, QLocale::Germany)); }
  void TearDown() override { num::setLocale(QLocale(QLocale::German, QLocale::Germany)); }
  msg::Recorder rec;
  Session session;
};

TEST_F(ForceText, RowPrintsForceInNewtonAndCoordinatesInMillimetresGerman) {
  const QStringList row = loads::formatForceRow({"Z +", "1500", "10", "-20", "0"});
  EXPECT_EQ(row, QStringList({"Z +", "1.500 N", "10 mm", "-20 mm", "0 mm"}));
}

TEST_F(ForceText, TypedDecimalsAndGroupingAreReadInTheLocale) {
  // The value typed with a decimal comma is rounded for printing; a typed group
  // separator is still the same number.
  EXPECT_EQ(loads::formatForceRow({"- X", "2.500,6", "0,4", "1234,5", "-0,4"}),
            QStringList({"- X", "2.501 N", "0 mm", "1.235 mm", "0 mm"}));
}

TEST_F(ForceText, EnglishLocaleGroupsWithComma) {
  num::setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
  EXPECT_EQ(loads::formatForceRow({"Y +", "12345.4", "-1500", "0", "7"}),
            QStringList({"Y +", "12,345 N", "-1,500 mm", "0 mm", "7 mm"}));
}

TEST_F(ForceText, UnreadableOrEmptyCellIsATypeMismatch) {
  try {
    loads::formatForceRow({"Z +", "1000", "abc", "0", "0"});
    FAIL() << "no error";
  } catch (const AppError &e) {
    EXPECT_EQ(e.description(), err::typeMismatch());
  }
  EXPECT_THROW(loads::formatForceRow({"Z +", "", "0", "0", "0"}), AppError);
  EXPECT_THROW(loads::formatForceTable({{"Z +", "1", "0", "0", "0"}, {"- Z", "1", "0", "0"}}),
               AppError);
}

TEST_F(ForceText, SetForceRowsReplacesTheWholeTable) {
  session.gastrForce = {{"old", "old", "old", "old", "old"}, {"old"}, {"old"}};
  ASSERT_TRUE(gsubSetForceRows(session, {{"Z +", "1500", "10", "-20", "0"}, {"X +", "3", "0", "5", "0"}}));
  ASSERT_EQ(session.gastrForce.size(), 2);
  EXPECT_EQ(session.gastrForce[0], QStringList({"Z +", "1.500 N", "10 mm", "-20 mm", "0 mm"}));
  EXPECT_EQ(session.gastrForce[1], QStringList({"X +", "3 N", "0 mm", "5 mm", "0 mm"}));
  EXPECT_TRUE(rec.messages.isEmpty());
}

TEST_F(ForceText, SetForceRowsStopsAtTheBadCellWithItsMessage) {
  EXPECT_FALSE(gsubSetForceRows(session, {{"Z +", "1500", "10", "-20", "0"}, {"X +", "3", "x", "5", "0"}}));
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].title, "gsubSetForce!");
  EXPECT_EQ(rec.messages[0].text, err::typeMismatch());
  EXPECT_EQ(rec.messages[0].icon, msg::Icon::Critical);
  // Sized to the grid, filled as far as it got.
  ASSERT_EQ(session.gastrForce.size(), 2);
  EXPECT_EQ(session.gastrForce[0][1], "1.500 N");
  EXPECT_EQ(session.gastrForce[1], QStringList({"X +", "3 N", "", "", ""}));
}

}  // namespace
