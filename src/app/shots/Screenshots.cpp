// tarvelcalc-shots DIR: pictures of the program's screens, made offscreen from the real
// widgets on the demo catalogue. See docs/screenshots.md.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSaveFile>
#include <QTextStream>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <utility>

#include "core/common/CommandLine.h"
#include "core/document/CalcDocument.h"
#include "ui/common/DocumentWindows.h"
#include "app/FrmStart.h"
#include "app/shots/Shots.h"
#include "core/arrangements/Calculate.h"
#include "core/run/CalculationRun.h"
#include "ui/arrangements/FrmArrangement.h"
#include "ui/common/Gui.h"
#include "ui/common/InterfaceLanguage.h"
#include "ui/loads/DirectionLabels.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/StartSession.h"
#include "ui/common/AppServices.h"
#include "core/common/Messages.h"
#include "core/common/Session.h"
#include "core/common/Numbers.h"
#include "core/common/Texts.h"
#include "core/common/UnsavedInput.h"
#include "ui/loads/DialogEingabe.h"
#include "ui/loads/ForceGrid.h"
#include "ui/evaluation/FrmAuswertung.h"
#include "ui/evaluation/FrmDiagramm.h"
#include "ui/report/ReportHooks.h"

namespace shots {

namespace {
QMap<QString, Render> &registry() {
  static QMap<QString, Render> r;
  return r;
}

struct Force {
  const char *label, *force, *x, *y, *z;
};

struct Example {
  ArrangementId id;
  const char *m, *n;
  QVector<Force> forces;
};

// Typical input of each arrangement: a payload pressing down off centre and a lateral
// or driving force above the guide.
const QVector<Example> &examples() {
  static const QVector<Example> e = {
      {ArrangementId::EKaEDSch, "", "", {{"- Z", "1500", "20", "10", "0"}, {"Y +", "300", "0", "0", "40"}}},
      {ArrangementId::ERoEESch, "", "400", {{"- Z", "2000", "50", "30", "0"}, {"Y +", "250", "0", "0", "60"}}},
      {ArrangementId::ZKaEDSch, "250", "", {{"- Z", "3000", "-40", "10", "0"}, {"X +", "500", "0", "0", "80"}}},
      {ArrangementId::ZKaZDSch, "", "400", {{"- Z", "2500", "30", "-60", "0"}, {"Y +", "400", "20", "0", "50"}}},
      {ArrangementId::VKaZDSch, "500", "400", {{"- Z", "5000", "-100", "50", "0"}, {"Y +", "800", "0", "0", "120"}}},
      {ArrangementId::ZRoEESch, "300", "350", {{"- Z", "4000", "60", "-40", "0"}, {"X +", "600", "0", "0", "100"}}},
  };
  return e;
}
}  // namespace

bool add(const QString &name, Render render) {
  registry().insert(name, std::move(render));
  return true;
}

void settle() {
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

QImage pictureOf(QWidget *w) {
  w->setAttribute(Qt::WA_DontShowOnScreen, true);
  w->show();
  settle();
  return w->grab().toImage();
}

void freshStart(Session &session) {
  session = session.afresh();
  input::markSavePoint();
  startSession(session);
}

FrmArrangement *calculatedScreen(Session &session, ArrangementId id) {
  const ArrangementInfo &info = arrangement(id);
  // The session as a calculation of this arrangement takes it over (its table list),
  // then the screen with the example's input, set on its document as a file would be,
  // and its "Berechnen".
  calcfile::Case input;
  input.arrangement = QString::fromLatin1(info.screenName);
  run::takeOver(session, input, info);
  auto *w = new FrmArrangement(session, id);
  CalcDocument *doc = docui::of(w);
  calcfile::Case c = doc->input();
  for (const Example &ex : examples()) {
    if (ex.id != id) continue;
    c.m = QString::fromLatin1(ex.m);
    c.n = QString::fromLatin1(ex.n);
    for (const Force &f : ex.forces)
      c.forces << QStringList{QString::fromLatin1(f.label), QString::fromLatin1(f.force), QString::fromLatin1(f.x),
                              QString::fromLatin1(f.y), QString::fromLatin1(f.z)};
  }
  doc->reset(c);
  w->CmdBerechnen_Click();
  return w;
}

}  // namespace shots

// ---- the shots of the start screen, the arrangement screens and the force dialog --------

TARVEL_SHOT("01-start.png") {
  FrmStart *w = FrmStart::open(session);
  // The mouse over the one-cassette picture: its help text and the linear module.
  for (int i = 0; i < FrmStart::kPictures; ++i)
    if (w->pictureTag(i) == QLatin1String("PicEKaEDS")) w->PicButton_MouseMove(i);
  return shots::pictureOf(w);
}

TARVEL_SHOT("02-start-roller-shoes.png") {
  FrmStart *w = FrmStart::open(session);
  for (int i = 0; i < FrmStart::kPictures; ++i)
    if (w->pictureTag(i) == QLatin1String("PicZRoEES")) w->PicButton_MouseMove(i);
  w->LabWeb_MouseMove();
  return shots::pictureOf(w);
}

#define ARRANGEMENT_SHOT(file, id) \
  TARVEL_SHOT(file) { return shots::pictureOf(shots::calculatedScreen(session, ArrangementId::id)); }
ARRANGEMENT_SHOT("10-FrmEKaEDSch.png", EKaEDSch)
ARRANGEMENT_SHOT("11-FrmERoEESch.png", ERoEESch)
ARRANGEMENT_SHOT("12-FrmZKaEDSch.png", ZKaEDSch)
ARRANGEMENT_SHOT("13-FrmZKaZDSch.png", ZKaZDSch)
ARRANGEMENT_SHOT("14-FrmVKaZDSch.png", VKaZDSch)
ARRANGEMENT_SHOT("15-FrmZRoEESch.png", ZRoEESch)

TARVEL_SHOT("16-series-menu.png") {
  FrmArrangement *w = shots::calculatedScreen(session, ArrangementId::VKaZDSch);
  shots::pictureOf(w);
  QMenu *loadsMenu = w->findChild<QMenu *>(QStringLiteral("MenüOptionen"));
  loadsMenu->setAttribute(Qt::WA_DontShowOnScreen, true);
  loadsMenu->popup(w->mapToGlobal(QPoint(60, 40)));
  shots::settle();
  const QImage img = loadsMenu->grab().toImage();
  loadsMenu->hide();
  return img;
}

TARVEL_SHOT("17-direction-hover.png") {
  FrmArrangement *w = shots::calculatedScreen(session, ArrangementId::ZKaZDSch);
  auto *directions = w->findChild<DirectionLabels *>(QStringLiteral("DirectionLabels"));
  directions->highlight(4);
  directions->highlight(1);
  return shots::pictureOf(w);
}

TARVEL_SHOT("03-start-keyboard-focus.png") {
  FrmStart *w = FrmStart::open(session);
  shots::pictureOf(w);
  QApplication::setActiveWindow(w);
  // Tab has brought the keyboard to the two-cassette picture: its frame and its text.
  for (int i = 0; i < FrmStart::kPictures; ++i)
    if (w->pictureTag(i) == QLatin1String("PicZKaEDS")) w->PicButton(i)->setFocus(Qt::TabFocusReason);
  return shots::pictureOf(w);
}

TARVEL_SHOT("18-resized-window.png") {
  FrmArrangement *w = shots::calculatedScreen(session, ArrangementId::ZRoEESch);
  shots::pictureOf(w);
  // The window made larger: drawing, labels and force table grow with it.
  w->resize(1300, 720);
  return shots::pictureOf(w);
}

TARVEL_SHOT("19-direction-keyboard-focus.png") {
  FrmArrangement *w = shots::calculatedScreen(session, ArrangementId::EKaEDSch);
  shots::pictureOf(w);
  QApplication::setActiveWindow(w);
  w->findChild<QLabel *>(QStringLiteral("LabKoordinaten_4"))->setFocus(Qt::TabFocusReason);
  return shots::pictureOf(w);
}

TARVEL_SHOT("22-discard-question.png") {
  FrmArrangement *w = shots::calculatedScreen(session, ArrangementId::ZKaEDSch);
  shots::pictureOf(w);
  // What "Zurück" asks while the input is unsaved.
  std::unique_ptr<QMessageBox> box(gui::messageBox(input::discardQuestion(), w));
  return shots::pictureOf(box.get());
}

TARVEL_SHOT("21-force-refused.png") {
  FrmArrangement *w = shots::calculatedScreen(session, ArrangementId::EKaEDSch);
  shots::pictureOf(w);
  QLabel *holder = w->findChild<QLabel *>(QStringLiteral("LabKoordinaten_0"));
  DialogEingabe::setPendingDirection(holder, QStringLiteral("- Z"));
  DialogEingabe d(session, w, w->findChild<ForceGrid *>(QStringLiteral("MSFlexGrid1")), holder);
  const msg::Message refusal{builtinText(1101), d.windowTitle(), msg::Icon::Exclamation, msg::Buttons::Ok, 1};
  std::unique_ptr<QMessageBox> box(gui::messageBox(refusal, w));
  return shots::pictureOf(box.get());
}

TARVEL_SHOT("20-force-dialog.png") {
  FrmArrangement *w = shots::calculatedScreen(session, ArrangementId::VKaZDSch);
  shots::pictureOf(w);
  QLabel *holder = w->findChild<QLabel *>(QStringLiteral("LabKoordinaten_0"));
  DialogEingabe::setPendingDirection(holder, QStringLiteral("- Z"));
  auto *d = new DialogEingabe(session, w, w->findChild<ForceGrid *>(QStringLiteral("MSFlexGrid1")), holder);
  d->tbKrfXYZ(0)->setText(QStringLiteral("1250"));
  d->tbKrfXYZ(1)->setText(QStringLiteral("-75"));
  d->tbKrfXYZ(2)->setText(QStringLiteral("40"));
  // A few steps of the scrolling hint.
  for (int i = 0; i < 6; ++i) d->tmrSchrift_Timer();
  return shots::pictureOf(d);
}

namespace {
// The four cassettes calculated and handed over as "Weiter" does, without showing
// anything; with `requiredKm`, that life required on the document.
FrmArrangement *handedOverFourCassettes(Session &session, const QString &requiredKm = {}) {
  FrmArrangement *w = shots::calculatedScreen(session, ArrangementId::VKaZDSch);
  w->CmdBerechnen_Click();
  run::handOver(session, ArrangementId::VKaZDSch, calcfile::loadCasesOf(docui::of(w)->input()));
  if (!requiredKm.isEmpty()) {
    CalcDocument *document = docui::of(w);
    calcfile::Case input = document->input();
    input.requiredLife = loads::RequiredLifeTexts{requiredKm, false};
    document->edit(QString(), input);
  }
  return w;
}
}  // namespace

TARVEL_SHOT("30-FrmAuswertung.png") {
  return FrmAuswertung::grabScreen(session, handedOverFourCassettes(session), 3, true);
}

// 5 000 km required: the life verdicts, the recommended sizes and the suggestion.
TARVEL_SHOT("31-FrmAuswertung-required-life.png") {
  return FrmAuswertung::grabScreen(session, handedOverFourCassettes(session, QStringLiteral("5000")), 4, true);
}

TARVEL_SHOT("32-FrmDiagramm.png") {
  // The evaluation of the required-life shot, then its charts.
  FrmArrangement *w = handedOverFourCassettes(session, QStringLiteral("5000"));
  auto *screen = new FrmAuswertung(session, w);
  screen->setAttribute(Qt::WA_DontShowOnScreen, true);
  screen->show();
  for (int k = 0; k < 3; ++k) {
    if (!screen->chkKSerie(k)->isEnabled()) continue;
    screen->chkKSerie(k)->setChecked(true);
    screen->chkKSerie_Click(k);
  }
  screen->CmdBerechnen_Click();
  return shots::pictureOf(FrmDiagramm::open(screen));
}

// ---- the command --------------------------------------------------------------------------

namespace shots {
namespace {
// Takes every registered picture into `dir`; the number of pictures not written.
int takeAll(Session &session, const QDir &dir) {
  int failed = 0;
  for (auto it = registry().cbegin(); it != registry().cend(); ++it) {
    freshStart(session);
    QImage img;
    try {
      img = it.value()(session);
    } catch (const std::exception &e) {
      std::fprintf(stderr, "%s: %s\n", qPrintable(it.key()), e.what());
    }
    const QString path = dir.filePath(it.key());
    QSaveFile file(path);
    if (img.isNull() || !file.open(QIODevice::WriteOnly) || !img.save(&file, "PNG") || !file.commit()) {
      std::fprintf(stderr, "tarvelcalc-shots: %s not written\n", qPrintable(path));
      ++failed;
    } else {
      std::printf("%s\n", qPrintable(path));
    }
    // Leaving every window: nothing to ask about.
    input::markSavePoint();
    for (QWidget *w : QApplication::topLevelWidgets()) w->close();
    settle();
  }
  return failed;
}
}  // namespace
}  // namespace shots

namespace {
constexpr const char *kUsage =
    "Usage: tarvelcalc-shots DIR\n"
    "\n"
    "Renders every screen of TarvelCALC in a typical state to PNG files: in German in DIR,\n"
    "in English in DIR/en (the same file names).\n"
    "\n"
    "Options:\n"
    "  -h, --help     show this help and exit\n"
    "      --version  show the version and exit\n"
    "\n"
    "Exit status:\n"
    "  0  all pictures written\n"
    "  1  DIR cannot be made or a picture cannot be written\n"
    "  2  bad command line\n";
}  // namespace

int main(int argc, char **argv) {
  const int answered = cli::answerStandardOptions(argc, argv, "tarvelcalc-shots", kUsage);
  if (answered >= 0) return answered;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc < 2) return cli::usageError("tarvelcalc-shots", kUsage, QStringLiteral("no folder given"));
  if (argc > 2 || argv[1][0] == '-')
    return cli::usageError("tarvelcalc-shots", kUsage,
                           QStringLiteral("unexpected argument ") +
                               QString::fromLocal8Bit(argv[argv[1][0] == '-' ? 1 : 2]));
  const QDir dir(QString::fromLocal8Bit(argv[1]));
  // The English pictures lie in a folder of their own under the same names, so that
  // the German ones keep the names the documents use.
  const QDir english(dir.filePath(QStringLiteral("en")));
  if (!QDir().mkpath(english.absolutePath())) {
    std::fprintf(stderr, "tarvelcalc-shots: cannot create %s\n", qPrintable(english.path()));
    return 1;
  }
  QFont font(QStringLiteral("Arial"), 9);
  font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
  QApplication::setFont(font);
  // No boxes offscreen: what a box would say goes to the terminal and the default
  // button answers.
  msg::setPresenter([](const msg::Message &m) {
    std::fprintf(stderr, "message: %s | %s\n", qPrintable(m.title), qPrintable(m.text));
    return msg::defaultAnswer(m);
  });
  msg::setEndHook([](int code) {
    std::fprintf(stderr, "tarvelcalc-shots: the program would end here (%d)\n", code);
  });
  // The real dialogs, the report window and the outputs of the evaluation screen; no
  // busy windows, no file menu.
  // The tool's one session, which every shot starts afresh.
  Session session;
  AppServices services;
  services.dialogs = report::standardDialogs();
  services.dialogs.commentDialog = report::commentDialogFor(session);
  services.evaluation = FrmAuswertung::standardServices();
  app::install(std::move(services));

  int failed = 0;
  // Every picture in German, then every one in English, the language switched as the
  // menu "Sprache / Language" switches it. The German pictures keep the German number
  // notation whatever the machine's locale.
  for (const auto &[language, folder] :
       {std::pair{Language::German, dir}, std::pair{Language::English, english}}) {
    uilang::apply(language);
    if (language == Language::German) num::setLocale(QLocale(QLocale::German, QLocale::Germany));
    failed += shots::takeAll(session, folder);
  }
  return failed ? 1 : 0;
}
