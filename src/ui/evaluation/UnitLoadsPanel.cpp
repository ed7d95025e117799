#include "ui/evaluation/UnitLoadsPanel.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTableWidget>
#include <algorithm>

#include "core/common/Texts.h"
#include "output/arrangements/Drawings.h"
#include "ui/common/Gui.h"

namespace {
// The miniature: the arrangement screen's drawing at 64 % of its design size, so that
// the panel fits beside the grid of the evaluation window on a 1366 pixel wide screen.
constexpr int kMiniWidth = static_cast<int>(drawing::kDesignWidth * 0.64);
constexpr int kMiniHeight = static_cast<int>(drawing::kDesignHeight * 0.64);
constexpr int kWarningColour = 702;  // the largest load on the arrangement screen
// The names of positions and sources in the language the screens speak.
bool screensSpeakEnglish() { return interfaceLanguage() == Language::English; }
}  // namespace

// The drawing painted small, the load shapes filled and the rated values written on
// labels at the places the arrangement screen writes them.
class UnitLoadsPanel::Miniature : public QWidget {
 public:
  Miniature(ArrangementId id, QWidget *parent) : QWidget(parent), id_(id) {
    setObjectName(QStringLiteral("PicAnordnung"));
    setFixedSize(kMiniWidth, kMiniHeight);
    const drawing::Layout l = drawing::layout(id, QRectF(rect()));
    anchors_ = l.loadLabels;
    fills_ = QVector<QColor>(l.loadShapes.size());
    for (int k = 0; k < anchors_.size(); ++k) {
      auto *lab = new QLabel(this);
      lab->setObjectName(QStringLiteral("LabLast_%1").arg(k));
      QFont f = lab->font();
      f.setBold(true);
      lab->setFont(f);
      // A white ground keeps the value readable where it crosses a line of the drawing.
      lab->setAutoFillBackground(true);
      QPalette pal = lab->palette();
      pal.setColor(QPalette::Window, Qt::white);
      lab->setPalette(pal);
      lab->setMargin(1);
      lab->hide();
      labels_ << lab;
    }
  }

  QLabel *label(int k) const { return labels_.value(k); }
  const QVector<QColor> &fills() const { return fills_; }

  // texts[k] at label k (empty: hidden); marked labels in the warning colour. Every shape
  // gets `neutral`, the marked ones `warning`; without texts the shapes are not drawn.
  void setLoads(const QStringList &texts, const QVector<bool> &marked, const QColor &neutral, const QColor &warning) {
    for (int k = 0; k < labels_.size(); ++k) {
      QLabel *lab = labels_[k];
      lab->setText(texts.value(k));
      QPalette pal = lab->palette();
      pal.setColor(QPalette::WindowText, marked.value(k) ? warning : QColor(Qt::black));
      lab->setPalette(pal);
      lab->adjustSize();
      const QPointF c = anchors_.at(k);
      lab->move(static_cast<int>(c.x() - lab->width() / 2.0), static_cast<int>(c.y() - lab->height() / 2.0));
      lab->setVisible(!lab->text().isEmpty());
    }
    for (int k = 0; k < fills_.size(); ++k) fills_[k] = texts.isEmpty() ? QColor() : (marked.value(k) ? warning : neutral);
    update();
  }

 protected:
  void paintEvent(QPaintEvent *) override {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    drawing::Options o;
    if (!fills_.isEmpty() && fills_.constFirst().isValid()) o.shapeFills = fills_;
    drawing::paint(p, QRectF(rect()), id_, o);
  }

 private:
  ArrangementId id_;
  QVector<QPointF> anchors_;
  QVector<QLabel *> labels_;
  QVector<QColor> fills_;
};

UnitLoadsPanel::UnitLoadsPanel(Session &session, ArrangementId id, QWidget *screen)
    : QWidget(screen, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      session_(session),
      id_(id) {
  setObjectName(QStringLiteral("FrmLastenJeEinheit"));
  setWindowIcon(gui::windowIcon(session_));

  heading_ = new QLabel(this);
  heading_->setObjectName(QStringLiteral("LabEinheit"));
  QFont bold = heading_->font();
  bold.setBold(true);
  heading_->setFont(bold);
  miniature_ = new Miniature(id, this);

  table_ = new QTableWidget(0, 2, this);
  table_->setObjectName(QStringLiteral("TabEinheiten"));
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionMode(QAbstractItemView::NoSelection);
  table_->setFocusPolicy(Qt::NoFocus);
  table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);

  governing_ = new QLabel(this);
  governing_->setObjectName(QStringLiteral("LabMassgebend"));
  governing_->setWordWrap(true);
  loadCase_ = new QLabel(this);
  loadCase_->setObjectName(QStringLiteral("LabLastfall"));
  loadCase_->setWordWrap(true);
  note_ = new QLabel(this);
  note_->setObjectName(QStringLiteral("LabHinweis"));
  note_->setWordWrap(true);

  auto *column = new QVBoxLayout(this);
  column->setSizeConstraint(QLayout::SetFixedSize);
  column->addWidget(heading_);
  column->addWidget(loadCase_);
  column->addWidget(miniature_);
  column->addWidget(table_);
  column->addWidget(governing_);
  column->addWidget(note_);
  for (QWidget *w : std::initializer_list<QWidget *>{heading_, table_, governing_, loadCase_, note_})
    w->setFixedWidth(kMiniWidth);
  showRow(nullptr);
}

UnitLoadsPanel::~UnitLoadsPanel() = default;

QLabel *UnitLoadsPanel::drawingLabel(int k) const { return miniature_->label(k); }

QVector<QColor> UnitLoadsPanel::shapeFills() const { return miniature_->fills(); }

QColor UnitLoadsPanel::colourOf(int code) const { return gui::vbColor(gflngSetColor(session_, code)); }

void UnitLoadsPanel::clear(const QString &note) {
  miniature_->setLoads({}, {}, QColor(), QColor());
  table_->setRowCount(0);
  table_->hide();
  governing_->clear();
  governing_->hide();
  loadCase_->hide();
  note_->setText(note);
  note_->show();
}

void UnitLoadsPanel::showRow(const EvaluationRow *row) {
  row_ = row ? std::optional<EvaluationRow>(*row) : std::nullopt;
  setWindowTitle(builtinText(1700));
  const bool english = screensSpeakEnglish();
  table_->setHorizontalHeaderLabels({units::sourceName(false, english), units::sourceName(true, english)});
  if (!row || row->blank()) {
    heading_->setText(builtinText(1700));
    clear(builtinText(1725));
    return;
  }
  heading_->setText(row->unit + QStringLiteral(", ") + builtinText(205) + QLatin1Char(' ') + row->size);
  const std::optional<units::UnitLoads> loads = units::unitLoadsOf(session_, *row, id_);
  if (!loads) {
    clear(builtinText(1726));
    return;
  }
  const units::UnitLoads &u = *loads;
  const QColor warning = colourOf(kWarningColour);
  const QColor neutral = colourOf(arrangement(id_).neutralColour);

  // On the drawing: the rated values at the units (one unit: P beside it, Q1..Q3 at the
  // moment arrows), the most loaded marked.
  QStringList texts;
  QVector<bool> marked;
  if (u.single) {
    texts << units::valueText(u.model[4]);
    marked << true;
    for (int k = 0; k < 3; ++k) texts << units::valueText(u.model[static_cast<size_t>(k)]);
  } else {
    for (int k = 0; k < 4; ++k) {
      texts << units::valueText(u.rated()[static_cast<size_t>(k)]);
      marked << u.mostLoaded.contains(k);
    }
  }
  marked.resize(texts.size());
  miniature_->setLoads(texts, marked, neutral, warning);

  // The table: a row per position, the model's and the check's values; the rated value
  // of the most loaded position in bold and the warning colour.
  const int count = u.valueCount();
  table_->setRowCount(count);
  QStringList names;
  for (int k = 0; k < count; ++k) names << units::unitName(id_, k, english);
  table_->setVerticalHeaderLabels(names);
  for (int source = 0; source < 2; ++source) {
    const bool check = source == 1;
    for (int k = 0; k < count; ++k) {
      auto *cell = new QTableWidgetItem;
      if (!check || u.check) cell->setText(units::valueText((check ? *u.check : u.model)[static_cast<size_t>(k)]));
      cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      if (check == u.byCheck && u.mostLoaded.contains(k)) {
        QFont f = cell->font();
        f.setBold(true);
        cell->setFont(f);
        cell->setForeground(warning);
      }
      table_->setItem(k, source, cell);
    }
  }
  table_->setColumnHidden(1, !u.check);
  table_->setFixedHeight(table_->horizontalHeader()->sizeHint().height() + count * table_->verticalHeader()->defaultSectionSize() +
                         2 * table_->frameWidth());
  table_->show();

  // The numbers in the notation of the grid beside it.
  governing_->setText(units::governingText(u, english));
  governing_->show();
  loadCase_->setVisible(u.loadCase >= 0);
  if (u.loadCase >= 0) loadCase_->setText(builtinText(1728).arg(session_.gaLoadCases.value(u.loadCase).name));
  // Where the arrangement screen writes half a position's load on the drawing, the panel
  // says that its values are whole.
  const bool halves = arrangement(id_).labelDivisor == 2;
  note_->setVisible(halves);
  note_->setText(halves ? builtinText(1727) : QString());
}

void UnitLoadsPanel::placeBeside(const QWidget *anchor) {
  if (placed_ || !anchor) return;
  placed_ = true;
  adjustSize();
  const QPoint topRight = anchor->mapToGlobal(QPoint(anchor->width(), 0));
  QScreen *screen = anchor->screen() ? anchor->screen() : QGuiApplication::primaryScreen();
  const QRect free = screen ? screen->availableGeometry() : QRect(0, 0, 1366, 768);
  const QSize size = frameGeometry().size().expandedTo(sizeHint());
  const int x = std::max(free.left(), std::min(topRight.x() + 8, free.right() - size.width()));
  const int y = std::max(free.top(), std::min(topRight.y(), free.bottom() - size.height()));
  move(x, y);
}

void UnitLoadsPanel::changeEvent(QEvent *event) {
  // Another language for the screens: the row shown again in it.
  if (event->type() == QEvent::LanguageChange) showRow(row_ ? &*row_ : nullptr);
  QWidget::changeEvent(event);
}

void UnitLoadsPanel::closeEvent(QCloseEvent *event) {
  event->accept();
  emit closed();
}
