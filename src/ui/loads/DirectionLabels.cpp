#include "ui/loads/DirectionLabels.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "ui/common/Gui.h"
#include "core/common/Texts.h"

namespace {
const QColor kYellow(255, 255, 0);

// A red arrow along `dir` (unit vector, y down), centred in a square picture.
QPixmap arrowPicture(const QPointF &dir, int size) {
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const QPointF c(size / 2.0, size / 2.0);
  const double half = size * 0.44;
  const QPointF tip = c + dir * half, tail = c - dir * half;
  const QPointF n(-dir.y(), dir.x());
  p.setPen(QPen(QColor(220, 0, 0), std::max(2.0, size / 11.0), Qt::SolidLine, Qt::RoundCap));
  p.drawLine(tail, tip - dir * (size * 0.25));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(220, 0, 0));
  const double h = size * 0.34;
  p.drawPolygon(QPolygonF{tip, tip - dir * h + n * h * 0.5, tip - dir * h - n * h * 0.5});
  return pm;
}

// The keyboard focus shows as a dark double-width frame.
QString labelStyle(const QColor &back, bool focused) {
  return QStringLiteral("QLabel { background-color: %1; color: black; border: %2; }")
      .arg(back.name(), focused ? QStringLiteral("2px solid #000080") : QStringLiteral("1px solid #8080a0"));
}
}  // namespace

DirectionLabels::DirectionLabels(QWidget *picture) : QObject(picture) {
  for (int i = 0; i < loads::kDirectionLabelCount; ++i) {
    auto *arrow = new QLabel(picture);
    arrow->setObjectName(QStringLiteral("Pfeil_%1").arg(i));
    arrow->setAttribute(Qt::WA_TransparentForMouseEvents);
    arrow->hide();
    arrows_[static_cast<size_t>(i)] = arrow;
    auto *label = new QLabel(loads::directionCaption(i), picture);
    label->setObjectName(QStringLiteral("LabKoordinaten_%1").arg(i));
    label->setAlignment(Qt::AlignCenter);
    label->setToolTip(builtinText(409));
    label->setCursor(Qt::PointingHandCursor);
    label->setMouseTracking(true);
    // Reachable with Tab and the arrow keys; Enter or Space asks for the force.
    label->setFocusPolicy(Qt::StrongFocus);
    label->installEventFilter(this);
    labels_[static_cast<size_t>(i)] = label;
  }
  resetHighlight();
}

void DirectionLabels::place(int i, const QPointF &anchor, const QPointF &direction, double scale) {
  QLabel *label = labels_.at(static_cast<size_t>(i));
  const QSize size(static_cast<int>(std::lround(34 * scale)), static_cast<int>(std::lround(18 * scale)));
  label->setGeometry(QRect(QPoint(static_cast<int>(std::lround(anchor.x() - size.width() / 2.0)),
                                  static_cast<int>(std::lround(anchor.y() - size.height() / 2.0))),
                           size));
  // The arrow lies over the end of the axis, between the picture and the label, and
  // points the way the force acts.
  const int a = static_cast<int>(std::lround(30 * scale));
  QLabel *arrow = arrows_.at(static_cast<size_t>(i));
  arrow->setPixmap(arrowPicture(direction, a));
  const QPointF c = anchor - direction * (std::abs(direction.x()) * size.width() / 2.0 +
                                          std::abs(direction.y()) * size.height() / 2.0 + a * 0.55);
  arrow->setGeometry(static_cast<int>(std::lround(c.x() - a / 2.0)),
                     static_cast<int>(std::lround(c.y() - a / 2.0)), a, a);
}

void DirectionLabels::highlight(int i) {
  QLabel *label = labels_.at(static_cast<size_t>(i));
  label->setStyleSheet(labelStyle(kYellow, keyFocus_[static_cast<size_t>(i)]));
  arrows_.at(static_cast<size_t>(i))->show();
  arrows_.at(static_cast<size_t>(i))->raise();
  lit_[static_cast<size_t>(i)] = true;
}

void DirectionLabels::resetHighlight() {
  // The system's highlighted-text colour, as the labels were designed.
  const QColor normal = gui::systemColor(14);
  for (int i = 0; i < loads::kDirectionLabelCount; ++i) {
    labels_[static_cast<size_t>(i)]->setStyleSheet(labelStyle(normal, keyFocus_[static_cast<size_t>(i)]));
    arrows_[static_cast<size_t>(i)]->hide();
    lit_[static_cast<size_t>(i)] = false;
  }
}

bool DirectionLabels::isHighlighted(int i) const { return lit_.at(static_cast<size_t>(i)); }

bool DirectionLabels::hasFocusFrame(int i) const { return keyFocus_.at(static_cast<size_t>(i)); }

void DirectionLabels::restyle(int i) {
  const size_t k = static_cast<size_t>(i);
  labels_[k]->setStyleSheet(labelStyle(lit_[k] ? kYellow : gui::systemColor(14), keyFocus_[k]));
}

bool DirectionLabels::keyPress(int i, const QKeyEvent *k) {
  switch (k->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      emit pressed(i);
      return true;
    case Qt::Key_Right:
    case Qt::Key_Down:
      labels_[static_cast<size_t>((i + 1) % loads::kDirectionLabelCount)]->setFocus(Qt::OtherFocusReason);
      return true;
    case Qt::Key_Left:
    case Qt::Key_Up:
      labels_[static_cast<size_t>((i + loads::kDirectionLabelCount - 1) % loads::kDirectionLabelCount)]->setFocus(
          Qt::OtherFocusReason);
      return true;
    default:
      return false;
  }
}

bool DirectionLabels::eventFilter(QObject *watched, QEvent *event) {
  for (int i = 0; i < loads::kDirectionLabelCount; ++i) {
    if (watched != labels_[static_cast<size_t>(i)]) continue;
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
      if (!lit_[static_cast<size_t>(i)]) highlight(i);
      // Consumed here: passed on, the move would reach the picture below, which resets
      // the highlighting.
      return event->type() == QEvent::MouseMove;
    } else if (event->type() == QEvent::MouseButtonPress) {
      // A press of any mouse button asks for the force.
      emit pressed(i);
      return true;
    } else if (event->type() == QEvent::KeyPress) {
      if (keyPress(i, static_cast<QKeyEvent *>(event))) return true;
    } else if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
      // The frame shows where the keyboard is; the focus a window hands its first
      // control on opening, or a mouse click, draws none.
      keyFocus_[static_cast<size_t>(i)] =
          event->type() == QEvent::FocusIn && gui::isKeyboardFocus(static_cast<QFocusEvent *>(event)->reason());
      restyle(i);
    }
    break;
  }
  return QObject::eventFilter(watched, event);
}
