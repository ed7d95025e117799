// TarvelCALC Rollenführungen: the desktop program. It shows the logo, loads the start
// screen (and opens the calculation file named on the command line) and waits for the user; it ends when its last window closes or when a screen
// ends it at once (msg::endProgram).
#include <QApplication>
#include <QFileInfo>
#include <QFont>
#include <QLocale>
#include <QStandardPaths>
#include <cstdio>
#include <cstdlib>

#include "app/CalcFiles.h"
#include "app/FrmBusy.h"
#include "app/FrmLogo.h"
#include "app/FrmStart.h"
#include "app/ProgramServices.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/ImportOffer.h"
#include "core/common/DataFiles.h"
#include "ui/common/AppServices.h"
#include "core/common/CommandLine.h"
#include "ui/common/Gui.h"
#include "ui/common/InterfaceLanguage.h"
#include "core/common/Messages.h"
#include "core/common/Texts.h"

namespace {
// The usage text is also the source of the man page.
constexpr const char *kUsage =
    "Usage: tarvelcalc [OPTION]...\n"
    "\n"
    "Design check of aluminium roller linear guides (German or English user interface).\n"
    "\n"
    "Starts the desktop program TarvelCALC: choose one of six arrangements of cassettes or\n"
    "roller shoes, enter the distances and the forces, calculate the loads of every series\n"
    "of the catalogue and rate the sizes. The catalogue DBFN.db and the manual\n"
    "Help/AnlFN.pdf are looked for beside the program, then in ../share/tarvelcalc/.\n"
    "\n"
    "Options:\n"
    "  -h, --help     show this help and exit\n"
    "      --version  show the version and exit\n"
    "      --lang de|en  the language of the screens (default: the one chosen last,\n"
    "                 else English where the system's locale is English, else German)\n"
    "  Qt's own options (for example -platform offscreen) are accepted as well.\n"
    "\n"
    "Exit status:\n"
    "  0  the program was closed\n"
    "  1  the program ended itself (a catalogue error)\n"
    "  2  bad command line\n";
}  // namespace

int main(int argc, char **argv) {
  const int answered = cli::answerStandardOptions(argc, argv, "tarvelcalc", kUsage);
  if (answered >= 0) return answered;
  // The program's one calculation session: it outlives every window.
  Session session;
  QApplication app(argc, argv);
  // Qt has taken its own options out; anything else with a dash is unknown. One file
  // name is let through: the desktop entry hands over the calculation file (%f) it was
  // started for; opening it belongs to the calculation files, not to the start.
  QStringList args = QApplication::arguments().mid(1);
  // --lang de|en (or --lang=de): the language of the screens for this start.
  QString lang;
  for (int i = 0; i < args.size(); ++i) {
    const QString a = args.at(i);
    if (a != QLatin1String("--lang") && !a.startsWith(QLatin1String("--lang="))) continue;
    const bool joined = a.startsWith(QLatin1String("--lang="));
    if (!joined && i + 1 >= args.size()) return cli::usageError("tarvelcalc", kUsage, QStringLiteral("--lang needs de or en"));
    lang = joined ? a.mid(7) : args.at(i + 1);
    if (lang != QLatin1String("de") && lang != QLatin1String("en"))
      return cli::usageError("tarvelcalc", kUsage, QStringLiteral("--lang takes de or en, not ") + lang);
    args.remove(i, joined ? 1 : 2);
    --i;
  }
  int files = 0;
  for (const QString &a : args) {
    if (a.startsWith(QLatin1Char('-')) && a != QLatin1String("-"))
      return cli::usageError("tarvelcalc", kUsage, QStringLiteral("unknown option ") + a);
    if (++files > 1) return cli::usageError("tarvelcalc", kUsage, QStringLiteral("unexpected argument ") + a);
  }
  QApplication::setApplicationName(QStringLiteral("TarvelCALC"));
  // The screens were laid out for Arial; Liberation Sans has the same metrics.
  QFont font(QStringLiteral("Arial"), 9);
  font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
  QApplication::setFont(font);

  // The screens' language; Qt's own buttons and dialogs speak it too.
  uilang::apply(uilang::startLanguage(lang, QLocale::system().name()));
  gui::installMessageBoxPresenter();
  // Ending the program ends it at once: nothing is pending, the catalogue is only read.
  msg::setEndHook([](int code) {
    std::fflush(nullptr);
    std::_Exit(code);
  });
  // What the program provides around its session.
  app::install(programServices(session));

  // No catalogue where the program looks, but the maker's Access file: offered for
  // import into the user's data folder, done by the catalogue tool beside the program
  // so that a damaged file cannot hang or end the program itself.
  const QString tool = QApplication::applicationDirPath() + QStringLiteral("/tarvelcalc-catalogue");
  const QString imported = catalogue::offerAccessImport(
      datafiles::searchDirs(), QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
      QFileInfo(tool).isExecutable() ? catalogue::childProcessImporter(tool, 120000) : catalogue::Importer());
  // The catalogue (the imported copy, or DBFN.db where the program looks) shows the busy
  // window before its long queries.
  session.catalogue = std::make_shared<catalogue::Catalogue>(
      imported, [&session] { FrmBusy::run(session, QApplication::activeWindow()); });

  FrmLogo::showLogo();
  FrmStart *start = FrmStart::open(session);
  if (!start) return 1;
  // "tarvelcalc FILE": the calculation file opens at once.
  if (!args.isEmpty()) calcfiles::openFile(session, args.first(), start);
  return app.exec();
}
