#include "core/document/CalcDocument.h"

#include "core/common/Numbers.h"

namespace {
// The documents alive, for a change of notation that concerns them all.
QList<CalcDocument *> &openDocuments() {
  static QList<CalcDocument *> documents;
  return documents;
}
}  // namespace

CalcDocument::CalcDocument(calcfile::Case input, QObject *parent)
    : QObject(parent), input_(std::move(input)), saved_(input_) {
  openDocuments().append(this);
}

CalcDocument::~CalcDocument() { openDocuments().removeOne(this); }

void CalcDocument::renotateAll(const QLocale &from, const QLocale &to) {
  if (num::sameNotation(from, to)) return;
  for (CalcDocument *d : openDocuments()) {
    d->input_ = calcfile::renotated(d->input_, from, to);
    d->saved_ = calcfile::renotated(d->saved_, from, to);
    for (Step &step : d->steps_) {
      step.before = calcfile::renotated(step.before, from, to);
      step.after = calcfile::renotated(step.after, from, to);
    }
    d->mergeOpen_ = false;
    emit d->notationChanged();
  }
}

QString CalcDocument::undoText() const { return canUndo() ? steps_.at(index_ - 1).what : QString(); }

QString CalcDocument::redoText() const { return canRedo() ? steps_.at(index_).what : QString(); }

void CalcDocument::edit(const QString &what, const calcfile::Case &after, const QString &mergeKey) {
  addStep(what, after, mergeKey, false);
}

void CalcDocument::editFromOutside(const QString &what, const calcfile::Case &after) {
  addStep(what, after, QString(), true);
}

void CalcDocument::addStep(const QString &what, const calcfile::Case &after, const QString &mergeKey,
                           bool fromOutside) {
  if (after == input_) return;
  steps_.resize(index_);  // what was undone cannot be redone after a new edit
  if (mergeOpen_ && !mergeKey.isEmpty() && !steps_.isEmpty() && steps_.last().mergeKey == mergeKey) {
    steps_.last().after = after;
    // Typed back to where the step began: no step is left.
    if (steps_.last().after == steps_.last().before) steps_.removeLast();
  } else {
    steps_.append({what, mergeKey, input_, after});
  }
  index_ = steps_.size();
  mergeOpen_ = !mergeKey.isEmpty();
  apply(after, fromOutside);
  emit historyChanged();
}

void CalcDocument::undo() {
  if (!canUndo()) return;
  --index_;
  mergeOpen_ = false;
  apply(steps_.at(index_).before, true);
  emit historyChanged();
}

void CalcDocument::redo() {
  if (!canRedo()) return;
  ++index_;
  mergeOpen_ = false;
  apply(steps_.at(index_ - 1).after, true);
  emit historyChanged();
}

void CalcDocument::markSaved(const QString &fileName) {
  const bool wasModified = isModified();
  saved_ = input_;
  mergeOpen_ = false;
  if (fileName != fileName_) {
    fileName_ = fileName;
    emit fileNameChanged(fileName_);
  }
  if (wasModified) emit modifiedChanged(false);
}

void CalcDocument::reset(const calcfile::Case &input) {
  steps_.clear();
  index_ = 0;
  mergeOpen_ = false;
  apply(input, true);
  emit historyChanged();
}

bool CalcDocument::readFrom(const QString &path, calcfile::Error *error) {
  calcfile::Case c;
  if (!calcfile::readDocument(path, &c, error)) return false;
  reset(c);
  markSaved(path);
  return true;
}

bool CalcDocument::writeTo(const QString &path, QString *error) {
  if (!calcfile::writeDocument(path, input_, error)) return false;
  markSaved(path);
  return true;
}

void CalcDocument::apply(const calcfile::Case &next, bool fromOutside) {
  const calcfile::Case before = input_;
  const bool wasModified = isModified();
  input_ = next;
  if (before.m != next.m || before.n != next.n) emit distancesChanged();
  if (before.forces != next.forces || before.loadCases != next.loadCases) emit forcesChanged();
  if (before.tickAll != next.tickAll || before.ticked != next.ticked) emit ticksChanged();
  if (before.duty != next.duty || before.requiredLife != next.requiredLife) emit dutyChanged();
  if (before.loadType != next.loadType) emit loadTypeChanged();
  if (before.special != next.special) emit specialChanged();
  if (before.comments != next.comments) emit commentsChanged();
  if (!(before.motion == next.motion)) emit motionChanged();
  if (fromOutside) emit replaced();
  emit inputChanged();
  if (isModified() != wasModified) emit modifiedChanged(isModified());
}
