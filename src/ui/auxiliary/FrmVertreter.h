#pragma once
// The list window of the sales representatives (table code 21) or of the information
// about the database (table code 22). It shows the rows the caller has just queried into
// grsInfo; in the representatives list the e-mail column works as a link.
#include <QDialog>
#include <QSize>

#include "core/common/Session.h"

class QLabel;
class QTableWidget;

class FrmVertreter : public QDialog {
  Q_OBJECT
 public:
  // Builds the window for the code from the session's grsInfo (no query of its own).
  FrmVertreter(Session &session, int code, QWidget *parent = nullptr);

  static constexpr int kMailColumn = 5;

  QLabel *LabUebSchr = nullptr;
  QLabel *Image1 = nullptr;
  QTableWidget *MSHFlexGrid1 = nullptr;

  // The data row whose e-mail cell is drawn as link, 0 when none.
  int markedRow() const { return mintLinkRow_; }
  QSize loadedSize() const { return loadedSize_; }

 protected:
  // The texts anew when the interface language changes.
  void changeEvent(QEvent *event) override;
  void resizeEvent(QResizeEvent *e) override;
  bool eventFilter(QObject *watched, QEvent *e) override;

 private:
  void sSetLayout();
  void fillGrid();
  void placeControls();
  void hoverCell(int row, int column);
  void unmarkLink();
  void cellClicked(int row, int column);
  bool linksActive() const;

  Session &session_;
  int mintCode_;
  int mintLinkRow_ = 0;
  QSize loadedSize_;
};
