#include "ui/evaluation/FrmParameterstudie.h"

#include <QAbstractTableModel>
#include <QBoxLayout>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHeaderView>
#include <QImageWriter>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPainter>
#include <QPushButton>
#include <QSaveFile>
#include <QSplitter>
#include <QSvgGenerator>
#include <QTableView>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

#include "core/catalogue/StartSession.h"
#include "core/common/Messages.h"
#include "core/common/Numbers.h"
#include "core/common/Texts.h"
#include "core/common/UnsavedInput.h"
#include "core/document/CalcDocument.h"
#include "core/evaluation/EvaluationCsv.h"
#include "core/evaluation/EvaluationTexts.h"
#include "core/loads/Directions.h"
#include "ui/common/AppServices.h"
#include "ui/common/Gui.h"
#include "ui/common/NumericInput.h"
#include "ui/evaluation/CsvExport.h"

namespace {

constexpr int kMinSteps = 2;
constexpr int kMaxSteps = 200;
constexpr int kDefaultSteps = 21;
constexpr int kQuantities = 3;  // load, safety, lifetime

// The colour of the i-th of n sizes: hues spread round the circle, dark enough on white.
QColor sizeColour(int i) {
  static const QColor palette[] = {
      QColor(0x1f, 0x77, 0xb4), QColor(0xd6, 0x27, 0x28), QColor(0x2c, 0xa0, 0x2c), QColor(0xff, 0x7f, 0x0e),
      QColor(0x94, 0x67, 0xbd), QColor(0x8c, 0x56, 0x4b), QColor(0xe3, 0x77, 0xc2), QColor(0x7f, 0x7f, 0x7f),
      QColor(0xbc, 0xbd, 0x22), QColor(0x17, 0xbe, 0xcf)};
  constexpr int n = sizeof palette / sizeof palette[0];
  QColor c = palette[i % n];
  // From the eleventh size on the same hues again, darker.
  return i < n ? c : c.darker(100 + 40 * (i / n));
}

// The figures a chart shows of an evaluated size.
double figure(const EvaluationRow &row, int quantity, bool hours) {
  switch (quantity) {
    case 0: return row.detail.staticLoad;
    case 1: return fsngSafety(row.staticRating, row.detail.staticLoad);
    default:
      if (hours) return row.detail.lifeHours.value_or(std::nan(""));
      return row.detail.lifeKm;
  }
}

QString lifeHoursText(const EvaluationRow &row) { return eval::extraTexts(row, {1301}).value(0); }

// The problem of a refused value or range in the language of the screens.
QString problemText(const calcfile::Error &e) {
  return interfaceLanguage() == Language::English ? e.english : e.german;
}

}  // namespace

// The sizes of a study, shared by its table and its charts.
namespace study {

// One ticked size over the study: its unit and size and, per step, its row in that
// step's evaluation (-1 where the step has none).
struct SizeLine {
  QString unit, size;
  QVector<int> rowOf;
};

QVector<SizeLine> sizeLines(const QVector<run::SweepStep> &steps) {
  QVector<SizeLine> lines;
  for (int s = 0; s < steps.size(); ++s) {
    const QVector<EvaluationRow> &rows = steps[s].result.evaluation;
    for (int r = 0; r < rows.size(); ++r) {
      if (rows[r].blank()) continue;
      auto it = std::find_if(lines.begin(), lines.end(), [&](const SizeLine &l) {
        return l.unit == rows[r].unit && l.size == rows[r].size;
      });
      if (it == lines.end()) {
        lines.append({rows[r].unit, rows[r].size, QVector<int>(steps.size(), -1)});
        it = lines.end() - 1;
      }
      it->rowOf[s] = r;
    }
  }
  return lines;
}

}  // namespace study

using study::SizeLine;
using study::sizeLines;

// ---------------------------------------------------------------------------------
// The table: one row per step, its value, per size its load, safety and lifetime as the
// evaluation grid writes them, and what the step said.
class StudyModel : public QAbstractTableModel {
 public:
  StudyModel(QObject *parent) : QAbstractTableModel(parent) {}

  void showSteps(const QVector<run::SweepStep> *steps, const run::Sweep *sweep, const QString &inputName,
                 bool hours, const QColor &warning) {
    beginResetModel();
    steps_ = steps;
    sweep_ = sweep;
    inputName_ = inputName;
    hours_ = hours;
    warning_ = warning;
    lines_ = sizeLines(*steps);
    endResetModel();
  }

  int rowCount(const QModelIndex &parent = {}) const override {
    return parent.isValid() || !steps_ ? 0 : static_cast<int>(steps_->size());
  }
  int columnCount(const QModelIndex &parent = {}) const override {
    return parent.isValid() || !steps_ ? 0 : 3 + kQuantities * static_cast<int>(lines_.size());
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return QVariant();
    if (section == 0) return builtinText(1677);
    if (section == 1) return inputName_;
    if (section == columnCount() - 1) return builtinText(1520);
    const int k = section - 2;
    const SizeLine &l = lines_.at(k / kQuantities);
    const int q = k % kQuantities;
    const QString what = q == 2 && hours_ ? builtinText(1301) : builtinText(1683 + q);
    return l.unit + QLatin1Char('\n') + what;
  }

  QVariant data(const QModelIndex &index, int role) const override {
    if (!index.isValid() || !steps_) return QVariant();
    const int s = index.row(), c = index.column();
    const run::SweepStep &step = steps_->at(s);
    const EvaluationRow *row = nullptr;
    int q = -1;
    if (c >= 2 && c < columnCount() - 1) {
      const SizeLine &l = lines_.at((c - 2) / kQuantities);
      q = (c - 2) % kQuantities;
      if (l.rowOf[s] >= 0) row = &step.result.evaluation.at(l.rowOf[s]);
    }
    if (role == Qt::TextAlignmentRole)
      return QVariant::fromValue(c == columnCount() - 1 ? (Qt::AlignLeft | Qt::AlignVCenter)
                                                        : (Qt::AlignRight | Qt::AlignVCenter));
    if (role == Qt::ForegroundRole && row && eval::fails(*row)) return warning_;
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return QVariant();
    if (c == 0) return QString::number(s + 1);
    if (c == 1) return sweep_->values.at(s).text;
    if (c == columnCount() - 1) {
      QStringList said;
      for (const msg::Message &m : step.messages) said << m.text.section(QLatin1Char('\n'), 0, 0);
      if (step.result.calcFailed && said.isEmpty()) said << builtinText(1679).arg(QString());
      return said.join(QStringLiteral(" | "));
    }
    if (!row) return QString();
    if (q == 0) return eval::loadText(*row);
    if (q == 1) return eval::safetyText(*row);
    return hours_ ? lifeHoursText(*row) : eval::lifeText(*row);
  }

 private:
  const QVector<run::SweepStep> *steps_ = nullptr;
  const run::Sweep *sweep_ = nullptr;
  QString inputName_;
  bool hours_ = false;
  QColor warning_;
  QVector<SizeLine> lines_;
};

// ---------------------------------------------------------------------------------

FrmParameterstudie::FrmParameterstudie(Session &session, CalcDocument *document, QWidget *parent)
    : QWidget(parent, Qt::Window), session_(session), document_(document) {
  setObjectName(QStringLiteral("FrmParameterstudie"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(screenCaption(session_, builtinText(1659)));
  setWindowIcon(gui::windowIcon(session_));
  buildControls();
  fillInputs();
  if (document_) connect(document_, &CalcDocument::inputChanged, this, &FrmParameterstudie::noteInputChanged);
  gui::placeWindow(this, QSize(1240, 720), parent);
}

FrmParameterstudie::~FrmParameterstudie() = default;

void FrmParameterstudie::buildControls() {
  auto *top = new QVBoxLayout(this);
  auto *inputRow = new QHBoxLayout;
  const auto label = [this](int text, QWidget *buddy) {
    auto *l = new QLabel(this);
    gui::showText(l, text);
    l->setBuddy(buddy);
    return l;
  };
  cboEingabe_ = new QComboBox(this);
  cboEingabe_->setObjectName(QStringLiteral("CboEingabe"));
  cboEingabe_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  tbVon_ = new QLineEdit(this);
  tbVon_->setObjectName(QStringLiteral("Tb_Von"));
  tbBis_ = new QLineEdit(this);
  tbBis_->setObjectName(QStringLiteral("Tb_Bis"));
  tbSchritte_ = new QLineEdit(QString::number(kDefaultSteps), this);
  tbSchritte_->setObjectName(QStringLiteral("Tb_Schritte"));
  gui::setNumericRules(tbVon_, true);
  gui::setNumericRules(tbBis_, true);
  for (QLineEdit *e : {tbVon_, tbBis_, tbSchritte_}) e->setMaximumWidth(gui::px(1400));
  cmdBerechnen_ = new QPushButton(this);
  gui::showText(cmdBerechnen_, 1522);
  cmdBerechnen_->setObjectName(QStringLiteral("CmdBerechnen"));
  inputRow->addWidget(label(1661, cboEingabe_));
  inputRow->addWidget(cboEingabe_, 1);
  inputRow->addSpacing(gui::px(180));
  inputRow->addWidget(label(1662, tbVon_));
  inputRow->addWidget(tbVon_);
  inputRow->addWidget(label(1663, tbBis_));
  inputRow->addWidget(tbBis_);
  inputRow->addWidget(label(1664, tbSchritte_));
  inputRow->addWidget(tbSchritte_);
  inputRow->addSpacing(gui::px(180));
  inputRow->addWidget(cmdBerechnen_);
  top->addLayout(inputRow);

  auto *split = new QSplitter(Qt::Horizontal, this);
  chartsPane_ = new QWidget(split);
  chartsPane_->setObjectName(QStringLiteral("Diagramme"));
  chartsPane_->setAutoFillBackground(true);
  QPalette white = chartsPane_->palette();
  white.setColor(QPalette::Window, Qt::white);
  chartsPane_->setPalette(white);
  auto *chartsLayout = new QVBoxLayout(chartsPane_);
  chartsLayout->setContentsMargins(4, 4, 4, 4);
  chartsLayout->setSpacing(0);
  legend_ = new QLabel(chartsPane_);
  legend_->setObjectName(QStringLiteral("Legende"));
  legend_->setWordWrap(true);
  legend_->setTextFormat(Qt::RichText);
  chartsLayout->addWidget(legend_);
  for (int i = 0; i < kQuantities; ++i) {
    auto *view = new QChartView(new QChart, chartsPane_);
    view->setObjectName(QStringLiteral("Diagramm%1").arg(i));
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumHeight(150);
    charts_.append(view);
    chartsLayout->addWidget(view, 1);
  }
  table_ = new QTableView(split);
  table_->setObjectName(QStringLiteral("Tabelle"));
  model_ = new StudyModel(this);
  table_->setModel(model_);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);
  connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex &current) { selectStep(current.isValid() ? current.row() : -1); });
  split->addWidget(chartsPane_);
  split->addWidget(table_);
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 2);
  split->setSizes({700, 520});
  top->addWidget(split, 1);

  auto *buttons = new QHBoxLayout;
  labHinweis_ = new QLabel(this);
  labHinweis_->setObjectName(QStringLiteral("LabHinweis"));
  labHinweis_->setWordWrap(true);
  cmdCsv_ = new QPushButton(this);
  gui::showText(cmdCsv_, 1654);
  cmdCsv_->setObjectName(QStringLiteral("CmdCsv"));
  cmdDiagramme_ = new QPushButton(this);
  gui::showText(cmdDiagramme_, 1666);
  cmdDiagramme_->setObjectName(QStringLiteral("CmdDiagramme"));
  cmdUebernehmen_ = new QPushButton(this);
  gui::showText(cmdUebernehmen_, 1665);
  cmdUebernehmen_->setObjectName(QStringLiteral("CmdUebernehmen"));
  buttons->addWidget(labHinweis_, 1);
  buttons->addWidget(cmdCsv_);
  buttons->addWidget(cmdDiagramme_);
  buttons->addWidget(cmdUebernehmen_);
  top->addLayout(buttons);

  // Enter in a field of the range calculates; Enter on a focused button presses it.
  for (QLineEdit *field : {tbVon_, tbBis_, tbSchritte_})
    connect(field, &QLineEdit::returnPressed, this, &FrmParameterstudie::CmdBerechnen_Click);
  for (QPushButton *b : findChildren<QPushButton *>()) b->setAutoDefault(true);
  connect(cboEingabe_, &QComboBox::activated, this, &FrmParameterstudie::chooseInput);
  connect(tbSchritte_, &QLineEdit::textChanged, this, &FrmParameterstudie::checkSteps);
  connect(cmdBerechnen_, &QPushButton::clicked, this, &FrmParameterstudie::CmdBerechnen_Click);
  connect(cmdCsv_, &QPushButton::clicked, this, &FrmParameterstudie::CmdCsv_Click);
  connect(cmdDiagramme_, &QPushButton::clicked, this, &FrmParameterstudie::CmdDiagramme_Click);
  connect(cmdUebernehmen_, &QPushButton::clicked, this, &FrmParameterstudie::CmdUebernehmen_Click);
  updateButtons();
}

QStringList FrmParameterstudie::inputKeys() const {
  QStringList keys;
  for (const Input &in : inputs_) keys << in.key;
  return keys;
}

// The distances of the arrangement, then every force row's value and its coordinates
// (not the one along its own axis, which is taken as 0), load case by load case; named
// in the language of the screens.
QVector<FrmParameterstudie::Input> FrmParameterstudie::inputsOf(const calcfile::Case &c) {
  QVector<Input> inputs;
  if (const ArrangementInfo *a = arrangementByScreen(c.arrangement)) {
    if (a->hasM) inputs.append({QStringLiteral("m"), builtinText(1516), false});
    if (a->hasN) inputs.append({QStringLiteral("n"), builtinText(1517), false});
  }
  const auto forces = [&inputs](const TextRows &rows, const QString &keyPrefix, const QString &namePrefix) {
    for (int r = 0; r < rows.size(); ++r) {
      const QStringList &row = rows[r];
      if (row.value(0).trimmed().isEmpty()) continue;
      const int own = loads::ownCoordinateColumn(row.value(0));
      for (int col = 1; col <= 4; ++col) {
        if (col == own) continue;
        inputs.append({keyPrefix + QStringLiteral("forces.%1.%2").arg(r).arg(col),
                       namePrefix + builtinText(1660).arg(r + 1).arg(row.value(0), builtinText(515 + col)),
                       col > 1});
      }
    }
  };
  if (c.loadCases.isEmpty()) {
    forces(c.forces, QString(), QString());
  } else {
    for (int i = 0; i < c.loadCases.size(); ++i)
      forces(c.loadCases[i].forces, QStringLiteral("loadCases.%1.").arg(i), builtinText(1862).arg(c.loadCases[i].name));
  }
  return inputs;
}

void FrmParameterstudie::fillInputs() {
  inputs_.clear();
  if (!document_) return;
  inputs_ = inputsOf(document_->input());
  cboEingabe_->clear();
  for (const Input &in : inputs_) cboEingabe_->addItem(in.name, in.key);
  if (!inputs_.isEmpty()) chooseInput(0);
}

// The range offered for an input: around the value it holds, within its plausible range.
void FrmParameterstudie::chooseInput(int index) {
  if (index < 0 || index >= inputs_.size() || !document_) return;
  const Input &in = inputs_[index];
  cboEingabe_->setCurrentIndex(index);
  run::Sweep s;
  calcfile::Error e;
  double v = 0.0;
  if (run::parseSweepKey(in.key, document_->input(), &s, &e))
    num::toDouble(run::sweptText(document_->input(), s), &v);
  const limits::Range r = limits::range(run::quantityOf(s));
  double from = 0.0, to = 0.0;
  if (in.minus) {
    from = v - 100.0;
    to = v + 100.0;
  } else if (v > 0.0) {
    from = num::roundHalfEven(v / 2.0);
    to = num::roundHalfEven(v * 1.5);
  } else {
    to = 100.0;
  }
  // The sign is allowed where the input takes one (the coordinates).
  for (QLineEdit *field : {tbVon_, tbBis_}) {
    delete field->validator();
    field->setValidator(new NumericValidator(in.minus, field));
  }
  tbVon_->setText(num::doubleToText(std::clamp(from, r.low, r.high)));
  tbBis_->setText(num::doubleToText(std::clamp(to, r.low, r.high)));
}

// The number of steps: a whole number from 2 to 200 (digits only), marked at once when it
// is not. 0 when it is not.
int FrmParameterstudie::checkSteps() {
  const QString text = tbSchritte_->text().trimmed();
  bool digits = !text.isEmpty();
  for (const QChar c : text) digits = digits && c >= QLatin1Char('0') && c <= QLatin1Char('9');
  const int n = digits && text.size() <= 3 ? text.toInt() : 0;
  const bool ok = n >= kMinSteps && n <= kMaxSteps;
  gui::markField(tbSchritte_, ok ? QString() : builtinText(1678).arg(kMinSteps).arg(kMaxSteps));
  return ok ? n : 0;
}

void FrmParameterstudie::CmdBerechnen_Click() {
  const int index = cboEingabe_->currentIndex();
  if (!document_ || index < 0 || index >= inputs_.size()) return;
  const Input &in = inputs_[index];
  const QString title = builtinText(314);
  run::Sweep probe;
  calcfile::Error e;
  if (!run::parseSweepKey(in.key, document_->input(), &probe, &e)) {
    msg::critical2(problemText(e), title);
    return;
  }
  // The range as every numeric field is checked: the characters, the plausible range;
  // an empty field says what is missing.
  const limits::Quantity q = run::quantityOf(probe);
  for (QLineEdit *field : {tbVon_, tbBis_}) {
    const QString name =
        builtinText(field == tbVon_ ? 1662 : 1663).remove(QLatin1Char('&')).remove(QLatin1Char(':'));
    if (field->text().trimmed().isEmpty()) {
      gui::markField(field, builtinText(1688).arg(name));
      msg::critical2(builtinText(1688).arg(name), title);
      field->setFocus();
      return;
    }
    if (!gui::checkNumber(field, name, title, q, nullptr)) return;
  }
  const int steps = checkSteps();
  if (steps == 0) {
    msg::critical2(builtinText(1678).arg(kMinSteps).arg(kMaxSteps), title);
    tbSchritte_->setFocus();
    tbSchritte_->selectAll();
    return;
  }
  const calcfile::Case base = document_->input();
  if (!base.tickAll && base.ticked.isEmpty()) {
    msg::plain(builtinText(1687), windowTitle());
    return;
  }
  run::Sweep sweep;
  if (!run::makeSweep(in.key, base, tbVon_->text(), tbBis_->text(), steps, &sweep, &e)) {
    msg::critical2(problemText(e), title);
    return;
  }
  // Every step on a copy of a session started as the batch tool starts one: what the
  // evaluation screen's session holds besides does not enter.
  if (!startedOk_) {
    msg::Recorder quiet;
    started_ = session_.afresh();
    startSession(started_);
    startedOk_ = true;
  }
  sweep_ = sweep;
  sweepName_ = in.name;
  studied_ = base;
  steps_ = run::runSweep(started_, base, sweep_, {true, false});
  selected_ = -1;
  showStudy();
  // A step that ended the program: what the user would have read, and the end.
  if (!steps_.isEmpty() && steps_.last().ended) {
    const QVector<msg::Message> &said = steps_.last().messages;
    if (!said.isEmpty()) msg::show(said.last());
    msg::endProgram(1);
  }
}

void FrmParameterstudie::showStudy() {
  // Lifetime in hours where the life is required in hours.
  const bool hours = studied_.requiredLife && studied_.requiredLife->hours &&
                     eval::csv::columnsOf(studied_).extraHead.contains(1301);
  model_->showSteps(&steps_, &sweep_, sweepName_, hours, gui::vbColor(gflngSetColor(session_, 702)));
  table_->resizeColumnsToContents();
  buildCharts();
  int calculated = 0;
  for (const run::SweepStep &s : steps_) calculated += s.result.calcFailed ? 0 : 1;
  labHinweis_->setText(builtinText(1682).arg(calculated).arg(sweep_.values.size()));
  updateButtons();
}

void FrmParameterstudie::buildCharts() {
  const bool hours = studied_.requiredLife && studied_.requiredLife->hours &&
                     eval::csv::columnsOf(studied_).extraHead.contains(1301);
  const QVector<SizeLine> lines = sizeLines(steps_);
  double xMin = 0.0, xMax = 1.0;
  if (!sweep_.values.isEmpty()) {
    xMin = std::min(sweep_.values.first().value, sweep_.values.last().value);
    xMax = std::max(sweep_.values.first().value, sweep_.values.last().value);
  }
  if (xMax <= xMin) xMax = xMin + 1.0;

  // The required safety of the load type, as the run sets it; the required life.
  Session s = started_;
  {
    msg::Recorder quiet;
    run::chooseLoadType(s, studied_.loadType);
  }
  const double requiredSafety = s.gsngSiko;
  double requiredLife = 0.0;
  if (studied_.requiredLife && eval::csv::columnsOf(studied_).lifeVerdict)
    num::toDouble(studied_.requiredLife->value, &requiredLife);

  const int chartTitles[kQuantities] = {1671, 1672, hours ? 1674 : 1673};
  QStringList legend;
  for (int q = 0; q < kQuantities; ++q) {
    auto *chart = new QChart;
    chart->setTitle(builtinText(chartTitles[q]));
    chart->legend()->hide();
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->setBackgroundRoundness(0);
    chart->setLocalizeNumbers(true);
    chart->setLocale(num::locale());
    // Labels in the locale's notation ("1.000", "0,5"): Qt Charts writes localized
    // numbers with the 'f' format only, with as many decimals as the range needs.
    auto *x = new QValueAxis;
    x->setRange(xMin, xMax);
    const double span = xMax - xMin;
    x->setLabelFormat(QStringLiteral("%.%1f").arg(span >= 20.0 ? 0 : span >= 2.0 ? 1 : span >= 0.2 ? 2 : 3));
    x->setTitleText(q == kQuantities - 1 ? sweepName_ : QString());
    chart->addAxis(x, Qt::AlignBottom);
    // The figures of every size; the required line of the quantity (the safety of the
    // load type, the required life) counts for the scale too.
    const double required = q == 1 ? requiredSafety : q == 2 ? requiredLife : 0.0;
    QVector<QList<QPointF>> figures(lines.size());
    double low = required > 0.0 ? required : std::numeric_limits<double>::infinity();
    double high = required > 0.0 ? required : 0.0;
    for (int k = 0; k < lines.size(); ++k)
      for (int st = 0; st < steps_.size(); ++st) {
        const int r = lines[k].rowOf[st];
        if (r < 0) continue;
        const double y = figure(steps_[st].result.evaluation.at(r), q, hours);
        if (!std::isfinite(y)) continue;
        figures[k].append(QPointF(sweep_.values.at(st).value, y));
        if (y > 0.0) low = std::min(low, y);
        high = std::max(high, y);
      }
    // Load on a linear scale from 0; safety and lifetime logarithmic where they span more
    // than a decade (a logarithmic axis is labelled at the powers of ten only).
    const bool logarithmic = q > 0 && high > 0.0 && high / low > 10.0;
    double yMin = std::numeric_limits<double>::infinity(), yMax = 0.0;
    QVector<QLineSeries *> series;
    for (int k = 0; k < lines.size(); ++k) {
      QList<QPointF> points;
      for (const QPointF &p : figures[k]) {
        if (logarithmic && p.y() <= 0.0) continue;
        points.append(p);
        yMin = std::min(yMin, p.y());
        yMax = std::max(yMax, p.y());
      }
      auto *line = new QLineSeries;
      line->setName(lines[k].unit);
      QPen pen(sizeColour(k));
      pen.setWidthF(1.6);
      line->setPen(pen);
      line->replace(points);
      chart->addSeries(line);
      series.append(line);
      connect(line, &QLineSeries::clicked, this, [this](const QPointF &p) {
        int best = -1;
        for (int st = 0; st < sweep_.values.size(); ++st)
          if (best < 0 ||
              std::fabs(sweep_.values[st].value - p.x()) < std::fabs(sweep_.values[best].value - p.x()))
            best = st;
        selectStep(best);
      });
      if (q == 0)
        legend << QStringLiteral("<span style=\"color:%1\">&#9632;</span>&nbsp;%2")
                      .arg(sizeColour(k).name(), lines[k].unit.toHtmlEscaped());
    }
    if (required > 0.0) {
      yMin = std::min(yMin, required);
      yMax = std::max(yMax, required);
      auto *line = new QLineSeries;
      line->setObjectName(QStringLiteral("Gefordert"));
      line->setName(q == 1 ? builtinText(1675).arg(num::doubleToText(required))
                           : builtinText(1676).arg(num::formatGrouped(required) +
                                                   (hours ? QStringLiteral(" h") : QStringLiteral(" km"))));
      QPen pen(QColor(0xc0, 0, 0));
      pen.setWidthF(2.0);
      pen.setStyle(Qt::DashLine);
      line->setPen(pen);
      line->replace({QPointF(xMin, required), QPointF(xMax, required)});
      chart->addSeries(line);
      series.append(line);
      legend << QStringLiteral("<span style=\"color:#c00000\">&#8212;&nbsp;&#8212;</span>&nbsp;%1")
                    .arg(line->name().toHtmlEscaped());
    }
    if (!(yMax > 0.0)) yMax = 1.0;
    if (!std::isfinite(yMin)) yMin = logarithmic ? yMax / 10.0 : 0.0;
    QAbstractAxis *y = nullptr;
    if (logarithmic) {
      auto *axis = new QLogValueAxis;
      axis->setBase(10.0);
      axis->setLabelFormat(q == 1 ? QStringLiteral("%.1f") : QStringLiteral("%.0f"));
      // The safety spans a decade or two: its minor lines (2 to 9) help reading it.
      axis->setMinorTickCount(q == 1 ? 8 : 0);
      axis->setRange(yMin / 1.5, yMax * 1.5);
      y = axis;
    } else {
      auto *axis = new QValueAxis;
      axis->setRange(0.0, yMax * 1.05);
      axis->setLabelFormat(q == 1 ? QStringLiteral("%.1f") : QStringLiteral("%.0f"));
      axis->applyNiceNumbers();
      y = axis;
    }
    chart->addAxis(y, Qt::AlignLeft);
    for (QLineSeries *line : series) {
      line->attachAxis(x);
      line->attachAxis(y);
    }
    // The marker of the chosen step.
    auto *marker = new QLineSeries;
    marker->setObjectName(QStringLiteral("Auswahl"));
    QPen pen(QColor(0x40, 0x40, 0x40));
    pen.setStyle(Qt::DotLine);
    marker->setPen(pen);
    chart->addSeries(marker);
    marker->attachAxis(x);
    marker->attachAxis(y);
    QChart *old = charts_[q]->chart();
    charts_[q]->setChart(chart);
    delete old;
  }
  legend_->setText(legend.join(QStringLiteral("&nbsp;&nbsp; ")));
  markSelection();
}

void FrmParameterstudie::selectStep(int index) {
  if (index >= sweep_.values.size() || index >= steps_.size()) index = -1;
  if (index == selected_) return;
  selected_ = index;
  if (index >= 0 && table_->currentIndex().row() != index) table_->selectRow(index);
  markSelection();
  updateButtons();
}

void FrmParameterstudie::markSelection() {
  for (QChartView *view : charts_) {
    QChart *chart = view->chart();
    for (QAbstractSeries *series : chart->series()) {
      if (series->objectName() != QLatin1String("Auswahl")) continue;
      auto *marker = static_cast<QLineSeries *>(series);
      if (selected_ < 0) {
        marker->clear();
        continue;
      }
      const QList<QAbstractAxis *> axes = chart->axes(Qt::Vertical);
      double low = 0.0, high = 1.0;
      if (auto *v = qobject_cast<QValueAxis *>(axes.value(0))) {
        low = v->min();
        high = v->max();
      } else if (auto *l = qobject_cast<QLogValueAxis *>(axes.value(0))) {
        low = l->min();
        high = l->max();
      }
      const double x = sweep_.values.at(selected_).value;
      marker->replace({QPointF(x, low), QPointF(x, high)});
    }
  }
}

void FrmParameterstudie::updateButtons() {
  const bool any = !steps_.isEmpty();
  cmdCsv_->setEnabled(any);
  cmdDiagramme_->setEnabled(any);
  cmdUebernehmen_->setEnabled(any && selected_ >= 0 && document_);
  cmdUebernehmen_->setToolTip(builtinText(1686));
}

void FrmParameterstudie::changeEvent(QEvent *event) {
  if (event->type() == QEvent::LanguageChange && cboEingabe_ && gui::languageChanged(this)) {
    setWindowTitle(screenCaption(session_, builtinText(1659)));
    gui::retext(this);
    // The inputs named anew; the choice, the range and the study stay.
    const QVector<Input> now = document_ ? inputsOf(document_->input()) : QVector<Input>();
    for (int i = 0; i < inputs_.size(); ++i)
      for (const Input &in : now)
        if (in.key == inputs_[i].key) {
          inputs_[i].name = in.name;
          if (i < cboEingabe_->count()) cboEingabe_->setItemText(i, in.name);
        }
    if (!steps_.isEmpty()) {
      for (const Input &in : inputsOf(studied_))
        if (in.key == sweep_.key) sweepName_ = in.name;
      showStudy();
      noteInputChanged();
    }
    updateButtons();
  }
  QWidget::changeEvent(event);
}

void FrmParameterstudie::noteInputChanged() {
  if (steps_.isEmpty() || !document_ || document_->input() == studied_) return;
  labHinweis_->setText(builtinText(1680));
}

QByteArray FrmParameterstudie::csvText() const {
  const eval::csv::Columns columns = run::csvColumns(studied_, sweep_);
  std::string out = eval::csv::header(columns);
  for (int i = 0; i < steps_.size(); ++i)
    eval::csv::appendRows(out, steps_[i].result.evaluation, columns, run::csvLeading(sweep_, i));
  return QByteArray(out.data(), static_cast<qsizetype>(out.size()));
}

void FrmParameterstudie::CmdCsv_Click() {
  if (!steps_.isEmpty()) evalui::saveCsvAs(this, csvText());
}

// The charts with their legend as a picture: SVG when the name ends in ".svg", otherwise
// PNG (".png" added to a name without suffix).
void FrmParameterstudie::CmdDiagramme_Click() {
  if (steps_.isEmpty()) return;
  const AppServices::Dialogs &dialogs = app::services().dialogs;
  const std::optional<QString> chosen =
      dialogs.askSaveFileName
          ? dialogs.askSaveFileName(this, {builtinText(1667), builtinText(1668), builtinText(1207)},
                                    builtinText(1669))
          : std::nullopt;
  if (!chosen || chosen->isEmpty()) return;
  const QString path = calcfile::withSuffix(*chosen, QStringLiteral("png"));
  const bool svg = path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive);
  QSaveFile file(path);
  QString reason;
  bool ok = file.open(QIODevice::WriteOnly);
  if (ok && svg) {
    QSvgGenerator generator;
    generator.setOutputDevice(&file);
    generator.setSize(chartsPane_->size());
    generator.setViewBox(QRect(QPoint(0, 0), chartsPane_->size()));
    generator.setTitle(windowTitle());
    QPainter painter(&generator);
    chartsPane_->render(&painter);
    ok = painter.end();
  } else if (ok) {
    QImageWriter writer(&file, "png");
    ok = writer.write(chartsPane_->grab().toImage());
    if (!ok) reason = writer.errorString();
  }
  ok = ok && file.commit();
  if (!ok) {
    if (reason.isEmpty()) reason = file.errorString();
    file.cancelWriting();
    msg::critical(builtinText(1670).arg(QDir::toNativeSeparators(path), reason), builtinText(1669));
  }
}

// The chosen step's value typed into its field: one undoable edit of the calculation.
// The evaluation screen then gives way to the arrangement screen with the new input,
// whose loads are to be calculated again.
void FrmParameterstudie::CmdUebernehmen_Click() {
  if (!document_ || selected_ < 0 || selected_ >= sweep_.values.size()) return;
  const calcfile::Case now = document_->input();
  run::Sweep field;
  calcfile::Error e;
  if (!run::parseSweepKey(sweep_.key, now, &field, &e)) {
    msg::critical(problemText(e), windowTitle());
    return;
  }
  input::noteChange();
  document_->editFromOutside(builtinText(1681), run::sweptCase(now, sweep_, selected_));
}
