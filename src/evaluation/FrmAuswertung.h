#pragma once
// The evaluation screen: size check boxes per series, the load type, the result grid.
#include <QMainWindow>

class FrmAuswertung : public QMainWindow {
  Q_OBJECT
 public:
  // masterForm is the arrangement screen that opened this screen (hidden meanwhile);
  // "Zurück" and closing show it again and delete this screen.
  explicit FrmAuswertung(QWidget *masterForm, QWidget *parent = nullptr);
  ~FrmAuswertung() override;
  QWidget *mfrmMasterForm() const;
  // The screen name ("FrmVKaZDSch") of the arrangement screen in use.
  QString masterScreenName() const;
};
