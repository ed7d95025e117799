// The evaluation screen's CSV export and parameter study against the batch tool: the
// screen's file is the single case's --csv, the study's rows are --sweep --csv's for the
// same range, byte for byte; "Wert übernehmen" is one undoable edit; the study's range
// follows the number input rules.
#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QAction>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QLineSeries>
#include <QTableView>

#include "app/CalcFilesFixture.h"
#include "core/document/CalcDocument.h"
#include "support/LoadCaseDutyCase.h"
#include "ui/evaluation/FrmParameterstudie.h"

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

class ParameterStudy : public CalcFiles {
 protected:
  // Four cassettes with two load cases, a duty cycle and a required life, opened onto the
  // screens; the study window of its evaluation screen.
  FrmParameterstudie *openStudy() {
    QJsonObject c = QJsonDocument::fromJson(testsupport::loadCaseDutyCase("FrmVKaZDSch", 0)).object();
    c.insert("requiredLife", QJsonObject{{"value", "5000"}, {"unit", "h"}});
    path = write("study.tcalc", c);
    EXPECT_TRUE(calcfiles::openFile(session, path, start));
    settle();
    FrmAuswertung *ev = evaluationScreen();
    if (!ev) return nullptr;
    ev->menuItem("MenüParameterstudie")->trigger();
    return ev->findChild<FrmParameterstudie *>();
  }
  static QByteArray contents(const QString &file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  QString path;
};

TEST_F(ParameterStudy, CsvAndStudyGiveTheBatchToolsRowsAndAStepIsTakenOver) {
  FrmParameterstudie *study = openStudy();
  ASSERT_TRUE(study);
  FrmAuswertung *ev = evaluationScreen();

  // "Als CSV exportieren…": the single case's --csv; ".csv" added to the name.
  saveAnswer = dir.filePath("auswertung");
  ev->menuItem("MenüCsv")->trigger();
  const CalcFiles::BatchRun single = batch({path, "--csv"});
  ASSERT_EQ(single.exitCode, 0);
  EXPECT_EQ(contents(dir.filePath("auswertung.csv")), single.out);
  EXPECT_TRUE(single.out.contains(",life_h,life_years,verdict_de,verdict_en,life_ok,safety_ok,passes,"));

  // The distances, then every force's value and coordinates but the one along its axis.
  const QStringList keys = study->inputKeys();
  EXPECT_EQ(keys.mid(0, 5), QStringList({"m", "n", "loadCases.0.forces.0.1", "loadCases.0.forces.0.2",
                                         "loadCases.0.forces.0.3"}));
  EXPECT_FALSE(keys.contains("loadCases.0.forces.0.4")) << "z of a \"- Z\" force is not considered";
  const QString key = "loadCases.1.forces.0.1";
  ASSERT_TRUE(keys.contains(key));
  study->CboEingabe()->setCurrentIndex(keys.indexOf(key));
  study->Tb_Von()->setText("3000");
  study->Tb_Bis()->setText("4000");
  study->Tb_Schritte()->setText("5");
  study->CmdBerechnen_Click();
  ASSERT_EQ(study->steps().size(), 5);
  const CalcFiles::BatchRun sweep = batch({path, "--sweep", key + "=3000:4000:250", "--csv"});
  ASSERT_EQ(sweep.exitCode, 0);
  EXPECT_EQ(study->csvText(), sweep.out);
  EXPECT_TRUE(sweep.out.startsWith("step,loadCases.1.forces.0.1_N,unit,"));
  EXPECT_EQ(study->Tabelle()->model()->rowCount(), 5);
  // The safety chart carries the load type's required safety as its line, the life
  // chart (in hours) the required life.
  const auto requiredLine = [study](int chart) {
    for (QAbstractSeries *s : study->Diagramm(chart)->chart()->series())
      if (s->objectName() == "Gefordert") return static_cast<QLineSeries *>(s)->at(0).y();
    return 0.0;
  };
  EXPECT_EQ(requiredLine(1), static_cast<double>(session.gsngSiko));
  EXPECT_EQ(requiredLine(2), 5000.0);

  // Its CSV and its charts as files: PNG unless the name says SVG.
  saveAnswer = dir.filePath("studie.csv");
  study->CmdCsv_Click();
  EXPECT_EQ(contents(dir.filePath("studie.csv")), sweep.out);
  saveAnswer = dir.filePath("diagramme");
  study->CmdDiagramme_Click();
  EXPECT_FALSE(QImage(dir.filePath("diagramme.png")).isNull());
  saveAnswer = dir.filePath("diagramme.svg");
  study->CmdDiagramme_Click();
  EXPECT_TRUE(contents(dir.filePath("diagramme.svg")).contains("<svg"));
  EXPECT_TRUE(rec.messages.isEmpty()) << rec.messages.value(0).text.toStdString();

  // "Wert übernehmen": the third step's value into the force, one step of the undo
  // history; the evaluation gives way to the arrangement screen, which shows the input.
  EXPECT_FALSE(study->CmdUebernehmen()->isEnabled());
  study->Tabelle()->selectRow(2);
  EXPECT_EQ(study->selectedStep(), 2);
  ASSERT_TRUE(study->CmdUebernehmen()->isEnabled());
  study->CmdUebernehmen()->click();
  settle();
  EXPECT_FALSE(evaluationScreen());
  FrmArrangement *w = arrangementScreen();
  ASSERT_TRUE(w);
  CalcDocument *doc = w->document();
  EXPECT_EQ(doc->input().loadCases[1].forces[0][1], "3500");
  EXPECT_EQ(doc->undoText(), builtinText(1681));
  doc->undo();
  EXPECT_EQ(doc->input().loadCases[1].forces[0][1], "2500");
}

TEST_F(ParameterStudy, RangeFollowsTheNumberInputRules) {
  FrmParameterstudie *study = openStudy();
  ASSERT_TRUE(study);
  study->CboEingabe()->setCurrentIndex(study->inputKeys().indexOf("m"));
  const struct {
    QLineEdit *field;
    QString text;
    QString says;  // the beginning of the message of "Berechnen"
  } bad[] = {
      {study->Tb_Schritte(), "201", builtinText(1678).arg(2).arg(200)},
      {study->Tb_Schritte(), "1", builtinText(1678).arg(2).arg(200)},
      {study->Tb_Schritte(), "2,5", builtinText(1678).arg(2).arg(200)},
      {study->Tb_Von(), "-5", "„-5“"},  // a distance takes no sign
      {study->Tb_Bis(), "20000", "Der Wert von „Bis“ liegt außerhalb"},
      {study->Tb_Von(), "", builtinText(1688).arg("Von")},
  };
  for (const auto &b : bad) {
    SCOPED_TRACE(b.text.toStdString());
    study->Tb_Von()->setText("200");
    study->Tb_Bis()->setText("600");
    study->Tb_Schritte()->setText("21");
    rec.clear();
    b.field->setText(b.text);
    study->CmdBerechnen_Click();
    EXPECT_TRUE(study->steps().isEmpty()) << "nothing calculated";
    ASSERT_EQ(rec.messages.size(), 1);
    EXPECT_TRUE(rec.messages[0].text.contains(b.says)) << rec.messages[0].text.toStdString();
    EXPECT_EQ(b.field->text(), b.text) << "the input stays as typed";
    // A text the field does not take is marked at once, with its reason.
    if (b.field == study->Tb_Schritte()) {
      EXPECT_FALSE(b.field->toolTip().isEmpty());
    }
  }
}

}  // namespace
