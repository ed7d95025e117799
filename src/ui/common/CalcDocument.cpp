#include "ui/common/CalcDocument.h"

#include <QFileInfo>
#include <QWidget>

namespace {
constexpr char kDocumentProperty[] = "calcDocument";
constexpr char kPlainTitleProperty[] = "plainTitle";

QList<CalcDocument *> &registry() {
  static QList<CalcDocument *> docs;
  return docs;
}
}  // namespace

CalcDocument::CalcDocument(std::function<QByteArray()> state, QObject *parent)
    : QObject(parent), state_(std::move(state)) {
  saved_ = state_ ? state_() : QByteArray();
  registry().append(this);
}

CalcDocument::~CalcDocument() { registry().removeAll(this); }

CalcDocument *CalcDocument::of(const QWidget *window) {
  if (!window) return nullptr;
  const QVariant v = window->property(kDocumentProperty);
  return qobject_cast<CalcDocument *>(v.value<QObject *>());
}

QList<CalcDocument *> CalcDocument::all() { return registry(); }

bool CalcDocument::isModified() {
  const bool now = state_ && state_() != saved_;
  if (now != modified_) {
    modified_ = now;
    updateTitles();
    emit changed();
  }
  return modified_;
}

void CalcDocument::markSaved(const QString &fileName) {
  saved_ = state_ ? state_() : QByteArray();
  fileName_ = fileName;
  modified_ = false;
  updateTitles();
  emit changed();
}

void CalcDocument::showIn(QWidget *window) {
  if (!window) return;
  if (!window->property(kPlainTitleProperty).isValid())
    window->setProperty(kPlainTitleProperty, window->windowTitle());
  window->setProperty(kDocumentProperty, QVariant::fromValue<QObject *>(this));
  if (!windows_.contains(window)) windows_.append(window);
  updateTitles();
}

void CalcDocument::updateTitles() {
  for (const QPointer<QWidget> &w : windows_) {
    if (!w) continue;
    const QString plain = w->property(kPlainTitleProperty).toString();
    if (fileName_.isEmpty()) {
      w->setWindowTitle(plain);
      continue;
    }
    // "[*]" is where the window shows its modified mark.
    w->setWindowTitle(QFileInfo(fileName_).fileName() + QStringLiteral("[*] - ") + plain);
    w->setWindowModified(modified_);
  }
}
