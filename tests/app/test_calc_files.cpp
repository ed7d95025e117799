// Calculation files on real screens: for each arrangement a file opens onto its screens
// (filled in, calculated, ticked and evaluated), is saved again through the menu "Datei"
// and reopened with the same input, results and report, and the batch tool gives the
// same output for the file it was made from and the file the screens saved. Bad files
// are refused with a message naming the file and the problem while the screens stay as
// they were; unknown keys survive a save; the title carries the file name and the
// modified mark; recent files and dropped files open; the evaluation screen writes its
// printout as a PDF.
#include <gtest/gtest.h>

#include <QComboBox>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <memory>

#include "core/common/Numbers.h"
#include "support/Children.h"
#include "support/JsonList.h"
#include "app/CalcFiles.h"
#include "app/FrmStart.h"
#include "ui/arrangements/FrmArrangement.h"
#include "core/evaluation/EvaluationTexts.h"
#include "core/catalogue/Catalogue.h"
#include "ui/common/AppServices.h"
#include "core/document/CalcDocument.h"
#include "ui/common/DocumentWindows.h"
#include "core/document/CaseFile.h"
#include "ui/common/FileMenu.h"
#include "core/common/Messages.h"
#include "core/common/Session.h"
#include "core/common/Texts.h"
#include "ui/evaluation/FrmAuswertung.h"
#include "ui/loads/ForceGrid.h"
#include "ui/loads/LoadCaseTabs.h"
#include "ui/loads/MotionDialog.h"
#include "core/evaluation/Evaluation.h"
#include "ui/report/FrmAusdruck.h"
#include "support/PdfText.h"
#include "ui/report/ReportHooks.h"
#include "output/report/ReportText.h"
#include "support/TestCatalogue.h"
#include "app/CalcFilesFixture.h"

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

using testsupport::child;
using testsupport::listOf;



QStringList gridCells(const QTableWidget *grid) {
  QStringList out;
  for (int r = 0; r < grid->rowCount(); ++r)
    for (int c = 0; c < grid->columnCount(); ++c) out << (grid->item(r, c) ? grid->item(r, c)->text() : QString());
  return out;
}

// The "evaluation" rows of the batch tool's output.
TextRows evaluationRows(const QByteArray &batchOut) {
  TextRows rows;
  for (const QJsonValue &row : QJsonDocument::fromJson(batchOut).object().value("evaluation").toArray()) {
    QStringList fields;
    for (const QJsonValue &f : row.toArray()) fields << f.toString();
    rows << fields;
  }
  return rows;
}

QAction *action(QWidget *screen, const QString &name) { return screen->findChild<QAction *>(name); }


struct Example {
  const char *screen;
  const char *m;
  const char *n;
  QJsonValue ticked;
};

const Example kExamples[] = {
    {"FrmEKaEDSch", "", "", QStringLiteral("all")},
    {"FrmERoEESch", "", "120", QJsonArray{QJsonArray{"TLS", "20"}, QJsonArray{"TLH", "25"}}},
    {"FrmZKaEDSch", "300", "", QStringLiteral("all")},
    {"FrmZKaZDSch", "", "250", listOf(QJsonArray{"TLS", "25"})},
    {"FrmVKaZDSch", "400", "300", QStringLiteral("all")},
    {"FrmZRoEESch", "350", "150", QStringLiteral("all")},
};

QJsonObject exampleCase(const Example &e) {
  QJsonObject o{{"format", "tarvelcalc-case"},
                {"version", 1},
                {"arrangement", e.screen},
                {"forces", QJsonArray{QJsonArray{"- Z", "2500", "50", "-30", "0"},
                                      QJsonArray{"X +", "600", "0", "0", "150"}}},
                {"loadType", 1},
                {"ticked", e.ticked},
                {"comments", QJsonArray{"Kunde Muster", "Anlage 7", "", "", "", ""}}};
  if (*e.m) o.insert("m", e.m);
  if (*e.n) o.insert("n", e.n);
  return o;
}

// Everything a calculation shows: the input, the results of every series, the
// evaluation grid and the report.
struct Shown {
  QString m, n;
  TextRows forces, results, evaluation;
  QStringList grid;
  int loadType = -1;
  QString report;
  bool operator==(const Shown &) const = default;
};

Shown shownOn(FrmArrangement *arr, FrmAuswertung *ev) {
  const Session &session = arr->session();
  Shown s;
  if (arr->findChild<QLineEdit *>("Tb_m")) s.m = child<QLineEdit>(arr, "Tb_m")->text();
  if (arr->findChild<QLineEdit *>("Tb_n")) s.n = child<QLineEdit>(arr, "Tb_n")->text();
  s.forces = child<ForceGrid>(arr, "MSFlexGrid1")->dataRows();
  s.results = session.gastrResult;
  s.evaluation = eval::fieldRows(session.gastrEvaluation);
  if (ev) {
    s.grid = gridCells(ev->MSFlexGrid1());
    for (int i = 0; i < 3; ++i)
      if (ev->OptBelArt(i)->isChecked()) s.loadType = i;
  }
  s.report = report::reportText(session, report::German);
  return s;
}

TEST_F(CalcFiles, EveryArrangementGoesFromFileToScreenToFileToScreenUnchanged) {
  for (const Example &e : kExamples) {
    SCOPED_TRACE(e.screen);
    const QString original = write(QString::fromLatin1(e.screen) + ".tcalc", exampleCase(e));
    QWidget *from = start ? static_cast<QWidget *>(start) : evaluationScreen();
    ASSERT_TRUE(calcfiles::openFile(session, original, from));
    settle();
    EXPECT_TRUE(rec.messages.isEmpty()) << rec.messages.value(0).text.toStdString();
    EXPECT_TRUE(start.isNull());
    FrmAuswertung *ev = evaluationScreen();
    ASSERT_TRUE(ev) << "sizes are ticked: on to the evaluation";
    auto *arr = qobject_cast<FrmArrangement *>(ev->mfrmMasterForm());
    ASSERT_TRUE(arr);
    EXPECT_EQ(arr->objectName(), e.screen);
    EXPECT_TRUE(arr->isHidden());
    const Shown first = shownOn(arr, ev);
    EXPECT_EQ(first.m, e.m);
    EXPECT_EQ(first.n, e.n);
    EXPECT_EQ(first.forces, TextRows({{"- Z", "2500", "50", "-30", "0"}, {"X +", "600", "0", "0", "150"}}));
    EXPECT_EQ(first.loadType, 1);
    EXPECT_FALSE(first.grid.isEmpty());
    EXPECT_FALSE(first.evaluation.isEmpty());
    EXPECT_TRUE(first.report.contains("\r\nKunde Muster\r\nAnlage 7\r\n"));
    EXPECT_EQ(ev->windowTitle(), QString::fromLatin1(e.screen) + ".tcalc[*] - " + screenCaption(session, "Auswertung"));
    EXPECT_FALSE(ev->isWindowModified());

    // "Speichern unter…" on the evaluation screen, a name without suffix.
    saveAnswer = dir.filePath(QStringLiteral("saved-%1").arg(e.screen));
    action(ev, "MenüDateiSpeichernUnter")->trigger();
    const QString saved = *saveAnswer + ".tcalc";
    ASSERT_TRUE(QFile::exists(saved));
    EXPECT_EQ(askedFilters, QStringList({"Berechnungsdateien (*.tcalc)", "Alle Dateien (*.*)"}));
    EXPECT_EQ(read(saved), read(original));
    EXPECT_EQ(ev->windowTitle(), QStringLiteral("saved-%1.tcalc[*] - ").arg(e.screen) + screenCaption(session, "Auswertung"));

    // Reopened: the same on every screen.
    ASSERT_TRUE(calcfiles::openFile(session, saved, ev));
    settle();
    FrmAuswertung *again = evaluationScreen();
    ASSERT_TRUE(again);
    EXPECT_EQ(topLevel<FrmAuswertung>().size(), 1);
    EXPECT_EQ(shownOn(qobject_cast<FrmArrangement *>(again->mfrmMasterForm()), again), first);

    // The batch tool reads both files alike, and rates as the screens did.
    const BatchRun fromOriginal = batch({original, "--report", "de"});
    const BatchRun fromSaved = batch({saved, "--report", "de"});
    ASSERT_EQ(fromOriginal.exitCode, 0);
    EXPECT_EQ(fromSaved.out, fromOriginal.out);
    const QJsonObject json = QJsonDocument::fromJson(fromSaved.out).object();
    TextRows batchRows;
    for (const QJsonValue &row : json.value("evaluation").toArray()) {
      QStringList fields;
      for (const QJsonValue &f : row.toArray()) fields << f.toString();
      batchRows << fields;
    }
    EXPECT_EQ(batchRows, first.evaluation);
    EXPECT_EQ(json.value("report").toString(), first.report);
  }
}

TEST_F(CalcFiles, ABatchCaseOpensOnScreenAndRatesAsTheBatchTool) {
  const QString source = qEnvironmentVariable("TARVEL_SOURCE_DIR") + "/examples/four-cassettes.json";
  ASSERT_TRUE(calcfiles::openFile(session, source, start));
  settle();
  FrmAuswertung *ev = evaluationScreen();
  ASSERT_TRUE(ev);
  const TextRows batchRows = evaluationRows(batch({source}).out);
  EXPECT_EQ(eval::fieldRows(session.gastrEvaluation), batchRows);
  EXPECT_EQ(ev->MSFlexGrid1()->rowCount(), batchRows.size());
  // The file has no duty: a stroke typed and undone leaves the field empty again.
  QTest::keyClicks(child<QLineEdit>(ev, "Tb_Betrieb0"), "500");
  QTest::keyClick(ev, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(child<QLineEdit>(ev, "Tb_Betrieb0")->text(), "");
  EXPECT_FALSE(ev->isWindowModified());
}

// Load cases and the duty cycle go onto the screens (tabs, group "Betrieb"), come back
// into the saved file unchanged, and the screens rate as the batch tool does.
TEST_F(CalcFiles, LoadCasesAndTheDutyCycleTravelWithTheFile) {
  const QString source = qEnvironmentVariable("TARVEL_SOURCE_DIR") + "/examples/load-cases.json";
  ASSERT_TRUE(calcfiles::openFile(session, source, start));
  settle();
  FrmAuswertung *ev = evaluationScreen();
  ASSERT_TRUE(ev);
  auto *arr = qobject_cast<FrmArrangement *>(ev->mfrmMasterForm());
  ASSERT_TRUE(arr && child<LoadCaseTabs>(arr, "LoadCaseTabs"));
  const QVector<LoadCase> cases = child<LoadCaseTabs>(arr, "LoadCaseTabs")->loadCases();
  ASSERT_EQ(cases.size(), 2);
  EXPECT_EQ(cases[1].name, "Bearbeitung");
  EXPECT_EQ(cases[1].share, 75.0);
  EXPECT_EQ(ev->Tb_Betrieb(0)->text(), "500");

  saveAnswer = dir.filePath("duty.tcalc");
  action(ev, "MenüDateiSpeichernUnter")->trigger();
  const calcfile::Case saved = read(*saveAnswer);
  const calcfile::Case original = read(source);
  EXPECT_EQ(saved.loadCases, original.loadCases);
  EXPECT_EQ(saved.duty, original.duty);
  EXPECT_TRUE(saved.forces.isEmpty());

  const BatchRun fromOriginal = batch({source});
  const BatchRun fromSaved = batch({*saveAnswer});
  ASSERT_EQ(fromOriginal.exitCode, 0);
  EXPECT_EQ(fromSaved.out, fromOriginal.out);
  EXPECT_EQ(eval::fieldRows(session.gastrEvaluation), evaluationRows(fromOriginal.out));

  // A required life typed on the screen is one edit of the calculation: saved with it,
  // opened again into the field, and undone with Ctrl+Z.
  child<QComboBox>(ev, "CboLebensdauer")->setCurrentIndex(0);
  QTest::keyClicks(child<QLineEdit>(ev, "TbLebensdauer"), "4000");
  QTest::keyClick(ev, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(child<QLineEdit>(ev, "TbLebensdauer")->text(), "");
  QTest::keyClick(ev, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(child<QLineEdit>(ev, "TbLebensdauer")->text(), "4000");
  saveAnswer = dir.filePath("life.tcalc");
  action(ev, "MenüDateiSpeichernUnter")->trigger();
  ASSERT_TRUE(read(*saveAnswer).requiredLife);
  EXPECT_EQ(*read(*saveAnswer).requiredLife, (loads::RequiredLifeTexts{"4000", true}));
  ASSERT_TRUE(calcfiles::openFile(session, *saveAnswer, arr));
  settle();
  ASSERT_TRUE(evaluationScreen());
  EXPECT_EQ(child<QLineEdit>(evaluationScreen(), "TbLebensdauer")->text(), "4000");
  EXPECT_EQ(child<QComboBox>(evaluationScreen(), "CboLebensdauer")->currentIndex(), 0);
  // A duty field and the load type, undone and redone in turn: the screen shows what the
  // document holds each time, back to the file opened.
  QWidget *reopened = evaluationScreen();
  QLineEdit *stroke = child<QLineEdit>(reopened, "Tb_Betrieb0");
  const QString strokeOpened = stroke->text();
  QTest::keyClicks(stroke, "7");
  QTest::mouseClick(child<QRadioButton>(reopened, "OptBelArt1"), Qt::LeftButton);
  QTest::keyClick(reopened, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_TRUE(child<QRadioButton>(reopened, "OptBelArt0")->isChecked());
  EXPECT_EQ(session.gintLoadType, 0);
  QTest::keyClick(reopened, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(stroke->text(), strokeOpened);
  QTest::keyClick(reopened, Qt::Key_Y, Qt::ControlModifier);
  QTest::keyClick(reopened, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(stroke->text(), strokeOpened + "7");
  EXPECT_TRUE(child<QRadioButton>(reopened, "OptBelArt1")->isChecked());
  EXPECT_EQ(session.gintLoadType, 1);
  QTest::keyClick(reopened, Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(reopened, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_FALSE(reopened->isWindowModified());
  // Another language keeps the file's name before the screen's title.
  child<QAction>(evaluationScreen(), "MenüSpracheEn")->trigger();
  EXPECT_TRUE(evaluationScreen()->windowTitle().startsWith("life.tcalc[*] - ")) << evaluationScreen()->windowTitle().toStdString();
  child<QAction>(evaluationScreen(), "MenüSpracheDe")->trigger();
}

TEST_F(CalcFiles, WithoutTicksTheFileStaysOnItsArrangementScreenCalculated) {
  QJsonObject o = exampleCase(kExamples[4]);
  o.insert("ticked", QJsonArray());
  ASSERT_TRUE(calcfiles::openFile(session, write("plain.tcalc", o), start));
  settle();
  EXPECT_FALSE(evaluationScreen());
  FrmArrangement *arr = arrangementScreen();
  ASSERT_TRUE(arr);
  EXPECT_FALSE(arr->msngLoad().isEmpty());
  EXPECT_TRUE(child<QMenu>(arr, "MenüOptionen")->menuAction()->isVisible());
}

TEST_F(CalcFiles, BadFilesAreRefusedNamingFileAndProblemAndNothingOnScreenChanges) {
  QJsonObject good = exampleCase(kExamples[4]);
  ASSERT_TRUE(calcfiles::openFile(session, write("good.tcalc", good), start));
  settle();
  QPointer<FrmAuswertung> ev = evaluationScreen();
  ASSERT_TRUE(ev);
  QPointer<FrmArrangement> arr = qobject_cast<FrmArrangement *>(ev->mfrmMasterForm());
  const Shown before = shownOn(arr, ev);
  rec.clear();

  QJsonObject newer = good;
  newer.insert("version", 2);
  QJsonObject other = good;
  other.insert("format", "someone-elses-format");
  QJsonObject badLoadType = good;
  badLoadType.insert("loadType", 7);
  QJsonObject minus = good;
  minus.insert("m", "-400");
  QJsonObject shortSize = good;
  QJsonArray fields;
  for (int i = 0; i < 24; ++i) fields.append(i == 1 ? "8" : "10");
  shortSize.insert("special", QJsonObject{{"fields", fields}, {"bearings", "4"}, {"type", "N"}});
  const struct {
    QString path;
    QString problem;
  } bad[] = {
      {dir.filePath("missing.tcalc"), "Die Datei ist nicht vorhanden."},
      {dir.path(), "Die Datei kann nicht gelesen werden ("},
      {write("broken.tcalc", QByteArray("{\"arrangement\": \"FrmVKaZDSch\", ")), "Die Datei enthält kein gültiges JSON"},
      {write("other.tcalc", other), "Die Datei hat das Format „someone-elses-format“"},
      {write("newer.tcalc", newer), "Die Datei hat die Version 2; dieses Programm liest Berechnungsdateien bis Version 1."},
      {write("loadtype.tcalc", badLoadType), "Der Eintrag „loadType“ muss 0, 1 oder 2 sein."},
      {write("minus.tcalc", minus), "Der Abstand „m“ enthält „-400“; dort sind nur Ziffern und das Komma möglich."},
      {write("special.tcalc", shortSize), "Der Sonder-Rollenschuh würde nicht übernommen: In dem Eingabefeld: \"Größe\""},
  };
  for (const auto &b : bad) {
    SCOPED_TRACE(b.path.toStdString());
    rec.clear();
    EXPECT_FALSE(calcfiles::openFile(session, b.path, ev));
    settle();
    ASSERT_EQ(rec.messages.size(), 1);
    EXPECT_EQ(rec.messages[0].title, "Berechnungsdatei öffnen");
    EXPECT_EQ(rec.messages[0].icon, msg::Icon::Critical);
    const QString head = "Die Berechnungsdatei\n" + QDir::toNativeSeparators(b.path) + "\nkann nicht geöffnet werden:\n";
    EXPECT_TRUE(rec.messages[0].text.startsWith(head + b.problem)) << rec.messages[0].text.toStdString();
    EXPECT_TRUE(rec.messages[0].text.endsWith("Die Eingaben auf dem Bildschirm bleiben unverändert."));
    ASSERT_TRUE(ev && arr);
    EXPECT_TRUE(ev->isVisible());
    EXPECT_EQ(topLevel<FrmAuswertung>().size(), 1);
    EXPECT_EQ(shownOn(arr, ev), before);
    EXPECT_EQ(session.gintAnzSonder, 0);
  }
}

TEST_F(CalcFiles, UnknownKeysAreKeptWhenTheFileIsSavedAgain) {
  QJsonObject o = exampleCase(kExamples[2]);
  o.insert("drawnBy", "M. Muster");
  o.insert("mounting", QJsonArray{QJsonObject{{"share", 40}}});
  const QString path = write("keys.tcalc", o);
  ASSERT_TRUE(calcfiles::openFile(session, path, start));
  settle();
  FrmAuswertung *ev = evaluationScreen();
  ASSERT_TRUE(ev);
  // "Speichern": the file it came from, no dialog.
  action(ev, "MenüDateiSpeichern")->trigger();
  EXPECT_EQ(saveDialogs, 0);
  const QJsonObject back = QJsonDocument::fromJson([&] {
                             QFile f(path);
                             f.open(QIODevice::ReadOnly);
                             return f.readAll();
                           }()).object();
  EXPECT_EQ(back.value("drawnBy").toString(), "M. Muster");
  EXPECT_EQ(back.value("mounting"), o.value("mounting"));
  EXPECT_EQ(read(path), read(write("expected.tcalc", o)));
}

// The English interface shows the numbers of the open calculation in English notation
// without marking it modified, writes its file in the file's notation (the bytes the
// German interface writes), and a file saved in English opens in German unchanged.
TEST_F(CalcFiles, NumbersFollowTheLanguageAndTheFileStaysTheSame) {
  QJsonObject o = exampleCase(kExamples[4]);
  o.insert("n", "300,5");
  o.insert("forces", QJsonArray{QJsonArray{"- Z", "2.500,5", "50", "-30", "0"},
                                QJsonArray{"X +", "600", "0", "0", "150"}});
  o.insert("duty", QJsonObject{{"stroke", "500"}, {"cyclesPerMinute", "2,5"}, {"hoursPerDay", "8"},
                               {"daysPerYear", "220"}});
  ASSERT_TRUE(calcfiles::openFile(session, write("de.tcalc", o), start));
  settle();
  FrmAuswertung *ev = evaluationScreen();
  ASSERT_TRUE(ev);
  auto *arr = qobject_cast<FrmArrangement *>(ev->mfrmMasterForm());
  ASSERT_TRUE(arr);
  const QString savedDe = dir.filePath("saved-de.tcalc"), savedEn = dir.filePath("saved-en.tcalc");
  saveAnswer = savedDe;
  action(ev, "MenüDateiSpeichernUnter")->trigger();
  const QStringList germanGrid = gridCells(ev->MSFlexGrid1());
  const QString germanN = child<QLineEdit>(arr, "Tb_n")->text();
  const QString reports[] = {report::reportText(session, report::German), report::reportText(session, report::English)};

  const QLocale de(QLocale::German, QLocale::Germany), en(QLocale::English, QLocale::UnitedStates);
  child<QAction>(ev, "MenüSpracheEn")->trigger();
  EXPECT_EQ(child<QLineEdit>(arr, "Tb_n")->text(), num::convertNotation(germanN, de, en));
  EXPECT_EQ(child<ForceGrid>(arr, "MSFlexGrid1")->dataRows().value(0).value(1), "2,500.5");
  EXPECT_EQ(ev->Tb_Betrieb(1)->text(), "2.5");
  EXPECT_FALSE(docui::of(arr)->isModified());
  // Every number of the grid is the German one in English notation, shown anew and
  // rated again from what the arrangement screen handed over.
  for (bool again : {false, true}) {
    if (again) ev->CmdBerechnen()->click();
    const QStringList englishGrid = gridCells(ev->MSFlexGrid1());
    ASSERT_EQ(englishGrid.size(), germanGrid.size());
    int decimals = 0;
    for (int i = 0; i < germanGrid.size(); ++i) {
      bool number = false;
      de.toDouble(germanGrid[i].section(' ', 0, 0), &number);
      if (!number) continue;
      EXPECT_EQ(englishGrid[i], num::convertNotation(germanGrid[i], de, en)) << germanGrid[i].toStdString();
      decimals += germanGrid[i].contains(',');
    }
    EXPECT_GT(decimals, 0);
  }
  // The report keeps a language of its own: each is the same from either interface, but
  // for the date of the English one, written as the screens write dates.
  EXPECT_EQ(report::reportText(session, report::German).toStdString(), reports[0].toStdString());
  EXPECT_EQ(report::reportText(session, report::English).section("\r\n", 1).toStdString(),
            reports[1].section("\r\n", 1).toStdString());

  saveAnswer = savedEn;
  action(ev, "MenüDateiSpeichernUnter")->trigger();
  QFile fileDe(savedDe), fileEn(savedEn);
  ASSERT_TRUE(fileDe.open(QIODevice::ReadOnly) && fileEn.open(QIODevice::ReadOnly));
  EXPECT_EQ(fileEn.readAll(), fileDe.readAll());

  child<QAction>(evaluationScreen(), "MenüSpracheDe")->trigger();
  ASSERT_TRUE(calcfiles::openFile(session, savedEn, evaluationScreen()));
  settle();
  ASSERT_TRUE(evaluationScreen());
  EXPECT_EQ(child<QLineEdit>(evaluationScreen()->mfrmMasterForm(), "Tb_n")->text(), germanN);
  EXPECT_EQ(gridCells(evaluationScreen()->MSFlexGrid1()), germanGrid);
}

TEST_F(CalcFiles, TitleShowsTheFileAndMarksChangesUntilSaved) {
  QJsonObject o = exampleCase(kExamples[2]);
  o.insert("ticked", QJsonArray());
  const QString path = write("title.tcalc", o);
  ASSERT_TRUE(calcfiles::openFile(session, path, start));
  settle();
  FrmArrangement *arr = arrangementScreen();
  ASSERT_TRUE(arr);
  EXPECT_EQ(arr->windowTitle(), "title.tcalc[*] - " + screenCaption(session, "Zwei Kassetten mit einer Doppelschiene"));
  EXPECT_FALSE(arr->isWindowModified());
  CalcDocument *doc = docui::of(arr);
  ASSERT_TRUE(doc);
  EXPECT_EQ(doc->fileName(), path);

  arr->activateWindow();
  QTest::keyClick(child<QLineEdit>(arr, "Tb_m"), Qt::Key_End);
  QTest::keyClicks(child<QLineEdit>(arr, "Tb_m"), "5");
  settle();
  EXPECT_EQ(child<QLineEdit>(arr, "Tb_m")->text(), "3005");
  EXPECT_TRUE(arr->isWindowModified());
  EXPECT_TRUE(doc->isModified());
  // Typed back as it was: no change left to save.
  QTest::keyClick(child<QLineEdit>(arr, "Tb_m"), Qt::Key_Backspace);
  settle();
  EXPECT_FALSE(arr->isWindowModified());

  QTest::keyClicks(child<QLineEdit>(arr, "Tb_m"), "1");
  settle();
  ASSERT_TRUE(arr->isWindowModified());
  action(arr, "MenüDateiSpeichern")->trigger();
  EXPECT_EQ(saveDialogs, 0);
  EXPECT_FALSE(arr->isWindowModified());
  EXPECT_EQ(read(path).m, "3001");

  // A new calculation has no file: its title stays plain, "Speichern" asks for a name.
  auto *fresh = new FrmArrangement(session, ArrangementId::EKaEDSch);
  fresh->show();
  settle();
  EXPECT_EQ(fresh->windowTitle(), screenCaption(session, "Eine Kassette mit einer Doppelschiene"));
  ASSERT_TRUE(docui::of(fresh));
  EXPECT_FALSE(docui::of(fresh)->isModified());
  saveAnswer = std::nullopt;  // cancelled
  action(fresh, "MenüDateiSpeichern")->trigger();
  EXPECT_EQ(saveDialogs, 1);
  EXPECT_EQ(fresh->windowTitle(), screenCaption(session, "Eine Kassette mit einer Doppelschiene"));
}

TEST_F(CalcFiles, MenusOfferTheFileItemsAndRememberTheLastFiles) {
  // The start screen: open only.
  QAction *openItem = action(start, "MenüÖffnen");
  ASSERT_TRUE(openItem);
  EXPECT_EQ(openItem->text(), "&Öffnen…");
  EXPECT_EQ(openItem->shortcut(), QKeySequence(QKeySequence::Open));
  EXPECT_FALSE(action(start, "MenüDateiSpeichern")->isEnabled());
  EXPECT_FALSE(action(start, "MenüDateiSpeichernUnter")->isEnabled());

  QStringList paths;
  for (int i = 0; i < 6; ++i) {
    QJsonObject o = exampleCase(kExamples[i % 6]);
    o.insert("ticked", QJsonArray());
    paths << write(QStringLiteral("f%1.tcalc").arg(i), o);
  }
  openAnswer = paths[0];
  openItem->trigger();
  settle();
  FrmArrangement *arr = arrangementScreen();
  ASSERT_TRUE(arr);
  EXPECT_EQ(arr->objectName(), "FrmEKaEDSch");
  const QList<QAction *> datei = child<QMenu>(arr, "MenüDatei")->actions();
  ASSERT_GE(datei.size(), 5);
  EXPECT_EQ(datei[0]->text(), "&Öffnen…");
  // The entries say what they save: the evaluation's text export keeps "Speichern unter…".
  EXPECT_EQ(datei[1]->text(), "Berechnung &speichern");
  EXPECT_EQ(datei[1]->shortcut(), QKeySequence(QKeySequence::Save));
  EXPECT_EQ(datei[2]->text(), "Berechnung speichern u&nter…");
  EXPECT_EQ(datei[3]->text(), "Zuletzt &geöffnet");
  EXPECT_TRUE(datei[4]->isSeparator());
  EXPECT_EQ(datei[5]->text(), "&Weiter");  // the items of the screen follow as before

  for (int i = 1; i < 6; ++i) ASSERT_TRUE(calcfiles::openFile(session, paths[i], arrangementScreen()));
  settle();
  QStringList newestFirst;
  for (int i = 5; i >= 1; --i) newestFirst << paths[i];
  EXPECT_EQ(filemenu::recentFiles(), newestFirst);
  // The last entry of the menu opens the oldest file still listed.
  arr = arrangementScreen();
  auto *recent = arr->findChild<QMenu *>("MenüZuletzt");
  ASSERT_TRUE(recent);
  emit child<QMenu>(arr, "MenüDatei")->aboutToShow();
  ASSERT_EQ(recent->actions().size(), 5);
  EXPECT_TRUE(recent->actions()[4]->text().endsWith(QDir::toNativeSeparators(paths[1])));
  recent->actions()[4]->trigger();
  settle();
  ASSERT_TRUE(arrangementScreen());
  EXPECT_EQ(arrangementScreen()->objectName(), "FrmERoEESch");
}

TEST_F(CalcFiles, AFileDroppedOntoAWindowOpens) {
  QJsonObject o = exampleCase(kExamples[5]);
  const QString path = write("dropped.tcalc", o);
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(path)});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(start, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(start, &drop);
  settle();
  FrmAuswertung *ev = evaluationScreen();
  ASSERT_TRUE(ev);
  EXPECT_EQ(ev->masterScreenName(), "FrmZRoEESch");
}

TEST_F(CalcFiles, TheEvaluationPrintoutBecomesAPdfWithoutAPrinter) {
  ASSERT_TRUE(calcfiles::openFile(session, write("pdf.tcalc", exampleCase(kExamples[4])), start));
  settle();
  FrmAuswertung *ev = evaluationScreen();
  ASSERT_TRUE(ev);
  QAction *pdfItem = ev->menuItem("MenüPdf");
  ASSERT_TRUE(pdfItem);
  EXPECT_EQ(pdfItem->text(), "Als &PDF speichern…");
  EXPECT_TRUE(pdfItem->isEnabled());
  saveAnswer = dir.filePath("auswertung");
  pdfItem->trigger();
  const QString file = dir.filePath("auswertung.pdf");
  ASSERT_TRUE(QFile::exists(file));
  EXPECT_EQ(askedFilters, QStringList({"PDF-Dateien (*.pdf)", "Alle Dateien (*.*)"}));
  const QString text = pdf::pages(file).join("\n");
  EXPECT_TRUE(text.contains("Berechnungsausdruck TARVEL-Rollenführungen"));
  EXPECT_TRUE(text.contains("Kunde Muster"));
  for (const EvaluationRow &row : session.gastrEvaluation) EXPECT_TRUE(text.contains(row.orderNo)) << row.orderNo.toStdString();
  EXPECT_EQ(QDir(dir.path()).entryList({"*.pdf*", ".*.pdf*"}, QDir::Files | QDir::Hidden), QStringList({"auswertung.pdf"}));
}

TEST_F(CalcFiles, TheEvaluationPrintoutShowsInThePreview) {
  ASSERT_TRUE(calcfiles::openFile(session, write("preview.tcalc", exampleCase(kExamples[0])), start));
  settle();
  FrmAuswertung *ev = evaluationScreen();
  ASSERT_TRUE(ev);
  const QString file = dir.filePath("preview.pdf");
  int previews = 0;
  app::services().dialogs.printPreview = [&](QWidget *parent, const std::function<void(QPrinter &)> &paint) {
    EXPECT_EQ(parent, ev);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    paint(printer);
    ++previews;
  };
  QAction *item = ev->menuItem("MenüSeitenansicht");
  ASSERT_TRUE(item);
  EXPECT_EQ(item->text(), "Seiten&ansicht");
  item->trigger();
  EXPECT_EQ(previews, 1);
  EXPECT_TRUE(rec.messages.isEmpty());
  const QString text = pdf::pages(file).join("\n");
  EXPECT_TRUE(text.contains("Berechnungsausdruck TARVEL-Rollenführungen"));
  for (const EvaluationRow &row : session.gastrEvaluation) EXPECT_TRUE(text.contains(row.orderNo)) << row.orderNo.toStdString();
}

TEST_F(CalcFiles, TheSpecialRollerShoeTravelsWithTheFile) {
  const QJsonArray fields{"SRS", "25", "KS25-180", "RS25-180", "12000", "9000", "16", "34",
                          "120", "30", "14", "55", "37,5", "19", "21", "180", "85", "40",
                          "60", "15", "49", "35", "28", "15"};
  QJsonObject o = exampleCase(kExamples[1]);
  o.insert("special", QJsonObject{{"fields", fields}, {"bearings", "6"}, {"type", "K"}});
  o.insert("ticked", listOf(QJsonArray{"SRS", "25"}));
  const QString path = write("special.tcalc", o);
  ASSERT_TRUE(calcfiles::openFile(session, path, start));
  settle();
  EXPECT_TRUE(rec.messages.isEmpty()) << rec.messages.value(0).text.toStdString();
  ASSERT_TRUE(evaluationScreen());
  EXPECT_EQ(session.gintAnzSonder, 1);
  EXPECT_EQ(session.gastrResult.last().value(0), "SRS");
  ASSERT_EQ(session.gastrEvaluation.size(), 1);
  EXPECT_EQ(session.gastrEvaluation[0].orderNo, "KS25-180");

  saveAnswer = dir.filePath("special-saved.tcalc");
  action(evaluationScreen(), "MenüDateiSpeichernUnter")->trigger();
  EXPECT_EQ(read(*saveAnswer), read(path));

  // A file without one leaves none in force.
  ASSERT_TRUE(calcfiles::openFile(session, write("none.tcalc", exampleCase(kExamples[1])), evaluationScreen()));
  settle();
  EXPECT_EQ(session.gintAnzSonder, 0);
  EXPECT_NE(session.gastrResult.last().value(0), "SRS");
}

}  // namespace


// The calculation document on the screens: ticks kept across the way back, no false
// modified mark, the loads leaving the picture with any change, undo and redo with the
// keyboard, the motion kept, and no replacement of unsaved input without a question.
TEST_F(CalcFiles, TheScreensShowAndEditOneDocument) {
  QJsonObject o = exampleCase(kExamples[1]);  // two sizes ticked
  const QString path = write("doc.tcalc", o);
  ASSERT_TRUE(calcfiles::openFile(session, path, start));
  settle();
  FrmAuswertung *ev = evaluationScreen();
  ASSERT_TRUE(ev);
  auto ticked = [](FrmAuswertung *e) {
    QStringList out;
    for (int i = 0; i < eval::kBoxes; ++i)
      if (e->chkGrSer(i)->isChecked()) out << QString::number(i);
    return out;
  };
  const QStringList ticks = ticked(ev);
  ASSERT_EQ(ticks.size(), 2);
  // Back and on again: the same ticks, and the file is as it was.
  ev->MenuZurueck_Click();
  settle();
  FrmArrangement *arr = arrangementScreen();
  ASSERT_TRUE(arr);
  arr->weiter();
  settle();
  ev = evaluationScreen();
  ASSERT_TRUE(ev);
  EXPECT_EQ(ticked(ev), ticks);
  EXPECT_FALSE(ev->isWindowModified());
  EXPECT_FALSE(arr->document()->isModified());
  ev->MenuZurueck_Click();
  settle();

  // A deleted force takes the loads off the picture; Ctrl+Z brings the force back, Ctrl+Y
  // takes it away again.
  arr->activateWindow();
  child<QPushButton>(arr, "CmdBerechnen")->click();
  ASSERT_FALSE(child<QLabel>(arr, "LabFo", 0)->text().isEmpty());
  const TextRows rows = child<ForceGrid>(arr, "MSFlexGrid1")->dataRows();
  ForceGrid *grid = child<ForceGrid>(arr, "MSFlexGrid1");
  grid->setFocus();
  grid->setCurrentCell(-1, -1);
  QTest::keyClick(grid, Qt::Key_Down);
  rec.answers = {msg::Answer::Yes};
  QTest::keyClick(grid, Qt::Key_Delete);
  ASSERT_EQ(grid->dataRows().size(), rows.size() - 1);
  EXPECT_TRUE(child<QLabel>(arr, "LabFo", 0)->text().isEmpty());
  EXPECT_TRUE(arr->isWindowModified());
  QTest::keyClick(arr, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(grid->dataRows(), rows);
  EXPECT_FALSE(arr->isWindowModified()) << "undone back to the file";
  QTest::keyClick(arr, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(grid->dataRows().size(), rows.size() - 1);
  EXPECT_EQ(action(arr, "MenüRückgängig")->text(), builtinText(1526) + ": " + builtinText(1531));

  // Opening another file over the unsaved change asks; "Abbrechen" keeps everything,
  // "Verwerfen" opens it.
  const QString other = write("other.tcalc", exampleCase(kExamples[4]));
  rec.clear();
  rec.answers = {msg::Answer::Cancel};
  EXPECT_FALSE(calcfiles::openFile(session, other, arr));
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages.first().buttons, msg::Buttons::SaveDiscardCancel);
  EXPECT_EQ(arrangementScreen(), arr);
  rec.answers = {msg::Answer::Discard};
  ASSERT_TRUE(calcfiles::openFile(session, other, arr));
  settle();
  if (FrmAuswertung *e = evaluationScreen()) e->MenuZurueck_Click();
  settle();
  arr = arrangementScreen();
  ASSERT_TRUE(arr);
  EXPECT_EQ(arr->objectName(), "FrmVKaZDSch");

  // The motion dialog replaces hand-made load cases only after a question; what was
  // entered is kept in the file and offered again.
  rec.clear();
  int shown = 0;
  QTimer::singleShot(0, [&] {
    auto *d = qobject_cast<MotionDialog *>(QApplication::activeModalWidget());
    if (!d) return;
    ++shown;
    d->field(0)->setText("80");     // kg
    d->field(4)->setText("1");      // m/s
    d->field(5)->setText("2");      // m/s²
    d->field(6)->setText("2");
    d->field(7)->setText("1000");   // mm
    d->cmdOK_Click();
  });
  rec.answers = {msg::Answer::No};
  child<QPushButton>(arr, "CmdBewegung")->click();
  EXPECT_EQ(shown, 1);
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages.first().text, builtinText(1365));
  EXPECT_EQ(child<LoadCaseTabs>(arr, "LoadCaseTabs")->count(), 1) << "No keeps the load cases";
  QTimer::singleShot(0, [&] {
    auto *d = qobject_cast<MotionDialog *>(QApplication::activeModalWidget());
    if (!d) return;
    ++shown;
    EXPECT_EQ(d->field(0)->text(), "") << "nothing taken over yet";
    d->field(0)->setText("80");
    d->field(4)->setText("1");
    d->field(5)->setText("2");
    d->field(6)->setText("2");
    d->field(7)->setText("1000");
    d->cmdOK_Click();
  });
  rec.answers = {msg::Answer::Yes};
  child<QPushButton>(arr, "CmdBewegung")->click();
  EXPECT_EQ(child<LoadCaseTabs>(arr, "LoadCaseTabs")->count(), 3);
  ASSERT_TRUE(arr->document()->input().motion);
  EXPECT_EQ(arr->document()->input().motion->mass, "80");
  QTimer::singleShot(0, [&] {
    auto *d = qobject_cast<MotionDialog *>(QApplication::activeModalWidget());
    if (!d) return;
    ++shown;
    EXPECT_EQ(d->field(0)->text(), "80");
    EXPECT_EQ(d->field(7)->text(), "1000");
    d->cmdExit()->click();
  });
  child<QPushButton>(arr, "CmdBewegung")->click();
  EXPECT_EQ(shown, 3);
  saveAnswer = dir.filePath("moved.tcalc");
  action(arr, "MenüDateiSpeichernUnter")->trigger();
  ASSERT_TRUE(read(dir.filePath("moved.tcalc")).motion);
  EXPECT_EQ(read(dir.filePath("moved.tcalc")).motion->stroke, "1000");
}
