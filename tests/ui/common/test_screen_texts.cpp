// Every text the screens show comes from the text table, in German and in English: no
// call that puts a text before the user (a widget's text, title or tool tip, a menu or
// action, a window title, a file dialog's filters, a chart's title or legend, a message)
// is handed a string literal with words in it. The sources of the screens (src/ui) and
// of the desktop program (src/app) are read and every such call's arguments looked at.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

namespace {

// The calls that show their text arguments.
const QStringList kShowingCalls = {
    "setText", "setWindowTitle", "setToolTip", "setStatusTip", "setWhatsThis", "setTitle", "setTitleText",
    "setPlaceholderText", "setTabText", "addTab", "insertTab", "addItem", "addItems", "insertItem", "setItemText",
    "setHorizontalHeaderLabels", "setVerticalHeaderLabels", "setLabelText", "addAction", "addMenu", "addRow",
    "showMessage", "setName", "setNameFilters", "askSaveFileName", "askOpenFileName", "getText", "QLabel",
    "QPushButton", "QCheckBox", "QRadioButton", "QGroupBox", "QAction", "QMenu", "showText", "setAccessibleName",
    "setAccessibleDescription", "show", "critical", "critical2", "plain", "information", "warning", "question",
    "about"};

// Literals that are no words of a language, and why they may stand in the code.
struct Allowed {
  QRegularExpression text;
  const char *why;
};
const Allowed kAllowed[] = {
    {QRegularExpression(QStringLiteral("^\\w+!$"), QRegularExpression::UseUnicodePropertiesOption),
     "a routine's name as the title of its error message, as the program's users know it (\"sSetLayout!\")"},
    {QRegularExpression(QStringLiteral("^Error gsubHelp$")), "the help routine's error title, a routine name"},
    {QRegularExpression(QStringLiteral("^(h|km)$")), "the unit symbols of a lifetime, the same in every language"},
};

// The string literals of a call's arguments that carry words: two letters in a row,
// HTML entities aside, and no allowed literal.
QStringList wordsIn(const QStringList &literals) {
  static const QRegularExpression word(QStringLiteral("\\p{L}{2}"));
  static const QRegularExpression entity(QStringLiteral("&\\w+;"));
  QStringList out;
  for (const QString &literal : literals) {
    const QString t = QString(literal).remove(entity).trimmed();
    if (!t.contains(word)) continue;
    bool allowed = false;
    for (const Allowed &a : kAllowed) allowed = allowed || a.text.match(t).hasMatch();
    if (!allowed) out << literal;
  }
  return out;
}

// The source with comments blanked and the contents of string and character literals
// blanked too (so that neither brackets nor call names inside them count); the string
// literals by their offset.
struct Source {
  QString code;
  QList<QPair<int, QString>> literals;
};

Source read(const QString &text) {
  Source s;
  s.code = text;
  for (int i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    const QChar next = i + 1 < text.size() ? text.at(i + 1) : QChar();
    if (c == QLatin1Char('/') && next == QLatin1Char('/')) {
      while (i < text.size() && text.at(i) != QLatin1Char('\n')) s.code[i++] = QLatin1Char(' ');
    } else if (c == QLatin1Char('/') && next == QLatin1Char('*')) {
      const int end = text.indexOf(QStringLiteral("*/"), i + 2);
      const int stop = end < 0 ? static_cast<int>(text.size()) : end + 2;
      for (; i < stop; ++i)
        if (text.at(i) != QLatin1Char('\n')) s.code[i] = QLatin1Char(' ');
      --i;
    } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
      const int start = i;
      QString content;
      for (++i; i < text.size() && text.at(i) != c; ++i) {
        if (text.at(i) == QLatin1Char('\\') && i + 1 < text.size()) content += text.at(i++);
        content += text.at(i);
        s.code[i] = QLatin1Char(' ');
      }
      if (c == QLatin1Char('"')) s.literals.append({start, content});
    }
  }
  return s;
}

// "line: literal" of every literal with words handed to a showing call.
QStringList literalTexts(const QString &text) {
  static const QRegularExpression call(QStringLiteral("\\b(%1)\\s*\\(").arg(kShowingCalls.join(QLatin1Char('|'))));
  const Source s = read(text);
  QStringList found;
  for (auto it = call.globalMatch(s.code); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    const int open = static_cast<int>(m.capturedEnd()) - 1;
    int depth = 0, close = open;
    for (; close < s.code.size(); ++close) {
      if (s.code.at(close) == QLatin1Char('(')) ++depth;
      if (s.code.at(close) == QLatin1Char(')') && --depth == 0) break;
    }
    QStringList arguments;
    for (const auto &[at, literal] : s.literals)
      if (at > open && at < close) arguments << literal;
    for (const QString &words : wordsIn(arguments))
      found << QStringLiteral("%1: %2(\"%3\")").arg(text.left(open).count(QLatin1Char('\n')) + 1).arg(m.captured(1), words);
  }
  return found;
}

}  // namespace

// The scan itself: what it must find and what it must let pass.
TEST(ScreenTexts, TheScanFindsLiteralTextsInShowingCalls) {
  const struct {
    const char *code;
    int found;
  } cases[] = {
      {"b->setText(QStringLiteral(\"&Berechnen\"));", 1},
      {"msg::show({QStringLiteral(\"Fehler\"),\n builtinText(1), msg::Icon::None});", 1},
      {"auto *l = new QLabel(tr(\"Name\"), this);", 1},
      {"a->setText(builtinText(501)); // setText(\"Zurück\")", 0},
      {"setObjectName(QStringLiteral(\"MenüDatei\")); menu->addAction(QStringLiteral(\"&%1 %2\").arg(1));", 0},
      {"msg::critical(e.description(), QStringLiteral(\"MenüDrucken_Click!\"));", 0},
      {"legend_->setText(parts.join(QStringLiteral(\"&nbsp; \")) + QStringLiteral(\" km\"));", 0},
      {"setToolTip(QString(\"(\") + name + \")\" + QStringLiteral(\"Kraft\"));", 1},
  };
  for (const auto &c : cases) EXPECT_EQ(literalTexts(QString::fromUtf8(c.code)).size(), c.found) << c.code;
}

TEST(ScreenTexts, NoScreenShowsATextOutsideTheTable) {
  QStringList found;
  int files = 0;
  for (const char *dir : {"src/ui", "src/app"}) {
    QDirIterator it(QStringLiteral(TARVEL_TEST_SOURCE_DIR "/") + QString::fromLatin1(dir), {"*.cpp", "*.h"},
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
      QFile f(it.next());
      ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << f.fileName().toStdString();
      ++files;
      for (const QString &hit : literalTexts(QString::fromUtf8(f.readAll())))
        found << f.fileName().mid(static_cast<int>(qstrlen(TARVEL_TEST_SOURCE_DIR)) + 1) + QLatin1Char(':') + hit;
    }
  }
  EXPECT_GT(files, 50);
  EXPECT_TRUE(found.isEmpty()) << found.join(QLatin1Char('\n')).toStdString();
}
