#include "ui/evaluation/FrmDiagramm.h"

#include <QAction>
#include <QBarSeries>
#include <QBarSet>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QSvgGenerator>
#include <QToolTip>
#include <QVBoxLayout>

#include "core/common/Messages.h"
#include "core/common/SaveFile.h"
#include "core/common/Texts.h"
#include "core/document/CaseFile.h"
#include "ui/common/AppServices.h"
#include "ui/common/Gui.h"
#include "ui/evaluation/EvaluationCharts.h"
#include "ui/evaluation/FrmAuswertung.h"

namespace {

// The picture files: both charts on a sheet of 800 x 900 units of 1/96 inch, the PNG
// with twice as many pixels, so that it stays sharp when printed or enlarged.
constexpr int kFileWidth = 800;
constexpr int kFileHeight = 900;
constexpr int kPngScale = 2;


bool writeChart(const Session &session, const QString &path, bool svg, QString *error) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  const QRectF sheet(0, 0, kFileWidth, kFileHeight);
  if (svg) {
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(kFileWidth, kFileHeight));
    generator.setViewBox(sheet);
    generator.setResolution(96);
    generator.setTitle(builtinText(1601));
    generator.setDescription(windowCaption(session).trimmed());
    QPainter painter(&generator);
    painter.fillRect(sheet, Qt::white);
    charts::paint(session, painter, sheet, charts::kScreen);
  } else {
    QImage image(kFileWidth * kPngScale, kFileHeight * kPngScale, QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(96 * kPngScale / 0.0254 + 0.5);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    {
      QPainter painter(&image);
      charts::paint(session, painter, QRectF(image.rect()), charts::kScreen);
    }
    if (!image.save(&buffer, "PNG")) {
      *error = builtinText(1056);
      return false;
    }
  }
  buffer.close();
  return files::writeWhole(path, bytes, error);
}

}  // namespace

FrmDiagramm *FrmDiagramm::open(FrmAuswertung *screen) {
  auto *w = screen->findChild<FrmDiagramm *>(QString(), Qt::FindDirectChildrenOnly);
  if (!w) w = new FrmDiagramm(screen);
  w->show();
  w->raise();
  w->activateWindow();
  return w;
}

FrmDiagramm::FrmDiagramm(FrmAuswertung *screen) : QMainWindow(screen, Qt::Window), screen_(screen) {
  setObjectName(QStringLiteral("FrmDiagramm"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowIcon(gui::windowIcon(screen->session()));

  auto *central = new QWidget(this);
  auto *column = new QVBoxLayout(central);
  hint_ = new QLabel(central);
  gui::showText(hint_, 1629);
  hint_->setObjectName(QStringLiteral("LabHinweis"));
  hint_->setWordWrap(true);
  column->addWidget(hint_);
  for (QChartView **view : {&safetyView_, &lifeView_}) {
    *view = new QChartView(central);
    (*view)->setRenderHint(QPainter::Antialiasing);
    (*view)->setMinimumSize(gui::px(9000), gui::px(4200));
    (*view)->viewport()->installEventFilter(this);
    column->addWidget(*view, 1);
  }
  safetyView_->setObjectName(QStringLiteral("ChartSicherheit"));
  lifeView_->setObjectName(QStringLiteral("ChartLebensdauer"));
  setCentralWidget(central);

  QMenu *datei = menuBar()->addMenu(QString());
  datei->setObjectName(QStringLiteral("MenüDatei"));
  gui::showText(datei, 500);
  saveItem_ = datei->addAction(QString());
  gui::showText(saveItem_, 1624);
  saveItem_->setObjectName(QStringLiteral("MenüDiagrammSpeichern"));
  saveItem_->setShortcut(QKeySequence::Save);
  connect(saveItem_, &QAction::triggered, this, &FrmDiagramm::saveChart);
  datei->addSeparator();
  QAction *close = datei->addAction(QString());
  gui::showText(close, 1633);
  close->setObjectName(QStringLiteral("MenüSchließen"));
  close->setShortcut(QKeySequence::Close);
  connect(close, &QAction::triggered, this, &QWidget::close);

  connect(screen, &FrmAuswertung::evaluationShown, this, &FrmDiagramm::refresh);
  connect(screen, &FrmAuswertung::evaluationInputChanged, this, &FrmDiagramm::followInput);
  gui::placeWindow(this, QSize(gui::px(10500), gui::px(10500)), screen);
  setWindowTitle(screenCaption(screen->session(), builtinText(1601)));
  refresh();
}

void FrmDiagramm::changeEvent(QEvent *event) {
  if (event->type() == QEvent::LanguageChange && screen_ && gui::languageChanged(this)) {
    gui::retext(this);
    setWindowTitle(screenCaption(screen_->session(), builtinText(1601)));
    refresh();
  }
  QMainWindow::changeEvent(event);
}

bool FrmDiagramm::eventFilter(QObject *watched, QEvent *event) {
  if (event->type() == QEvent::ToolTip) {
    if (!tip_.isEmpty()) QToolTip::showText(QCursor::pos(), tip_, this);
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void FrmDiagramm::followInput() {
  // The charts show what the grid shows: a new evaluation updates both.
  if (screen_ && screen_->hasEvaluated()) screen_->CmdBerechnen_Click();
}

void FrmDiagramm::refresh() {
  const bool shown = screen_ && screen_->hasEvaluated();
  const charts::Data data = shown ? charts::dataOf(screen_->session()) : charts::Data{};
  const bool any = !data.bars.isEmpty();
  tip_.clear();
  hint_->setVisible(!any);
  saveItem_->setEnabled(any);
  const QFont font = this->font();
  const struct {
    QChartView *view;
    QChart *chart;
    bool life;
  } views[] = {{safetyView_, any ? charts::safetyChart(data, charts::kScreen, font) : new QChart, false},
                {lifeView_, any ? charts::lifeChart(data, charts::kScreen, font) : new QChart, true}};
  for (const auto &c : views) {
    QChart *old = c.view->chart();
    c.view->setChart(c.chart);
    delete old;
    c.view->setVisible(any);
    // The tool tip of a bar: the grid's figures of its size.
    for (QAbstractSeries *s : c.chart->series()) {
      auto *bars = qobject_cast<QBarSeries *>(s);
      if (!bars) continue;
      const bool life = c.life;
      connect(bars, &QBarSeries::hovered, this, [this, data, life](bool status, int index, QBarSet *) {
        const bool on = status && index >= 0 && index < data.bars.size();
        tip_ = on ? (life ? data.bars.at(index).lifeTip : data.bars.at(index).safetyTip) : QString();
        if (on) QToolTip::showText(QCursor::pos(), tip_, this);
        else QToolTip::hideText();
      });
    }
  }
}

bool FrmDiagramm::saveChart() {
  if (!screen_ || !saveItem_->isEnabled() || !app::services().dialogs.askSaveFileName) return false;
  const std::optional<QString> chosen = app::services().dialogs.askSaveFileName(
      this, {builtinText(1626), builtinText(1627), builtinText(1207)}, builtinText(1625));
  if (!chosen || chosen->isEmpty()) return false;
  const bool svg = QFileInfo(*chosen).suffix().compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0;
  const QString path = svg ? *chosen : calcfile::withSuffix(*chosen, QStringLiteral("png"));
  QString reason;
  if (!writeChart(screen_->session(), path, svg, &reason)) {
    msg::critical(builtinText(1628).arg(QDir::toNativeSeparators(path), reason), builtinText(1625));
    return false;
  }
  return true;
}
