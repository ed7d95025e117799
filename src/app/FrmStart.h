#pragma once
// The start screen: the user picks one of the six arrangements by clicking its picture.
// Loading the screen starts the session afresh (startSession: the settings, the text
// mode, the required safety); it runs each time the user comes back from an arrangement
// screen.
#include <QMainWindow>
#include <QVector>
#include <array>

#include "core/common/Session.h"

class QAction;
class QFrame;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QToolBar;
class Shape;

class FrmStart : public QMainWindow {
  Q_OBJECT
 public:
  // The screen works on the session and hands it to the screens it opens.
  explicit FrmStart(Session &session);
  ~FrmStart() override;

  // Creates the start screen on the session, loads it and shows it. Returns nullptr when
  // the loading ended the program (no settings in the catalogue).
  static FrmStart *open(Session &session);

  // Form_Load: the start of the session, layout, size; closes the logo window. False
  // when the program was ended on the way.
  bool load();

  Session &session() const { return session_; }

  static constexpr int kPictures = 6;
  QWidget *PicButton(int i) const { return pictures_.at(static_cast<size_t>(i)); }
  QString pictureTag(int i) const;
  QColor pictureBackground(int i) const;
  bool pictureBorder(int i) const;
  // Picture i has the focus, reached by the keyboard, and shows its focus frame.
  bool pictureFocusFrame(int i) const;
  QLabel *LabInfo() const { return labInfo_; }
  QLabel *imgInfoBild() const { return imgInfoBild_; }
  QGroupBox *Frame1() const { return frame1_; }
  QFrame *Frame2() const { return frame2_; }
  QLabel *LabUebSchr() const { return labUebSchr_; }
  QLabel *Image1() const { return image1_; }
  QLabel *picIcon() const { return picIcon_; }
  QLabel *LabMail() const { return labMail_; }
  QLabel *LabWeb() const { return labWeb_; }
  QLabel *Label1() const { return label1_; }
  const QVector<Shape *> &Shape1() const { return shape1_; }
  const QVector<Shape *> &Shape2() const { return shape2_; }
  QToolBar *Toolbar1() const { return toolbar_; }
  // Toolbar button by key: "Inhalt", "Info", "Sonder", "Exit".
  QAction *toolbarButton(const QString &key) const;
  QSize loadedSize() const { return loadedSize_; }

  // Events of the screen.
  void PicButton_MouseMove(int index);
  void PicButton_Click(int index);
  void Frame1_MouseMove();
  void Frame2_MouseMove();
  void Label1_MouseMove();
  void LabMail_MouseMove();
  void LabWeb_MouseMove();
  void LabMail_Click();
  void LabWeb_Click();
  void Toolbar1_ButtonClick(const QString &key);

 protected:
  // The texts anew when the interface language changes.
  void changeEvent(QEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;
  void showEvent(QShowEvent *event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  void buildControls();
  bool startTheSession();
  void sSetLayout();
  void setInfoText(const QString &text);
  void clearPictureHighlight();
  void setLinkUnderline(QLabel *link, bool on);
  int pictureNextTo(int index, int key) const;
  bool pictureKey(int index, const QKeyEvent *k);

  Session &session_;
  std::array<QWidget *, kPictures> pictures_{};
  QLabel *labInfo_ = nullptr;
  QLabel *imgInfoBild_ = nullptr;
  QGroupBox *frame1_ = nullptr;
  QFrame *frame2_ = nullptr;
  QLabel *labUebSchr_ = nullptr;
  QLabel *image1_ = nullptr;
  QLabel *picIcon_ = nullptr;
  QLabel *labMail_ = nullptr;
  QLabel *labWeb_ = nullptr;
  QLabel *label1_ = nullptr;
  QVector<Shape *> shape1_, shape2_;
  QToolBar *toolbar_ = nullptr;
  QSize loadedSize_;
};
