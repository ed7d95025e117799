#pragma once
// The load cases of an arrangement screen: a tab bar above the force grid with one tab
// per load case, the share of the load case in front, and buttons to add and remove
// load cases (a double click on a tab or its context menu renames it). The widget
// holds the force table of every load case; the grid always shows the one in front,
// so the force dialog, the key rules and the row deletion work per load case as they
// work on the one table.
#include <QVector>
#include <QWidget>

#include "core/common/Session.h"

class ForceGrid;
class QLineEdit;
class QTabBar;
class QToolButton;

class LoadCaseTabs : public QWidget {
  Q_OBJECT
 public:
  // Starts with one load case "Lastfall 1" of 100 % whose table is the grid's.
  explicit LoadCaseTabs(ForceGrid *grid, QWidget *parent = nullptr);

  int count() const { return static_cast<int>(cases_.size()); }
  int current() const;
  QString name(int index) const { return cases_.value(index).name; }
  QString shareText(int index) const;

  // The load cases as typed, the grid's rows for the one in front. A share that is no
  // number is handed on as NaN (it lies outside 0..100 and is refused by name).
  QVector<LoadCase> loadCases() const;
  // The check of "Berechnen" before the shares are read: a share whose text the field's
  // rules do not take ("0.5", "abc") is refused by the name of its load case, which comes
  // to the front with its field marked. The range and the total are checked with the
  // load cases (checkLoadCases).
  bool checkShares(const QString &title);
  // Replaces every load case (the grid shows the first).
  void setLoadCases(const QVector<LoadCase> &cases);

  void setCurrent(int index);
  // A new load case with an empty table and share 0, named "Lastfall n"; it comes to
  // the front.
  void addCase();
  // Asks "Möchten Sie den Lastfall ... entfernen?" (Yes/No, No default) and removes it
  // on Yes; the last load case stays.
  void removeCase(int index);
  // Renames; an empty name keeps the old one.
  void renameCase(int index, const QString &name);
  // The rename of a double click: asks for the name in an input dialog.
  void askRename(int index);

  // "Lastfall n", the name a new load case gets.
  static QString caseName(int n);

  QTabBar *tabBar() const { return tabBar_; }
  QLineEdit *shareField() const { return share_; }
  QToolButton *addButton() const { return add_; }
  QToolButton *removeButton() const { return remove_; }

 signals:
  // The load case in front changed (the grid shows its table).
  void currentChanged(int index);
  // A load case was added, removed, renamed or its share typed: input that can be lost.
  // `typing` names the share being typed (one step of undo for its keys, apart from
  // adding or removing a load case); empty for the other edits.
  void edited(const QString &typing);

 protected:
  // The texts anew when the interface language changes (the names of the load cases
  // are the user's and stay).
  void changeEvent(QEvent *event) override;

 private:
  void showTexts();
  struct Case {
    QString name;
    QString share;  // as typed
    TextRows rows;
  };
  void storeFront();
  void showCase(int index);
  void updateButtons();
  QString nextName() const;

  ForceGrid *grid_;
  QTabBar *tabBar_ = nullptr;
  QLineEdit *share_ = nullptr;
  QToolButton *add_ = nullptr;
  QToolButton *remove_ = nullptr;
  QVector<Case> cases_;
  int front_ = 0;
  bool switching_ = false;
};
