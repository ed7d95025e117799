// The program in English on real widgets: every screen, window and dialog is opened in
// English and each text it shows (labels, buttons, group boxes, tabs, headings, menus,
// actions, tool tips, window titles, chart titles and legends, messages) is checked to
// be English, present where a text belongs, and to fit its control; then the language
// goes back to German on the open windows, which speak German again.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSeries>
#include <QAction>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWidgetAction>
#include <functional>

#include "app/CalcFilesFixture.h"
#include "core/common/UnsavedInput.h"
#include "support/Children.h"
#include "ui/auxiliary/FrmAbout.h"
#include "ui/auxiliary/FrmVertreter.h"
#include "ui/common/InterfaceLanguage.h"
#include "ui/evaluation/FrmDiagramm.h"
#include "ui/evaluation/FrmParameterstudie.h"
#include "ui/evaluation/UnitLoadsPanel.h"
#include "ui/loads/DialogEingabe.h"
#include "ui/loads/ForceGrid.h"
#include "ui/loads/MotionDialog.h"
#include "ui/report/FrmKommentar.h"
#include "ui/special/FrmSonder.h"

namespace {

using testsupport::child;

// What gives a German text away: its letters, and words no English text of the program
// uses (nouns capitalised as German writes them).
const QRegularExpression kGerman(QStringLiteral(
    "[äöüÄÖÜß]|\\b(und|oder|mit|für|nicht|der|die|das|den|ist|wird|eine?|zur|zum|bzw|Sie|Bitte|Kraft|Lastfall|"
    "Belastungs?|Berechnen|Berechnung|Zurück|Weiter|Datei|Ansicht|Inhalt|Hilfe|Drucken|Speichern|Beenden|Fenster|"
    "Bearbeiten|Formulare?|Serie|Größe|Sicherheit|Lebensdauer|Abstand|Schienen?|Kassetten?|Rollenschuh|Anordnung|"
    "Auswertung|Betrieb|Stunden|Tage|Jahre?|Anteil|Richtung|Kommentar|Sonder|Eingabe|Lager|Einheit|Diagramme?|"
    "Schritte?|Wert|Hinweis|Tragzahl|Statisch|Dynamisch|ruhend|schwellend|wechselnd|Optionen|Belastungen|Bewegung|"
    "Masse|Schwerpunkt|Einbaulage|Seite|Seitenbreite|Ganze|Kopieren|Lasten|Beschreibung|Warnung|Anwendung|"
    "Koordinate|Nadellager|Kugellager|Doppelhübe|Geforderte|Empfohlene|Von|Bis)\\b"));

// Names and data that read the same in either language: the maker's address and
// contacts (configured values), the languages' own names in "Sprache / Language".
QStringList sameInBothLanguages() {
  QStringList out = {QStringLiteral("Sprache / Language"), QStringLiteral("Deutsch")};
  for (const char *name : {"company", "street", "town", "phone", "fax", "support", "email", "web", "years"})
    out << configValue(QString::fromLatin1(name));
  return out;
}

QString withoutMnemonic(QString text) {
  text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
  text.remove(QLatin1Char('&'));
  return text.replace(QChar(1), QLatin1Char('&'));
}

// Checks the texts of windows and collects what is wrong, named by window and control.
class TextCheck {
 public:
  QStringList problems;

  void text(const QString &where, const QString &shown, bool expected = false) {
    QString t = shown;
    for (const QString &name : sameInBothLanguages()) t.remove(name);
    if (expected && shown.trimmed().isEmpty()) problems << where + QStringLiteral(": no text");
    const QRegularExpressionMatch m = kGerman.match(t);
    if (m.hasMatch())
      problems << QStringLiteral("%1: German \"%2\" in \"%3\"").arg(where, m.captured(), shown.left(120));
  }

  // Whether the controls are measured: a hidden window lays itself out when it shows.
  bool measure = true;

  void fits(const QString &where, const QString &shown, int advance, int room) {
    if (measure && advance > room)
      problems << QStringLiteral("%1: \"%2\" needs %3 px, has %4").arg(where, shown).arg(advance).arg(room);
  }

  // A menu of the menu bar or a submenu has a title; a button's drop-down needs none.
  void menu(const QString &where, QMenu *m, bool titled = true) {
    text(where + QStringLiteral(" menu"), m->title(), titled);
    actions(where + QStringLiteral(" › ") + withoutMnemonic(m->title()), m->actions(), true);
  }

  void actions(const QString &where, const QList<QAction *> &list, bool expected) {
    for (QAction *a : list) {
      if (a->isSeparator() || qobject_cast<QWidgetAction *>(a)) continue;
      if (a->menu()) {
        menu(where, a->menu(), expected);
        continue;
      }
      const QString name = where + QStringLiteral(" › ") + (a->objectName().isEmpty() ? a->text() : a->objectName());
      text(name, a->text(), expected && a->isVisible());
      text(name + QStringLiteral(" tip"), a->toolTip());
      text(name + QStringLiteral(" status tip"), a->statusTip());
    }
  }

  void chart(const QString &where, QChart *c) {
    if (!c) return;
    text(where + QStringLiteral(" title"), c->title());
    for (QAbstractAxis *axis : c->axes()) text(where + QStringLiteral(" axis"), axis->titleText());
    for (QAbstractSeries *s : c->series()) text(where + QStringLiteral(" legend"), s->name());
  }

  // Every control of `window` shown, its menus and toolbars.
  void window(QWidget *w) {
    const QString name = QString::fromLatin1(w->metaObject()->className());
    measure = w->isVisible();
    text(name + QStringLiteral(" title"), w->windowTitle(), true);
    if (auto *main = qobject_cast<QMainWindow *>(w)) {
      for (QAction *a : main->menuBar()->actions())
        if (a->menu() && a->isVisible()) menu(name, a->menu());
    }
    QList<QWidget *> all = w->findChildren<QWidget *>();
    all.prepend(w);
    for (QWidget *c : all) {
      if (c != w && (!c->isVisibleTo(w) || c->window() != w)) continue;
      const QString where = name + QLatin1Char('/') + (c->objectName().isEmpty() ? QString::fromLatin1(c->metaObject()->className()) : c->objectName());
      text(where + QStringLiteral(" tip"), c->toolTip());
      text(where + QStringLiteral(" status tip"), c->statusTip());
      if (auto *bar = qobject_cast<QToolBar *>(c)) actions(where, bar->actions(), true);
      else if (!qobject_cast<QMenu *>(c) && !qobject_cast<QMenuBar *>(c) && !qobject_cast<QToolBar *>(c->parentWidget()))
        actions(where, c->actions(), false);
      control(where, c);
    }
  }

 private:
  void control(const QString &where, QWidget *c) {
    const QFontMetrics fm(c->font());
    if (auto *l = qobject_cast<QLabel *>(c)) {
      if (l->text().isEmpty()) return;
      const bool rich = l->textFormat() == Qt::RichText || (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(l->text()));
      const QString plain = rich ? QTextDocumentFragment::fromHtml(l->text()).toPlainText() : l->text();
      text(where, plain);
      const QRect room = l->contentsRect().adjusted(l->margin(), l->margin(), -l->margin(), -l->margin());
      if (l->wordWrap()) {
        if (measure && l->heightForWidth(room.width()) > room.height())
          problems << QStringLiteral("%1: \"%2\" needs %3 px of height, has %4")
                          .arg(where, plain)
                          .arg(l->heightForWidth(room.width()))
                          .arg(room.height());
      } else {
        for (const QString &line : plain.split(QLatin1Char('\n')))
          fits(where, line, fm.horizontalAdvance(withoutMnemonic(line)), room.width());
      }
    } else if (auto *b = qobject_cast<QAbstractButton *>(c)) {
      const QString t = withoutMnemonic(b->text());
      text(where, b->text(), qobject_cast<QPushButton *>(b) && b->icon().isNull());
      if (qobject_cast<QToolButton *>(b) || t.isEmpty()) return;
      int extra = 0;
      if (qobject_cast<QCheckBox *>(b) || qobject_cast<QRadioButton *>(b))
        extra = b->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, b) +
                b->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, b);
      else if (!b->icon().isNull())
        extra = b->iconSize().width() + 4;
      fits(where, t, fm.horizontalAdvance(t) + extra, b->width());
    } else if (auto *g = qobject_cast<QGroupBox *>(c)) {
      text(where, g->title());
      fits(where, g->title(), fm.horizontalAdvance(withoutMnemonic(g->title())), g->width());
    } else if (auto *tabs = qobject_cast<QTabBar *>(c)) {
      for (int i = 0; i < tabs->count(); ++i) text(where + QStringLiteral(" tab"), tabs->tabText(i), true);
    } else if (auto *box = qobject_cast<QComboBox *>(c)) {
      for (int i = 0; i < box->count(); ++i) text(where + QStringLiteral(" item"), box->itemText(i), true);
    } else if (auto *view = qobject_cast<QAbstractItemView *>(c); view && !qobject_cast<QHeaderView *>(c)) {
      if (QAbstractItemModel *m = view->model())
        for (int col = 0; col < m->columnCount(); ++col)
          text(where + QStringLiteral(" heading"), m->headerData(col, Qt::Horizontal).toString());
    } else if (auto *chartView = qobject_cast<QChartView *>(c)) {
      chart(where, chartView->chart());
    } else if (auto *page = qobject_cast<QMdiSubWindow *>(c)) {
      text(where + QStringLiteral(" title"), page->windowTitle(), true);
    }
  }
};

class EnglishScreens : public CalcFiles {
 protected:
  void SetUp() override {
    // The program's font (app/main.cpp), whose metrics the screens are laid out for.
    programFont_ = QApplication::font();
    QFont font(QStringLiteral("Arial"), 9);
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    QApplication::setFont(font);
    CalcFiles::SetUp();
  }
  void TearDown() override {
    if (FrmAusdruck *report = FrmAusdruck::current()) report->close();
    uilang::apply(Language::German, &session);
    CalcFiles::TearDown();
    QApplication::setFont(programFont_);
  }

  void speak(Language language) {
    uilang::apply(language, &session);
    settle();
  }

  // Four cassettes opened from `from` (whose screens give way), calculated and
  // evaluated, with the windows of its evaluation screen: the loads per unit of the first
  // row, the charts, a parameter study of three steps and the report window.
  QList<QPointer<QWidget>> openFourCassettes(QWidget *from) {
    if (!calcfiles::openFile(session, TARVEL_TEST_SOURCE_DIR "/examples/four-cassettes.json", from)) return {};
    settle();
    FrmAuswertung *ev = evaluationScreen();
    if (!ev) return {};
    ev->MSFlexGrid1()->setCurrentCell(0, 0);
    ev->menuItem("MenüLastenJeEinheit")->setChecked(true);
    ev->menuItem("MenüDiagramm")->trigger();
    ev->menuItem("MenüParameterstudie")->trigger();
    auto *study = ev->findChild<FrmParameterstudie *>();
    study->Tb_Schritte()->setText("3");
    study->CmdBerechnen_Click();
    ev->toolbarButton("Druckmanager")->trigger();
    settle();
    return {ev, ev->mfrmMasterForm(), ev->unitLoadsPanel(), ev->findChild<FrmDiagramm *>(), study, FrmAusdruck::current()};
  }

  void checkAll(const QList<QPointer<QWidget>> &windows) {
    for (const QPointer<QWidget> &w : windows) {
      EXPECT_TRUE(w);
      if (w) check.window(w);
    }
  }

  // Runs `open`, which shows modal dialogs; each one is checked while it runs, and the
  // one of class `target` is closed (those on the way, the busy window, close by
  // themselves).
  void throughModal(const char *target, const std::function<void()> &open) {
    QStringList seen;
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&] {
      QWidget *m = QApplication::activeModalWidget();
      if (!m || !m->isVisible()) return;
      const QString name = QString::fromLatin1(m->metaObject()->className());
      if (!seen.contains(name)) {
        seen << name;
        check.window(m);
      }
      if (m->inherits(target)) m->close();
    });
    poll.start();
    open();
    poll.stop();
    EXPECT_TRUE(seen.contains(QString::fromLatin1(target))) << target << " did not open";
  }

  TextCheck check;
  QFont programFont_;
};

// The windows of a calculation opened in German follow the switch to English; every
// screen and dialog opened in English speaks English; German comes back on the open
// windows.
TEST_F(EnglishScreens, EveryWindowSpeaksEnglishAndFitsThenGermanComesBack) {
  const QList<QPointer<QWidget>> german = openFourCassettes(start);
  ASSERT_EQ(german.size(), 6);
  // A step to undo, named in German.
  auto *germanEv = qobject_cast<FrmAuswertung *>(german.first().data());
  germanEv->chkGrSer(0)->click();
  speak(Language::English);
  checkAll(german);
  EXPECT_EQ(germanEv->menuItem("MenüRückgängig")->text(), "&Undo: Choose sizes");
  input::markSavePoint();  // the tick is given up without a question
  EXPECT_TRUE(check.problems.isEmpty()) << check.problems.join(QLatin1Char('\n')).toStdString();
  check.problems.clear();

  // The start screen, its special series editor with the busy window before it, and the
  // about box.
  QPointer<FrmStart> screen = FrmStart::open(session);
  ASSERT_TRUE(screen);
  check.window(screen);
  // The help of each picture, as the mouse over it shows it.
  for (int i = 0; i < FrmStart::kPictures; ++i) {
    screen->PicButton_MouseMove(i);
    check.window(screen);
  }
  throughModal("FrmSonder", [&] { screen->toolbarButton("Sonder")->trigger(); });
  throughModal("FrmAbout", [&] { screen->toolbarButton("Info")->trigger(); });

  // Each of the six arrangement screens, reached by its picture; the first one's force
  // dialog (a click on a direction label) and motion dialog.
  for (int i = 0; i < FrmStart::kPictures; ++i) {
    if (i > 0) screen = FrmStart::open(session);
    ASSERT_TRUE(screen);
    QTest::mouseClick(screen->PicButton(i), Qt::LeftButton);
    settle();
    FrmArrangement *arrangement = arrangementScreen();
    ASSERT_TRUE(arrangement) << i;
    check.window(arrangement);
    if (i == 0) {
      throughModal("DialogEingabe", [&] { QTest::mouseClick(child<QLabel>(arrangement, "LabKoordinaten", 0), Qt::LeftButton); });
      throughModal("MotionDialog", [&] { child<QPushButton>(arrangement, "CmdBewegung")->click(); });
      // A calculation without forces is refused in the words of the screens.
      child<QPushButton>(arrangement, "CmdBerechnen")->click();
      EXPECT_FALSE(rec.messages.isEmpty());
    }
    arrangement->close();
    settle();
    ASSERT_FALSE(arrangementScreen()) << i;
  }

  // The calculation opened again, now in English, in place of the German one.
  const QList<QPointer<QWidget>> english = openFourCassettes(german.first());
  ASSERT_EQ(english.size(), 6);
  // The report window's pages speak English to begin with.
  EXPECT_EQ(qobject_cast<FrmAusdruck *>(english.at(5).data())->languageState(), report::English);
  checkAll(english);
  auto *ev = qobject_cast<FrmAuswertung *>(english.first().data());
  throughModal("FrmKommentar", [&] { showKommentar(session, ev); });
  throughModal("FrmVertreter", [&] { ev->menuItem("MenüVertreter")->trigger(); });
  throughModal("FrmVertreter", [&] { ev->menuItem("MenüInfoDB")->trigger(); });
  throughModal("FrmAbout", [&] { ev->menuItem("MenüInfo")->trigger(); });

  // What the program said meanwhile.
  for (const msg::Message &m : rec.messages) check.text(QStringLiteral("message ") + m.title, m.title + QLatin1Char('\n') + m.text);
  EXPECT_TRUE(check.problems.isEmpty()) << check.problems.join(QLatin1Char('\n')).toStdString();

  // German again, on the windows still open.
  speak(Language::German);
  auto *arrangement = qobject_cast<FrmArrangement *>(english.at(1).data());
  auto *study = qobject_cast<FrmParameterstudie *>(english.at(4).data());
  ASSERT_TRUE(arrangement && study && english.at(5));
  const struct {
    QString shown, german;
  } back[] = {
      {ev->CmdBerechnen()->text(), "Berechnen"},
      {ev->FraBetrieb()->title(), "Betrieb"},
      {ev->chkKSerie(0)->text().section(' ', 0, 0), "Serie"},
      {ev->chkKSerie(4)->text(), "Sonder"},
      {ev->MSFlexGrid1()->horizontalHeaderItem(1)->text(), "Größe"},
      {ev->menuItem("MenüDiagramm")->text(), "Dia&gramm"},
      {child<QPushButton>(arrangement, "CmdBerechnen")->text(), "&Berechnen"},
      {child<QPushButton>(arrangement, "CmdBewegung")->text(), "Lastfälle aus Bewegung…"},
      {child<ForceGrid>(arrangement, "MSFlexGrid1")->horizontalHeaderItem(0)->text(), "Richtung"},
      {child<QLabel>(arrangement, "LabAnteil")->text(), "Anteil (%)"},
      {study->CmdBerechnen()->text(), "Be&rechnen"},
      {study->windowTitle().section(" - ", -1), "Parameterstudie"},
      {english.at(2)->windowTitle(), "Lasten je Einheit"},
      {english.at(3)->windowTitle().section(" - ", -1), "Diagramm"},
      {child<QAction>(english.at(5), "MenüSprache")->text(), "Sprachauswahl"},
  };
  for (const auto &b : back) EXPECT_EQ(b.shown, b.german);
}

}  // namespace
