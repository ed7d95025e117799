#include "app/CalcFiles.h"

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QPushButton>

#include "app/FrmStart.h"
#include "ui/arrangements/FrmArrangement.h"
#include "core/catalogue/Catalogue.h"
#include "core/document/CalcDocument.h"
#include "ui/common/FileMenu.h"
#include "ui/common/Gui.h"
#include "core/common/Messages.h"
#include "core/common/Session.h"
#include "core/common/Texts.h"
#include "core/common/UnsavedInput.h"
#include "core/evaluation/Evaluation.h"
#include "core/run/CalculationRun.h"
#include "ui/evaluation/FrmAuswertung.h"
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

// The evaluation screen took the ticks and the group "Betrieb" from the document and
// shows the load type the run took over with the file; the sizes are evaluated.
void evaluate(FrmAuswertung *ev) {
  ev->CmdBerechnen()->click();
}

}  // namespace

AppServices::FileMenu fileMenuServices() {
  AppServices::FileMenu s;
  s.open = [](Session &session, QWidget *w) { open(session, w); };
  s.openFile = [](Session &session, QWidget *w, const QString &path) { openFile(session, path, w); };
  s.save = [](Session &, QWidget *w) { return save(w, false); };
  s.saveAs = [](Session &, QWidget *w) { return save(w, true); };
  return s;
}

calcfile::Case gather(FrmArrangement *screen) {
  calcfile::Case c = screen->document()->input();
  c.comments = screen->session().gastrComment;
  return c;
}

bool openFile(Session &session, const QString &path, QWidget *from) {
  calcfile::Case c;
  calcfile::Error error;
  if (!calcfile::readDocument(path, &c, &error))
    return refuseFile(path, interfaceLanguage() == Language::English ? error.english : error.german);
  if (const std::optional<QString> refusal = calcfile::screenRefusal(c)) return refuseFile(path, *refusal);
  const ArrangementInfo *info = arrangementByScreen(c.arrangement);
  if (!info) return refuseFile(path, builtinText(1217).arg(c.arrangement));

  // Unsaved input of the calculation shown is not replaced without a question; nothing
  // changes before it is answered.
  const QList<QPointer<QWidget>> old = screensGivingWay(from);
  if (FrmArrangement *shown = arrangementOf(from))
    if (!input::confirmDiscard([shown] { return save(shown, false); })) return false;

  // The session state the file describes (comment lines, load type and its required
  // safety, the arrangement's table list, the special roller shoe), as every run takes it.
  run::takeOver(session, c, *info);

  auto *screen = new FrmArrangement(session, info->id);
  CalcDocument *doc = screen->document();
  doc->reset(c);
  doc->markSaved(path);
  // The new screen stands before the old ones go, so the program is never without a
  // window; they go before the calculation, since leaving a screen clears the distances
  // of the last calculation.
  screen->show();
  closeScreens(old);
  for (const QString &note : c.notes) msg::show({note, builtinText(1520), msg::Icon::Information, msg::Buttons::Ok, 1});

  if (c.tickAll || !c.ticked.isEmpty() || c.duty) screen->weiter();
  else screen->CmdBerechnen_Click();
  if (FrmAuswertung *ev = evaluationOf(screen)) evaluate(ev);

  // What the calculation wrote back into the fields (a distance rounded) is the file's.
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
  CalcDocument *doc = arr->document();
  QString path = doc->fileName();
  if (askName || path.isEmpty()) {
    if (!app::services().dialogs.askSaveFileName) return false;
    const std::optional<QString> chosen = app::services().dialogs.askSaveFileName(screen, fileFilters(), builtinText(1513));
    if (!chosen || chosen->isEmpty()) return false;
    path = calcfile::withSuffix(*chosen, QString::fromLatin1(calcfile::kSuffix));
  }
  // The comment lines are kept by the report's pages; the file takes them as they are now.
  const calcfile::Case input = gather(arr);
  if (!(input == doc->input())) doc->edit(builtinText(1539), input);
  QString reason;
  if (!doc->writeTo(path, &reason)) {
    msg::critical(builtinText(1233).arg(QDir::toNativeSeparators(path), reason), builtinText(1232));
    return false;
  }
  input::markSavePoint();
  filemenu::noteRecentFile(path);
  return true;
}

}  // namespace calcfiles
