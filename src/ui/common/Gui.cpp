#include "ui/common/Gui.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QLibraryInfo>
#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QTranslator>
#include <algorithm>
#include <memory>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QScreen>
#include <QTableWidget>

#include "core/common/Messages.h"
#include "core/common/Numbers.h"
#include "core/common/Texts.h"

namespace gui {

namespace {
// The buttons of a message, in their order, with the answer each gives.
QList<QPair<QMessageBox::StandardButton, msg::Answer>> buttonsOf(const msg::Message &m) {
  switch (m.buttons) {
    case msg::Buttons::Ok: return {{QMessageBox::Ok, msg::Answer::Ok}};
    case msg::Buttons::OkCancel: return {{QMessageBox::Ok, msg::Answer::Ok}, {QMessageBox::Cancel, msg::Answer::Cancel}};
    case msg::Buttons::YesNo: return {{QMessageBox::Yes, msg::Answer::Yes}, {QMessageBox::No, msg::Answer::No}};
    case msg::Buttons::YesNoCancel:
      return {{QMessageBox::Yes, msg::Answer::Yes},
              {QMessageBox::No, msg::Answer::No},
              {QMessageBox::Cancel, msg::Answer::Cancel}};
    case msg::Buttons::RetryCancel:
      return {{QMessageBox::Retry, msg::Answer::Retry}, {QMessageBox::Cancel, msg::Answer::Cancel}};
    case msg::Buttons::SaveDiscardCancel:
      return {{QMessageBox::Save, msg::Answer::Save},
              {QMessageBox::Discard, msg::Answer::Discard},
              {QMessageBox::Cancel, msg::Answer::Cancel}};
  }
  return {{QMessageBox::Ok, msg::Answer::Ok}};
}
}  // namespace

QMessageBox *messageBox(const msg::Message &m, QWidget *parent) {
  auto *box = new QMessageBox(parent);
  box->setWindowTitle(m.title.isEmpty() ? builtinText(100).trimmed() : m.title);
  box->setText(QString(m.text).replace(QChar(13), QChar(10)));
  switch (m.icon) {
    case msg::Icon::Critical: box->setIcon(QMessageBox::Critical); break;
    case msg::Icon::Question: box->setIcon(QMessageBox::Question); break;
    case msg::Icon::Exclamation: box->setIcon(QMessageBox::Warning); break;
    case msg::Icon::Information: box->setIcon(QMessageBox::Information); break;
    case msg::Icon::None: box->setIcon(QMessageBox::NoIcon); break;
  }
  const auto buttons = buttonsOf(m);
  QMessageBox::StandardButtons all;
  for (const auto &b : buttons) all |= b.first;
  box->setStandardButtons(all);
  const int def = qBound(1, m.defaultButton, static_cast<int>(buttons.size()));
  box->setDefaultButton(buttons.at(def - 1).first);
  // A short text would give a box narrower than its title, which the window manager then
  // cuts ("Abbruch der Ber…"): the box is made wide enough for the title, with room for
  // the frame's buttons.
  if (auto *grid = qobject_cast<QGridLayout *>(box->layout())) {
    const QFontMetrics fm(QApplication::font("QMdiSubWindowTitleBar"));
    const int titleWidth = fm.horizontalAdvance(box->windowTitle()) + 140;
    grid->addItem(new QSpacerItem(titleWidth, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                  grid->columnCount());
  }
  return box;
}

void installMessageBoxPresenter() {
  msg::setPresenter([](const msg::Message &m) {
    std::unique_ptr<QMessageBox> box(messageBox(m, QApplication::activeWindow()));
    const auto clicked = static_cast<QMessageBox::StandardButton>(box->exec());
    const auto buttons = buttonsOf(m);
    for (const auto &b : buttons)
      if (b.first == clicked) return b.second;
    return buttons.size() > 1 ? buttons.last().second : buttons.first().second;
  });
}

QColor systemColor(int index) {
  const QPalette pal = QApplication::palette();
  switch (index) {
    case 5: return pal.color(QPalette::Base);             // window background
    case 8: return pal.color(QPalette::Text);             // window text
    case 13: return pal.color(QPalette::Highlight);
    case 14: return pal.color(QPalette::HighlightedText);
    case 15: return pal.color(QPalette::Button);          // button face
    case 18: return pal.color(QPalette::ButtonText);
    default: return pal.color(QPalette::Window);
  }
}

QColor vbColor(qint32 value) {
  if (value < 0) return systemColor(static_cast<int>(static_cast<quint32>(value) & 0xFF));
  const quint32 v = static_cast<quint32>(value);
  return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

int px(double twips) {
  return static_cast<int>(std::lround(twips / 15.0));
}

double toTwips(int pixels) { return pixels * 15.0; }

int textWidthTwips(const QFont &font, const QString &text) {
  const QFontMetrics fm(font);
  int widest = 0;
  for (const QString &line : QString(text).replace(QChar(13), QChar(10)).split(QChar(10)))
    widest = std::max(widest, fm.horizontalAdvance(line));
  return static_cast<int>(toTwips(widest));
}

int fittedColumnWidth(int widestTextTwips) {
  int w = static_cast<int>(num::roundHalfEven(widestTextTwips * 1.2, 0));
  if (w < 500) w = static_cast<int>(num::roundHalfEven(w * 1.4, 0));
  return w;
}

void gsubSetColWidth(QWidget *window, QTableWidget *grid, bool merge) {
  if (!grid) return;
  Q_UNUSED(merge);  // cells are never merged in this program's grids
  const QFont font = window ? window->font() : grid->font();
  grid->setUpdatesEnabled(false);
  for (int c = 0; c < grid->columnCount(); ++c) {
    int widest = 0;
    for (int r = 0; r < grid->rowCount(); ++r) {
      if (const QTableWidgetItem *it = grid->item(r, c)) widest = std::max(widest, textWidthTwips(font, it->text()));
    }
    if (const QTableWidgetItem *h = grid->horizontalHeaderItem(c)) widest = std::max(widest, textWidthTwips(font, h->text()));
    grid->setColumnWidth(c, px(fittedColumnWidth(widest)));
  }
  grid->setUpdatesEnabled(true);
}

void gsubSetMenuPics(QMenu *submenu, const QList<int> &positions, const QList<QPixmap> &pictures) {
  if (!submenu) return;
  const QList<QAction *> actions = submenu->actions();
  for (int i = 0; i < positions.size() && i < 6 && i < pictures.size(); ++i) {
    const int pos = positions.at(i);
    if (pos >= 0 && pos < actions.size()) actions.at(pos)->setIcon(QIcon(pictures.at(i)));
  }
}

QLabel *headingLabel(QWidget *parent, double scale) {
  auto *label = new QLabel(parent);
  label->setObjectName(QStringLiteral("LabUebSchr"));
  QFont f = label->font();
  f.setBold(true);
  f.setPointSizeF(f.pointSizeF() * scale);
  label->setFont(f);
  return label;
}

QPixmap headingPicture(const Session &session) {
  if (session.gintTextMode == 3) {
    QPixmap p(QStringLiteral("CusPic/151.bmp"));
    return p;
  }
  return resourcePicture(151);
}

QIcon windowIcon(const Session &session) {
  if (session.gintTextMode == 3) return QIcon(QStringLiteral("CusPic/101.ico"));
  return resourceIcon(100);
}

bool isKeyboardFocus(Qt::FocusReason reason) {
  return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::OtherFocusReason ||
         reason == Qt::ShortcutFocusReason;
}

namespace {
QTranslator *&qtTranslator() {
  static QTranslator *translator = nullptr;
  return translator;
}
bool qtTranslatorInstalled = false;
}  // namespace

bool loadQtTranslations() {
  QTranslator *&translator = qtTranslator();
  if (!translator) {
    auto *t = new QTranslator(QCoreApplication::instance());
    if (!t->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
      delete t;
      return false;
    }
    translator = t;
  }
  if (!qtTranslatorInstalled) QCoreApplication::installTranslator(translator);
  qtTranslatorInstalled = true;
  return true;
}

namespace {
void setShownText(QObject *o, const QString &text) {
  if (auto *a = qobject_cast<QAction *>(o)) a->setText(text);
  else if (auto *m = qobject_cast<QMenu *>(o)) m->setTitle(text);
  else if (auto *g = qobject_cast<QGroupBox *>(o)) g->setTitle(text);
  else if (auto *b = qobject_cast<QAbstractButton *>(o)) b->setText(text);
  else if (auto *l = qobject_cast<QLabel *>(o)) l->setText(text);
}
const char *const kTextId = "textId";
}  // namespace

void showText(QObject *object, int id) {
  object->setProperty(kTextId, id);
  setShownText(object, builtinText(id));
}

void retext(QObject *root) {
  QList<QObject *> all = root->findChildren<QObject *>();
  all.prepend(root);
  for (QObject *o : all) {
    const QVariant id = o->property(kTextId);
    if (id.isValid()) setShownText(o, builtinText(id.toInt()));
  }
}

namespace {
class LanguageChangeFilter : public QObject {
 public:
  LanguageChangeFilter(QWidget *widget, std::function<void()> show) : QObject(widget), show_(std::move(show)) {
    widget->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override {
    if (watched == parent() && event->type() == QEvent::LanguageChange) show_();
    return false;
  }

 private:
  std::function<void()> show_;
};
}  // namespace

bool languageChanged(QWidget *window) {
  static const char *const kShown = "shownLanguage";
  const int now = static_cast<int>(interfaceLanguage());
  const QVariant shown = window->property(kShown);
  if (shown.isValid() && shown.toInt() == now) return false;
  window->setProperty(kShown, now);
  return true;
}

void onLanguageChange(QWidget *widget, std::function<void()> show) {
  new LanguageChangeFilter(widget, std::move(show));
}

void useQtTranslations(bool german) {
  if (german) {
    loadQtTranslations();
  } else if (qtTranslator() && qtTranslatorInstalled) {
    QCoreApplication::removeTranslator(qtTranslator());
    qtTranslatorInstalled = false;
  }
}

void placeWindow(QWidget *window, const QSize &size, const QWidget *near) {
  if (!near) near = QApplication::activeWindow();
  QScreen *screen = near ? near->screen() : QGuiApplication::screenAt(QCursor::pos());
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) {
    window->resize(size);
    return;
  }
  // Room for the window frame and title bar the window manager adds.
  const QRect area = screen->availableGeometry();
  const QSize frame(16, 40);
  const QSize fitted = size.boundedTo(area.size() - frame).expandedTo(window->minimumSize());
  window->resize(fitted);
  const QPoint topLeft(area.x() + std::max(0, (area.width() - fitted.width() - frame.width()) / 2),
                       area.y() + std::max(0, (area.height() - fitted.height() - frame.height()) / 2));
  window->move(topLeft);
}

}  // namespace gui
