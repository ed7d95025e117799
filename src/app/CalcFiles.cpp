#include "app/CalcFiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "app/FrmStart.h"
#include "ui/arrangements/FrmArrangement.h"
#include "core/catalogue/Catalogue.h"
#include "ui/common/CalcDocument.h"
#include "ui/common/FileMenu.h"
#include "ui/common/Gui.h"
#include "core/common/Messages.h"
#include "core/common/Session.h"
#include "core/common/Texts.h"
#include "core/common/UnsavedInput.h"
#include "core/evaluation/Evaluation.h"
#include "core/run/CalculationRun.h"
#include "ui/evaluation/FrmAuswertung.h"
#include "ui/loads/ForceGrid.h"
#include "ui/loads/LoadCaseTabs.h"
#include "ui/report/ReportHooks.h"
#include "core/special/SonderCore.h"

namespace calcfiles {

namespace {

QStringList fileFilters() { return {builtinText(1206), builtinText(1207)}; }

// The evaluation screen an arrangement screen has opened, if it is still up.
FrmAuswertung *evaluationOf(const FrmArrangement *screen) {
  for (QWidget *w : QApplication::topLevelWidgets()) {
    auto *ev = qobject_cast<FrmAuswertung *>(w);
    if (ev && !ev->isHidden() && ev->mfrmMasterForm() == screen) return ev;
  }
  return nullptr;
}

// The arrangement screen behind a window: itself, or the master of an evaluation screen.
FrmArrangement *arrangementOf(QWidget *window) {
  if (!window) return nullptr;
  QWidget *top = window->window();
  if (auto *ev = qobject_cast<FrmAuswertung *>(top)) return qobject_cast<FrmArrangement *>(ev->mfrmMasterForm());
  return qobject_cast<FrmArrangement *>(top);
}

// The windows that give way to an opened calculation: the start screen, or an
// arrangement screen with its evaluation screen (evaluation first, it returns to its
// master when it closes).
QList<QPointer<QWidget>> screensGivingWay(QWidget *from) {
  QList<QPointer<QWidget>> out;
  if (!from) return out;
  QWidget *top = from->window();
  if (qobject_cast<FrmStart *>(top)) {
    out << top;
  } else if (FrmArrangement *arr = arrangementOf(top)) {
    if (FrmAuswertung *ev = evaluationOf(arr)) out << ev;
    out << arr;
  }
  return out;
}

void closeScreens(const QList<QPointer<QWidget>> &screens) {
  for (const QPointer<QWidget> &w : screens) {
    if (!w) continue;
    if (auto *arr = qobject_cast<FrmArrangement *>(w.data())) arr->closeForReplacement();
    else w->close();
  }
}

bool refuseFile(const QString &path, const QString &problem) {
  msg::critical(builtinText(1210).arg(QDir::toNativeSeparators(path), problem), builtinText(1209));
  return false;
}

void fillScreen(FrmArrangement *screen, const calcfile::Case &c) {
  if (screen->Tb_m()) screen->Tb_m()->setText(c.m);
  if (screen->Tb_n()) screen->Tb_n()->setText(c.n);
  // Several load cases go into the tabs above the force grid; one force table straight
  // into the grid, as typed.
  if (!c.loadCases.isEmpty() && screen->loadCaseTabs()) {
    screen->loadCaseTabs()->setLoadCases(c.loadCases);
    gui::gsubSetColWidth(screen, screen->MSFlexGrid1(), false);
    return;
  }
  ForceGrid *grid = screen->MSFlexGrid1();
  for (const QStringList &row : c.forces) {
    if (row.join(QString()).isEmpty()) continue;
    const int r = grid->rowForNewForce();
    for (int col = 0; col < ForceGrid::kColumns; ++col) grid->setTextMatrix(r, col, row.value(col));
  }
  gui::gsubSetColWidth(screen, grid, false);
}

void tickAndEvaluate(const Session &session, FrmAuswertung *ev, const calcfile::Case &c) {
  if (c.duty) {
    const loads::DutyTexts &d = *c.duty;
    const QString texts[] = {d.stroke, d.cyclesPerMinute, d.hoursPerDay, d.daysPerYear};
    for (int i = 0; i < 4; ++i) ev->Tb_Betrieb(i)->setText(texts[i]);
  }
  // The load type and its required safety were taken over with the file (the screen
  // shows the session's); the ticks are the run's for the boxes the screen shows.
  eval::SizeBoxes boxes;
  for (int i = 0; i < eval::kBoxes; ++i) {
    boxes.tag[i] = ev->boxTag(i);
    boxes.enabled[i] = ev->chkGrSer(i)->isEnabled();
  }
  const run::Ticks ticks = run::ticksOf(c, session.gastrResult, boxes);
  for (int i = 0; i < eval::kBoxes; ++i) {
    if (!ticks.ticked[i]) continue;
    ev->chkGrSer(i)->setChecked(true);
    ev->chkGrSer_Click(i);
  }
  ev->CmdBerechnen()->click();
}

// Keeps the titles of the calculations' windows up to date: every arrangement screen gets
// its save point when it first shows, every evaluation screen shows its master's, and
// after each key or click the modified marks follow the input.
class Watcher : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override {
    switch (event->type()) {
      case QEvent::Show:
        if (auto *arr = qobject_cast<FrmArrangement *>(watched)) {
          documentOf(arr);
        } else if (auto *ev = qobject_cast<FrmAuswertung *>(watched)) {
          if (auto *master = qobject_cast<FrmArrangement *>(ev->mfrmMasterForm())) documentOf(master)->showIn(ev);
        }
        break;
      case QEvent::KeyRelease:
      case QEvent::MouseButtonRelease:
        if (!pending_) {
          pending_ = true;
          // After the key or click has done its work.
          QTimer::singleShot(0, this, [this] {
            pending_ = false;
            for (CalcDocument *doc : CalcDocument::all()) doc->isModified();
          });
        }
        break;
      default:
        break;
    }
    return false;
  }

 private:
  bool pending_ = false;
};

}  // namespace

AppServices::FileMenu fileMenuServices() {
  AppServices::FileMenu s;
  s.open = [](Session &session, QWidget *w) { open(session, w); };
  s.openFile = [](Session &session, QWidget *w, const QString &path) { openFile(session, path, w); };
  s.save = [](Session &, QWidget *w) { save(w, false); };
  s.saveAs = [](Session &, QWidget *w) { save(w, true); };
  return s;
}

void watchDocuments() {
  static QPointer<Watcher> watcher;
  if (!watcher && qApp) {
    watcher = new Watcher(qApp);
    qApp->installEventFilter(watcher);
  }
}

CalcDocument *documentOf(FrmArrangement *screen) {
  if (CalcDocument *doc = CalcDocument::of(screen)) return doc;
  auto *doc = new CalcDocument([screen] { return calcfile::toJson(gather(screen)); }, screen);
  doc->showIn(screen);
  return doc;
}

calcfile::Case gather(FrmArrangement *screen) {
  calcfile::Case c;
  const Session &s = screen->session();
  c.arrangement = QString::fromLatin1(screen->info().screenName);
  if (screen->Tb_m()) c.m = screen->Tb_m()->text();
  if (screen->Tb_n()) c.n = screen->Tb_n()->text();
  c.forces = screen->MSFlexGrid1()->dataRows();
  // Load cases are written as such only where the one force table of 100 % would not say
  // the same.
  if (const LoadCaseTabs *tabs = screen->loadCaseTabs()) {
    const QVector<LoadCase> cases = tabs->loadCases();
    if (cases.size() > 1 || cases.value(0).share != 100.0) {
      c.loadCases = cases;
      c.forces.clear();
    }
  }
  c.loadType = s.gintLoadType;
  // The ticks live on the evaluation screen; without it none are ticked.
  c.tickAll = false;
  if (FrmAuswertung *ev = evaluationOf(screen)) {
    bool all = true;
    for (int i = 0; i < eval::kBoxes; ++i) {
      const int tag = ev->boxTag(i);
      if (!ev->chkGrSer(i)->isEnabled() || tag < 1 || tag > s.gastrResult.size()) continue;
      const ResultRow row = ResultRow::of(s.gastrResult.at(tag - 1));
      if (ev->chkGrSer(i)->isChecked()) c.ticked.append({row.serie, row.size});
      else all = false;
    }
    c.tickAll = all && !c.ticked.isEmpty();
    if (c.tickAll) c.ticked.clear();
    loads::DutyTexts duty{ev->Tb_Betrieb(0)->text(), ev->Tb_Betrieb(1)->text(), ev->Tb_Betrieb(2)->text(),
                          ev->Tb_Betrieb(3)->text()};
    if (!(duty == loads::DutyTexts{})) c.duty = duty;
  }
  // The special roller shoe in force, as its editor took it over (24 fields, the list
  // index of the bearings, the type).
  if (s.gintAnzSonder == 1 && s.gastrSonderEingabe.size() >= sonder::kFieldCount + 2) {
    calcfile::SpecialShoe shoe;
    shoe.fields = s.gastrSonderEingabe.mid(0, sonder::kFieldCount);
    shoe.bearingsIndex = s.gastrSonderEingabe.at(sonder::kFieldCount).toInt();
    shoe.type = s.gastrSonderEingabe.at(sonder::kFieldCount + 1);
    c.special = shoe;
  }
  c.comments = s.gastrComment;
  if (const CalcDocument *doc = CalcDocument::of(screen)) c.unknown = doc->keptKeys();
  return c;
}

bool openFile(Session &session, const QString &path, QWidget *from) {
  calcfile::Case c;
  calcfile::Error error;
  if (!calcfile::readFile(path, &c, &error)) return refuseFile(path, error.german);
  if (const std::optional<QString> refusal = calcfile::screenRefusal(c)) return refuseFile(path, *refusal);
  const ArrangementInfo *info = arrangementByScreen(c.arrangement);
  if (!info) return refuseFile(path, builtinText(1217).arg(c.arrangement));

  // The session state the file describes (comment lines, load type and its required
  // safety, the arrangement's table list, the special roller shoe), as every run takes it.
  run::takeOver(session, c, *info);

  auto *screen = new FrmArrangement(session, info->id);
  fillScreen(screen, c);
  CalcDocument *doc = documentOf(screen);
  doc->setKeptKeys(c.unknown);
  // The new screen stands before the old ones go, so the program is never without a
  // window; they go before the calculation, since leaving a screen clears the distances
  // of the last calculation.
  const QList<QPointer<QWidget>> old = screensGivingWay(from);
  screen->show();
  closeScreens(old);
  for (const QString &note : c.notes) msg::show({note, builtinText(1520), msg::Icon::Information, msg::Buttons::Ok, 1});

  if (c.tickAll || !c.ticked.isEmpty() || c.duty) screen->weiter();
  else screen->CmdBerechnen()->click();
  if (FrmAuswertung *ev = evaluationOf(screen)) tickAndEvaluate(session, ev, c);

  doc->markSaved(path);
  input::markSavePoint();
  filemenu::noteRecentFile(path);
  return true;
}

bool open(Session &session, QWidget *from) {
  if (!app::services().dialogs.askOpenFileName) return false;
  const std::optional<QString> chosen = app::services().dialogs.askOpenFileName(from, fileFilters());
  if (!chosen || chosen->isEmpty()) return false;
  return openFile(session, *chosen, from);
}

bool save(QWidget *screen, bool askName) {
  FrmArrangement *arr = arrangementOf(screen);
  if (!arr) return false;
  CalcDocument *doc = documentOf(arr);
  QString path = doc->fileName();
  if (askName || path.isEmpty()) {
    if (!app::services().dialogs.askSaveFileName) return false;
    const std::optional<QString> chosen = app::services().dialogs.askSaveFileName(screen, fileFilters(), builtinText(1513));
    if (!chosen || chosen->isEmpty()) return false;
    path = calcfile::withSuffix(*chosen, QString::fromLatin1(calcfile::kSuffix));
  }
  QString reason;
  if (!calcfile::writeFile(path, gather(arr), &reason)) {
    msg::critical(builtinText(1233).arg(QDir::toNativeSeparators(path), reason), builtinText(1232));
    return false;
  }
  doc->markSaved(path);
  input::markSavePoint();
  filemenu::noteRecentFile(path);
  return true;
}

}  // namespace calcfiles
