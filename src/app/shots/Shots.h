#pragma once
// The screenshot command, tarvelcalc-shots DIR: every registered shot builds real
// screens offscreen on the demo catalogue and returns the picture to save as DIR/<name>.
//
// Adding a screen is one function in any source file of the command:
//
//   TARVEL_SHOT("40-report.png") {
//     auto *w = new FrmSomething(...);
//     return shots::grab(w);
//   }
//
// Shots run in the order of their names, each on a fresh session with the demo
// catalogue's settings loaded (shots::freshStart).
#include <QImage>
#include <QString>
#include <functional>

#include "arrangements/models/Arrangement.h"
#include "common/Session.h"

class QWidget;
class FrmArrangement;

namespace shots {

using Render = std::function<QImage()>;
// Registers a shot; used through TARVEL_SHOT.
bool add(const QString &name, Render render);

// Shows a widget offscreen (laid out and painted, never on a screen) and takes its
// picture, window contents with menu bar and toolbar.
QImage grab(QWidget *w);
// Lets pending events (layouts, repaints, timers due) run.
void settle();

// The tool's one session, the screens' and the shots'.
Session &session();
// The session as after a program start on the demo catalogue (startSession): text mode,
// settings, gsngSiko and the version suffix.
void freshStart();
// An arrangement screen as the user leaves it after "Berechnen": the table sets of the
// arrangement chosen, typical distances and forces typed in, the calculation run.
FrmArrangement *calculatedScreen(ArrangementId id);

}  // namespace shots

#define TARVEL_SHOT_CAT2(a, b) a##b
#define TARVEL_SHOT_CAT(a, b) TARVEL_SHOT_CAT2(a, b)
#define TARVEL_SHOT(name)                                                                  \
  static QImage TARVEL_SHOT_CAT(tarvelShot_, __LINE__)();                                  \
  static const bool TARVEL_SHOT_CAT(tarvelShotReg_, __LINE__) =                           \
      shots::add(QStringLiteral(name), &TARVEL_SHOT_CAT(tarvelShot_, __LINE__));           \
  static QImage TARVEL_SHOT_CAT(tarvelShot_, __LINE__)()
