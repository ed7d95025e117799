#include "core/common/Texts.h"

#include <QHash>
#include <atomic>
#include <QRegularExpression>
#include <QStringList>

#include "core/common/Errors.h"
#include "core/common/Messages.h"
#include "core/common/Session.h"
#include "core/common/Numbers.h"

extern const char *const kTextTableSource;    // generated from resources/texts.tsv
extern const char *const kTextTableSourceEn;  // generated from resources/texts_en.tsv

namespace {
struct TextTable {
  QHash<int, QString> texts;
  QHash<QString, QString> config;
};

QString unquote(const QString &field) {
  QString t = field;
  if (t.size() >= 2 && t.startsWith(QLatin1Char('"')) && t.endsWith(QLatin1Char('"')))
    t = t.mid(1, t.size() - 2);
  t.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
  return t;
}

TextTable parse(const char *source) {
  TextTable tt;
  const QStringList lines = QString::fromUtf8(source).split(QLatin1Char('\n'));
  QVector<QPair<int, QString>> raw;
  for (const QString &line : lines) {
    if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
    const int tab = line.indexOf(QLatin1Char('\t'));
    if (tab < 0) continue;
    const QString key = line.left(tab);
    const QString value = unquote(line.mid(tab + 1));
    if (key.startsWith(QLatin1Char('@'))) tt.config.insert(key.mid(1), value);
    else raw.append({key.toInt(), value});
  }
  static const QRegularExpression ref(QStringLiteral("\\$\\{([a-z]+)\\}"));
  for (auto &[id, text] : raw) {
    // Few texts name a configured value: the others go in as they are, without a search.
    if (!text.contains(QLatin1String("${"))) {
      tt.texts.insert(id, text);
      continue;
    }
    QString filled = text;
    auto it = ref.globalMatch(text);
    while (it.hasNext()) {
      const auto m = it.next();
      filled.replace(m.captured(0), tt.config.value(m.captured(1)));
    }
    tt.texts.insert(id, filled);
  }
  return tt;
}

const TextTable &table(Language language) {
  static const TextTable german = parse(kTextTableSource);
  static const TextTable english = parse(kTextTableSourceEn);
  return language == Language::English ? english : german;
}

std::atomic<Language> gLanguage{Language::German};
}  // namespace

Language interfaceLanguage() { return gLanguage.load(std::memory_order_relaxed); }
void setInterfaceLanguage(Language language) { gLanguage.store(language, std::memory_order_relaxed); }

QString languageCode(Language language) {
  return language == Language::English ? QStringLiteral("en") : QStringLiteral("de");
}
Language languageOfCode(const QString &code) {
  return code.startsWith(QLatin1String("en"), Qt::CaseInsensitive) ? Language::English : Language::German;
}

bool hasBuiltinText(int id) { return table(Language::German).texts.contains(id); }

QString builtinText(int id, Language language) {
  const TextTable &t = table(language);
  auto it = t.texts.constFind(id);
  if (it == t.texts.constEnd())
    throw AppError(QStringLiteral("Ressource mit Bezeichner %1 nicht gefunden").arg(id));
  return *it;
}

QString builtinText(int id) { return builtinText(id, interfaceLanguage()); }

QString configValue(const QString &name) { return table(interfaceLanguage()).config.value(name); }

namespace {
// Walks the settings for the id written in decimal; the last matching row wins.
bool customerValue(const Session &s, int id, QString *value) {
  const QString key = QString::number(id);
  bool found = false;
  for (const QStringList &row : s.gastrSettings) {
    if (row.size() >= 2 && row.at(0) == key) {
      *value = row.at(1);
      found = true;
    }
  }
  return found;
}
}  // namespace

QString gfstrSetText(const Session &s, int id, Language language) {
  try {
    if (s.gintTextMode == 3) {
      QString v;
      if (!customerValue(s, id, &v)) return QString();
      return v == QLatin1String("_") ? QString() : v;
    }
    return builtinText(id, language);
  } catch (const AppError &e) {
    msg::critical(e.description(), QStringLiteral("gfstrSetText!"));
    return QString();
  }
}

qint32 gflngSetColor(const Session &s, int code) {
  try {
    QString v;
    if (s.gintTextMode == 3) {
      if (!customerValue(s, code, &v)) return 0;
    } else {
      v = builtinText(code);
    }
    double d = 0;
    if (!num::toDouble(v, &d)) throw AppError(err::typeMismatch());
    if (d < -2147483648.0 || d > 2147483647.0) throw AppError(err::overflow());
    return static_cast<qint32>(num::roundHalfEven(d, 0));
  } catch (const AppError &e) {
    msg::critical(e.description(), QStringLiteral("gflngSetColor!"));
    return 0;
  }
}

QString gfstrSettings(const Session &s, const QString &key, bool divide) {
  QString result;
  try {
    for (const QStringList &row : s.gastrSettings) {
      if (row.size() >= 2 && row.at(0) == key) {
        if (divide) {
          int tenths = 0;
          if (!num::toInt16(row.at(1), &tenths)) {
            double d = 0;
            throw AppError(num::toDouble(row.at(1), &d) ? err::overflow() : err::typeMismatch());
          }
          result = num::doubleToText(tenths / 10.0);
        } else {
          result = row.at(1);
        }
      }
    }
  } catch (const AppError &e) {
    msg::critical(e.description(), QStringLiteral("gfstrSettings!"));
  }
  return result;
}

QString gfstrPutReturn(const QString &text) {
  QString t = text;
  t.replace(QLatin1Char('\\'), QChar(13));
  return t;
}

QString subVersionFor(int minor) {
  if (minor < 0 || minor > 25) return QString();
  return QStringLiteral(" ") + QChar(QLatin1Char('a').unicode() + minor);
}

void computeSubVersion(Session &s) { s.gstrSubVersion = subVersionFor(kVersionMinor); }

QString screenCaption(const Session &s, const QString &screen) { return windowCaption(s, 100) + QStringLiteral(" - ") + screen; }

QString windowCaption(const Session &s, int textId) {
  return gfstrSetText(s, textId) + QStringLiteral(" ") + QString::number(kVersionMajor) +
         s.gstrSubVersion;
}
