#pragma once
// The save point of one calculation: which file it belongs to and whether the input on
// the screens still is what was last saved or opened. The arrangement screen owns one;
// its evaluation screen shows the same. The windows that show the calculation carry the
// file name in their title and the usual modified mark ("*") while the input differs
// from the save point; a calculation without a file keeps the plain title.
#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QWidget;

class CalcDocument : public QObject {
  Q_OBJECT
 public:
  // state gives the input as it is now, in the form it is saved in; the state at
  // creation is the first save point (an untouched screen is not modified).
  CalcDocument(std::function<QByteArray()> state, QObject *parent);
  ~CalcDocument() override;

  // The document of a window: its own, or the one of the window it belongs to; nullptr
  // when none is attached.
  static CalcDocument *of(const QWidget *window);
  // Every document alive.
  static QList<CalcDocument *> all();

  QString fileName() const { return fileName_; }
  // Compares the input now with the save point (and updates the titles).
  bool isModified();
  // The input now is the save point, belonging to fileName (saved or opened).
  void markSaved(const QString &fileName);

  // Keys of the file this program does not use, written back on saving.
  QJsonObject keptKeys() const { return kept_; }
  void setKeptKeys(const QJsonObject &keys) { kept_ = keys; }

  // Shows the calculation in a window's title from now on. The title the window has now
  // is its plain title.
  void showIn(QWidget *window);

 signals:
  // The file name or the modified state changed.
  void changed();

 private:
  void updateTitles();

  std::function<QByteArray()> state_;
  QByteArray saved_;
  QString fileName_;
  bool modified_ = false;
  QJsonObject kept_;
  QList<QPointer<QWidget>> windows_;
};
