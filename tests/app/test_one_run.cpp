// A calculation file opened onto the screens (filled in, "Weiter", ticked, "Berechnen" of
// the evaluation) leaves the same typed rows as the whole run of the batch tool gives
// for the same file, for every arrangement with load cases and a duty cycle; a load type
// whose required safety cannot be read gives no verdict on the screens either.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QRadioButton>
#include <QTemporaryDir>
#include <memory>

#include "app/CalcFiles.h"
#include "app/FrmStart.h"
#include "core/catalogue/StartSession.h"
#include "core/common/Messages.h"
#include "core/common/Session.h"
#include "core/common/Texts.h"
#include "core/document/CaseFile.h"
#include "core/run/CalculationRun.h"
#include "support/LoadCaseDutyCase.h"
#include "support/TestCatalogue.h"
#include "app/CalcFilesFixture.h"
#include "ui/arrangements/FrmArrangement.h"
#include "ui/common/AppServices.h"
#include "ui/common/FileMenu.h"
#include "ui/evaluation/FrmAuswertung.h"
#include "ui/report/ReportHooks.h"

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

using testsupport::kArrangementScreens;
using testsupport::loadCaseDutyCase;

class OneRun : public CalcFiles {
 protected:
  // The whole run on a freshly started session over the same catalogue, as the batch
  // tool runs a case (`adjust` changes the started session first).
  run::Result wholeRun(const QString &path, void (*adjust)(Session &) = nullptr) {
    calcfile::Case c;
    calcfile::Error e;
    EXPECT_TRUE(calcfile::readFile(path, &c, &e)) << e.english.toStdString();
    Session s = session.afresh();
    msg::Recorder recorder;
    startSession(s);
    if (adjust) adjust(s);
    return run::calculateCase(s, c, *arrangementByScreen(c.arrangement), {});
  }
};

TEST_F(OneRun, FileOntoTheScreensGivesTheTypedRowsOfTheWholeRun) {
  for (const char *screen : kArrangementScreens) {
    SCOPED_TRACE(screen);
    const QString path = write(QString::fromLatin1(screen) + ".tcalc", loadCaseDutyCase(screen, 1));
    QWidget *from = start ? static_cast<QWidget *>(start) : evaluationScreen();
    ASSERT_TRUE(calcfiles::openFile(session, path, from));
    QCoreApplication::processEvents();
    EXPECT_TRUE(rec.messages.isEmpty()) << rec.messages.value(0).text.toStdString();
    ASSERT_TRUE(evaluationScreen());

    const run::Result whole = wholeRun(path);
    ASSERT_FALSE(whole.results.isEmpty());
    ASSERT_EQ(whole.evaluation.size(), whole.results.size());
    EXPECT_EQ(session.resultRows, whole.results);
    EXPECT_EQ(session.gastrEvaluation, whole.evaluation);
    EXPECT_EQ(whole.results.first().caseLoads.size(), 2);
    EXPECT_TRUE(whole.evaluation.first().detail.lifeYears.has_value());
  }
}

void unreadableSwSiko(Session &s) {
  for (QStringList &row : s.gastrSettings)
    if (row.value(0) == QLatin1String("SwSiko")) row[1] = QStringLiteral("zwei");
}

TEST_F(OneRun, UnreadableRequiredSafetyGivesNoVerdictOnTheScreens) {
  unreadableSwSiko(session);
  ASSERT_GT(session.gsngSiko, 0.0f) << "the start's safety of load type 0";
  const QString path = write("schwellend.tcalc", loadCaseDutyCase("FrmVKaZDSch", 1));
  ASSERT_TRUE(calcfiles::openFile(session, path, start));
  QCoreApplication::processEvents();
  FrmAuswertung *ev = evaluationScreen();
  ASSERT_TRUE(ev);
  EXPECT_TRUE(ev->OptBelArt(1)->isChecked()) << "the load type the file chose";
  EXPECT_EQ(session.gsngSiko, 0.0f);
  EXPECT_EQ(session.gastrEvaluation, QVector<EvaluationRow>{EvaluationRow()});
  QStringList titles;
  for (const msg::Message &m : rec.messages) titles << m.title;
  EXPECT_EQ(titles, QStringList({"gfstrSettings!", "OptBelArt_Click!", "CmdBerechnen_Click!"}));

  const run::Result whole = wholeRun(path, unreadableSwSiko);
  EXPECT_TRUE(whole.evaluationRefused);
  EXPECT_EQ(session.resultRows, whole.results);
}

}  // namespace
