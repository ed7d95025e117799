#pragma once
// The report window "Druckmanager": a frame window holding report pages in German or
// English, with the toolbar to arrange, close, make, print and save them.
#include <QHash>
#include <QMainWindow>
#include <QString>

#include "core/common/Session.h"
#include "output/report/ReportPrint.h"
#include "output/report/ReportText.h"

class QAction;
class QCheckBox;
class QComboBox;
class QMdiArea;
class QMdiSubWindow;
class QToolBar;
class QToolButton;
class FrmFormular;

// Opens the report window over the evaluation screen; masterScreenName names the
// arrangement screen in use ("FrmVKaZDSch"), whose drawing the pages show. The pages show
// the report of the session; a window already open is only brought to the front.
void openReportWindow(Session &session, QWidget *evaluationScreen, const QString &masterScreenName);

class FrmAusdruck : public QMainWindow {
  Q_OBJECT
 public:
  FrmAusdruck(Session &session, QWidget *evaluationScreen, const QString &masterScreenName);
  ~FrmAusdruck() override;

  // The report window now open, if any.
  static FrmAusdruck *current();

  // Makes a new page from the current data in the language in force and shows it.
  FrmFormular *sSetFormular();
  // Shows on "Sprache" the picture of the language in force.
  void sSetToolb();

  // The toolbar button of a key ("Zurück", "Nebeneinander", ..., "Hilfe").
  QAction *button(const QString &key) const { return buttons_.value(key); }
  QAction *printItem() const { return printItem_; }       // drop-down "Drucken"
  QAction *setupItem() const { return setupItem_; }       // drop-down "Druckereinrichtung ..."
  QAction *pdfItem() const { return pdfItem_; }           // drop-down "Als PDF speichern…"
  QAction *previewItem() const { return previewItem_; }   // drop-down "Seitenansicht"
  QToolBar *Toolbar1 = nullptr;
  QMdiArea *mdiArea() const { return area_; }
  QString masterScreen() const { return master_; }

  // The state of "Sprache": 0 German, 1 English.
  int languageState() const;
  // The language of the next printout or file: the state of "Sprache", which follows the
  // active page.
  int activeLanguage() const;
  FrmFormular *activePage() const;
  QList<FrmFormular *> pages() const;
  // Which of the pictures 1 (German) and 2 (English) "Sprache" shows now.
  int languagePictureNumber() const { return languagePicture_; }

  // Arranges the pages side by side (vertical tiling).
  void tileSideBySide();

  // The zoom choice of the toolbar: "Seitenbreite", "Ganze Seite", 50 .. 200 %.
  QComboBox *zoomBox() const { return zoom_; }

  // "Diagramme im Ausdruck" (toolbar check box and menu item, off when the window opens):
  // the pages, printouts and PDF files print the evaluation's charts after the results.
  QCheckBox *chartsBox() const { return chkDiagramme_; }
  bool chartsChosen() const;
  // The charts' painter while they are chosen, else none.
  report::ChartPainter chartPainter() const;

 protected:
  // The texts anew when the interface language changes.
  void changeEvent(QEvent *event) override;
  void closeEvent(QCloseEvent *event) override;
  void showEvent(QShowEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;

 private:
  // Places a page window inside the visible area: the `index`-th page a little below and
  // right of the one before, as large as the area allows up to the whole page.
  void placePage(QMdiSubWindow *window, int index);
  void buildToolbar();
  // Title, tool tips, menus and the zoom choices in the interface language.
  void showTexts();
  void buildMenus(QAction *manual);
  void onButton(const QString &key);
  void onPageActivated(QMdiSubWindow *window);
  void applyZoom(FrmFormular *page) const;
  Session &session_;
  QMdiArea *area_ = nullptr;
  // Re-places the pages the user has not moved or sized since they were placed.
  void replacePages();
  QString master_;
  QHash<QString, QAction *> buttons_;
  QAction *printItem_ = nullptr;
  QAction *setupItem_ = nullptr;
  QAction *pdfItem_ = nullptr;
  QAction *previewItem_ = nullptr;
  QToolButton *printButton_ = nullptr;
  QComboBox *zoom_ = nullptr;
  QCheckBox *chkDiagramme_ = nullptr;
  int languagePicture_ = 1;
};
