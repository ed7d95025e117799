// The special roller shoe: a2 from the bearing rows, the check of the data fields and
// the take-over into memory.
#include <gtest/gtest.h>

#include "core/common/Errors.h"
#include "core/common/Messages.h"
#include "core/common/Session.h"
#include "core/special/SonderCore.h"

// Readable failure output for texts.
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

class SonderCore : public ::testing::Test {
 protected:
  msg::Recorder rec;
  Session session;

  // A complete entry: field i holds a distinct non-zero number (fields 0..3 texts).
  static QStringList entry() {
    QStringList f = {"SRS", "25", "KS25-1", "RS25-1"};
    for (int i = 4; i < sonder::kFieldCount; ++i) f << QString::number(100 + i);
    return f;
  }
};

TEST_F(SonderCore, OuterBearingDistanceFromTheRows) {
  EXPECT_FLOAT_EQ(Ber_A2(20, 60, 0, 0, 4), 60.0f);
  EXPECT_FLOAT_EQ(Ber_A2(20, 40, 60, 0, 6), 50.0f);
  EXPECT_FLOAT_EQ(Ber_A2(20, 40, 60, 80, 8), 70.0f);
  // Two places, ties to the even neighbour: 40.125 -> 40.12.
  EXPECT_FLOAT_EQ(Ber_A2(20, 40, 40.25f, 0, 6), 40.12f);
}

TEST_F(SonderCore, OuterBearingDistanceThatCannotBeDerivedIsZero) {
  EXPECT_EQ(Ber_A2(0, 60, 0, 0, 4), 0.0f);
  EXPECT_EQ(Ber_A2(20, 0, 60, 0, 6), 0.0f);
  EXPECT_EQ(Ber_A2(20, 40, 60, 80, 0), 0.0f);
  EXPECT_EQ(Ber_A2(20, 40, 0, 0, 6), 0.0f);
  EXPECT_EQ(Ber_A2(20, 40, 60, 80, 5), 0.0f);
}

TEST_F(SonderCore, BearingsList) {
  EXPECT_EQ(sonder::bearingsIndex("4"), 0);
  EXPECT_EQ(sonder::bearingsIndex("6"), 1);
  EXPECT_EQ(sonder::bearingsIndex("8"), 2);
  EXPECT_EQ(sonder::bearingsIndex("5"), -1);
  EXPECT_EQ(sonder::bearingsText(2), "8");
}

TEST_F(SonderCore, OneCharacterSizeIsRefused) {
  QStringList f = entry();
  f[1] = "8";
  EXPECT_EQ(takeOverSonder(session, f, 0, "N"), 1);
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].text,
            "In dem Eingabefeld: \"Größe\" wurden keine Daten eingegeben.\n"
            "Bitte überprüfen Sie Ihre Eingabe!");
  EXPECT_EQ(rec.messages[0].title, "Datenübernahme abgebrochen");
  EXPECT_EQ(rec.messages[0].icon, msg::Icon::Critical);
  EXPECT_EQ(session.gintAnzSonder, 0);
  EXPECT_TRUE(session.gastrSonderGeo.isEmpty());
  EXPECT_EQ(session.gastrSonderEingabe.size(), 1);
}

TEST_F(SonderCore, FirstZeroFieldIsNamed) {
  QStringList f = entry();
  f[5] = "0";
  f[9] = "0";
  EXPECT_EQ(takeOverSonder(session, f, 0, "N"), 5);
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].text,
            "In dem Eingabefeld: \"Tragzahl Statisch [Co]\" wurden keine Daten eingegeben.\n"
            "Bitte überprüfen Sie Ihre Eingabe!");
  f[5] = "0,0";  // still zero
  rec.clear();
  EXPECT_EQ(takeOverSonder(session, f, 0, "N"), 5);
  EXPECT_EQ(session.gintAnzSonder, 0);
}

TEST_F(SonderCore, EmptyNumberFieldIsNamedLikeAZeroOne) {
  QStringList f = entry();
  f[6] = "";
  EXPECT_EQ(takeOverSonder(session, f, 0, "N"), 6);
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].text,
            "In dem Eingabefeld: \"Lagerdurchmesser [D]\" wurden keine Daten eingegeben.\n"
            "Bitte überprüfen Sie Ihre Eingabe!");
  EXPECT_EQ(rec.messages[0].title, "Datenübernahme abgebrochen");
  EXPECT_EQ(session.gintAnzSonder, 0);
}

TEST_F(SonderCore, RefusalReadsTheSameInTheCustomerTextSet) {
  // The customer text set replaces only a few titles and contact texts; the refusal,
  // its title and the field labels always come from the built-in texts.
  session.gintTextMode = 3;
  session.gastrSettings = {{"100", "Kundenprogramm"}, {"331", "Anders"}, {"351", "Maß"}};
  QStringList f = entry();
  f[1] = "8";
  EXPECT_EQ(takeOverSonder(session, f, 0, "N"), 1);
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].text,
            "In dem Eingabefeld: \"Größe\" wurden keine Daten eingegeben.\n"
            "Bitte überprüfen Sie Ihre Eingabe!");
  EXPECT_EQ(rec.messages[0].title, "Datenübernahme abgebrochen");
}

TEST_F(SonderCore, RailFieldWithoutNumberShowsTheErrorWithoutTitle) {
  QStringList f = entry();
  f[22] = "breit";
  EXPECT_EQ(takeOverSonder(session, f, 0, "N"), 22);
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].text, err::typeMismatch());
  EXPECT_TRUE(rec.messages[0].title.isEmpty());
  EXPECT_EQ(rec.messages[0].icon, msg::Icon::Critical);
  EXPECT_EQ(session.gintAnzSonder, 0);
  EXPECT_TRUE(session.gastrSonderAusw.isEmpty());
}

TEST_F(SonderCore, TakeOverFillsBothLayoutsAndTheEntryMemory) {
  const QStringList f = entry();
  EXPECT_EQ(takeOverSonder(session, f, 1, "K"), -1);
  EXPECT_TRUE(rec.messages.isEmpty());
  const Session &s = session;
  EXPECT_EQ(s.gintAnzSonder, 1);
  // Geometry: Serie Gr a1 a2 b1 b2 h1 h2 AnzR FD FE B bI
  EXPECT_EQ(s.gastrSonderGeo, QStringList({"SRS", "25", f[7], f[8], f[9], f[10], f[13], f[14],
                                           "6", "SRS", "SRS", f[11], f[12]}));
  // Evaluation: Serie Gr C Co Ls D TypR FD FDBest KBs FE FEBest KB1, "X" as FE.
  EXPECT_EQ(s.gastrSonderAusw, QStringList({"SRS", "25", f[4], f[5], f[15], f[6], "K", "SRS",
                                            "KS25-1", f[16], "X", "RS25-1", f[20]}));
  EXPECT_EQ(s.gastrSonderAusw[10], "X");
  QStringList memory = f;
  memory << "1" << "K";
  EXPECT_EQ(s.gastrSonderEingabe, memory);
}

}  // namespace
