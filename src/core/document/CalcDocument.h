#pragma once
// The input of one calculation, owned in one place: arrangement, distances, load cases
// with their force tables and shares, the special roller shoe, load type, ticked sizes,
// duty cycle, comment lines and the motion the load cases came from, together with the
// file it belongs to. Every edit goes through the document, which keeps it undoable and
// says what changed; the screens show the document and turn what the user does into
// edits. "Modified" is the input compared by value with the input last saved or opened,
// so undoing back to it clears the mark.
//
// The undo history is the document's own: Qt 6 keeps QUndoStack in QtGui, which the
// core does not link. It has the same shape (steps with a text, undo/redo, a clean state
// where the file was saved); each step holds the input before and after, which is small
// and shares its texts.
#include <QLocale>
#include <QObject>
#include <QString>
#include <QVector>

#include "core/document/CaseFile.h"

class CalcDocument : public QObject {
  Q_OBJECT
 public:
  // A document over the input given (a new calculation: the arrangement and what the
  // session holds); that input is its save point.
  explicit CalcDocument(calcfile::Case input, QObject *parent = nullptr);
  ~CalcDocument() override;

  // The numbers of every open document, its save point and its history rewritten from
  // one notation into another (the language of the program changed): the same values,
  // so nothing becomes modified and nothing needs calculating again.
  static void renotateAll(const QLocale &from, const QLocale &to);

  const calcfile::Case &input() const { return input_; }

  // One edit: the input becomes `after`, undoable as `what` (the German name of the step).
  // An edit that changes nothing is no step. Edits with the same non-empty `mergeKey` in
  // a row make one step (the keys typed into one field).
  void edit(const QString &what, const calcfile::Case &after, const QString &mergeKey = QString());
  // An edit made outside the views that show what it changes (the parameter study taking
  // a value over into a distance or a force): one undoable step like `edit`, after which
  // every view shows the input anew, as after an undo (replaced).
  void editFromOutside(const QString &what, const calcfile::Case &after);
  bool canUndo() const { return index_ > 0; }
  bool canRedo() const { return index_ < steps_.size(); }
  QString undoText() const;
  QString redoText() const;
  void undo();
  void redo();

  // Whether the input differs from the one last saved or opened.
  bool isModified() const { return !(input_ == saved_); }
  QString fileName() const { return fileName_; }
  // The input now is the save point, belonging to fileName.
  void markSaved(const QString &fileName);
  // Replaces the whole input and forgets the history (a file opened onto the document).
  void reset(const calcfile::Case &input);

  // A calculation file read into the document (its save point then); false with the
  // problem in *error, the document unchanged.
  bool readFrom(const QString &path, calcfile::Error *error);
  // The input written to the file atomically (its save point then); false with the
  // reason in *error, the document unchanged.
  bool writeTo(const QString &path, QString *error);

 signals:
  // What an edit, undo or redo changed: one signal per kind, then inputChanged.
  void distancesChanged();
  void forcesChanged();  // force tables, load cases, shares
  void ticksChanged();
  void dutyChanged();    // the group "Betrieb": duty cycle and required life
  void loadTypeChanged();
  void specialChanged();
  void commentsChanged();
  void motionChanged();
  void inputChanged();
  // The input was set from outside the views (undo, redo, a file): every view shows it anew.
  void replaced();
  void modifiedChanged(bool modified);
  void fileNameChanged(const QString &fileName);
  // The numbers are shown in another notation (renotateAll); the values are the same.
  void notationChanged();
  // canUndo, canRedo or their texts changed.
  void historyChanged();

 private:
  struct Step {
    QString what;
    QString mergeKey;
    calcfile::Case before;
    calcfile::Case after;
  };
  void apply(const calcfile::Case &next, bool fromOutside);
  void addStep(const QString &what, const calcfile::Case &after, const QString &mergeKey, bool fromOutside);

  calcfile::Case input_;
  calcfile::Case saved_;
  QString fileName_;
  QVector<Step> steps_;
  qsizetype index_ = 0;  // steps_[0, index_) are done
  bool mergeOpen_ = false;
};
