#pragma once
// The screenshot command, tarvelcalc-shots DIR: every registered shot builds real
// screens offscreen on the demo catalogue and returns the picture to save as DIR/<name>.
//
// Adding a screen is one function in any source file of the command:
//
//   TARVEL_SHOT("40-report.png") {
//     auto *w = new FrmSomething(...);
//     return shots::pictureOf(w);
//   }
//
// Shots run in the order of their names, each on the tool's session freshly started
// with the demo catalogue's settings (shots::freshStart); the body names it `session`.
#include <QImage>
#include <QString>
#include <functional>

#include "core/arrangements/models/Arrangement.h"
#include "core/common/Session.h"

class QWidget;
class FrmArrangement;

namespace shots {

// A shot is drawn on the session it is given (the tool's, freshly started).
using Render = std::function<QImage(Session &session)>;
// Registers a shot; used through TARVEL_SHOT.
bool add(const QString &name, Render render);

// Shows a widget offscreen (laid out and painted, never on a screen) and takes its
// picture, window contents with menu bar and toolbar.
QImage pictureOf(QWidget *w);
// Lets pending events (layouts, repaints, timers due) run.
void settle();

// The session as after a program start on the demo catalogue (startSession): text mode,
// settings, gsngSiko and the version suffix; the catalogue already open is kept.
void freshStart(Session &session);
// An arrangement screen as the user leaves it after "Berechnen": the table sets of the
// arrangement chosen, typical distances and forces typed in, the calculation run.
FrmArrangement *calculatedScreen(Session &session, ArrangementId id);

}  // namespace shots

#define TARVEL_SHOT_CAT2(a, b) a##b
#define TARVEL_SHOT_CAT(a, b) TARVEL_SHOT_CAT2(a, b)
#define TARVEL_SHOT(name)                                                                  \
  static QImage TARVEL_SHOT_CAT(tarvelShot_, __LINE__)(Session &);                         \
  static const bool TARVEL_SHOT_CAT(tarvelShotReg_, __LINE__) =                           \
      shots::add(QStringLiteral(name), &TARVEL_SHOT_CAT(tarvelShot_, __LINE__));           \
  static QImage TARVEL_SHOT_CAT(tarvelShot_, __LINE__)([[maybe_unused]] Session &session)
