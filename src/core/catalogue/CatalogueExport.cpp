#include "core/catalogue/CatalogueExport.h"
#include "core/catalogue/SqlNames.h"
#include "core/catalogue/Sqlite.h"

#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>
#include <charconv>
#include <cmath>
#include <QPair>
#include <QVector>
#include <memory>

namespace catalogue {

namespace {

QString literal(sqlite3_stmt *st, int i) {
  switch (sqlite3_column_type(st, i)) {
    case SQLITE_NULL: return QStringLiteral("NULL");
    case SQLITE_INTEGER: return QString::number(sqlite3_column_int64(st, i));
    case SQLITE_FLOAT: {
      const double v = sqlite3_column_double(st, i);
      if (std::isinf(v)) return v > 0 ? QStringLiteral("9e999") : QStringLiteral("-9e999");
      // The shortest text that gives the same double back, always with a point or an
      // exponent so that it stays a real in a column of any type.
      char buf[64];
      const auto r = std::to_chars(buf, buf + sizeof buf, v);
      QString s = QString::fromLatin1(buf, static_cast<int>(r.ptr - buf));
      if (!s.contains(QLatin1Char('.')) && !s.contains(QLatin1Char('e'))) s += QStringLiteral(".0");
      return s;
    }
    case SQLITE_BLOB: {
      const auto *b = static_cast<const char *>(sqlite3_column_blob(st, i));
      const QByteArray bytes(b, sqlite3_column_bytes(st, i));
      return QStringLiteral("X'") + QString::fromLatin1(bytes.toHex().toUpper()) + QLatin1Char('\'');
    }
    default: {
      const QByteArray bytes(reinterpret_cast<const char *>(sqlite3_column_text(st, i)), sqlite3_column_bytes(st, i));
      QString t = QString::fromUtf8(bytes);
      // A text that is no valid UTF-8, or holds a NUL (which ends SQL text), goes as its
      // bytes: the SQL gives the same bytes back, as text.
      if (bytes.contains('\0') || t.toUtf8() != bytes)
        return QStringLiteral("CAST(X'") + QString::fromLatin1(bytes.toHex().toUpper()) + QStringLiteral("' AS TEXT)");
      t.replace(QLatin1Char('\''), QStringLiteral("''"));
      return QLatin1Char('\'') + t + QLatin1Char('\'');
    }
  }
}

// A name that needs no quotes in SQL text: ASCII letters, digits and underscores.
QString sqlName(const QString &name) {
  bool plain = !name.isEmpty() && !name.at(0).isDigit();
  for (const QChar c : name)
    plain = plain && c.unicode() < 128 && (c.isLetterOrNumber() || c == QLatin1Char('_'));
  return plain ? name : quotedIdentifier(name);
}

}  // namespace

bool exportSql(const QString &path, QString *sql, QString *error) {
  if (!QFileInfo(path).isFile()) {
    if (error) *error = QStringLiteral("%1: no such file").arg(path);
    return false;
  }
  // Opened as the program opens a catalogue (read-only, immutable, guarded): what the
  // program would refuse to read is refused here with the same words, and nothing is
  // created beside the file.
  try {
    sqlite::Database db(path);
    QVector<QPair<QString, QString>> tables;
    db.forEachRow(QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type = 'table' AND name NOT LIKE "
                                 "'sqlite_%' ORDER BY rowid"),
                  [&tables](sqlite3_stmt *st) {
                    const auto text = [st](int i) {
                      return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, i)),
                                               sqlite3_column_bytes(st, i));
                    };
                    tables.append({text(0), text(1)});
                  });
    QString out;
    out += QStringLiteral("-- Catalogue exported from %1 by tarvelcalc-catalogue.\n").arg(QFileInfo(path).fileName());
    for (const auto &[name, create] : tables) {
      out += QLatin1Char('\n') + create + QStringLiteral(";\n");
      // Generated columns are computed again by the table that is built from the text;
      // they cannot be inserted.
      QStringList stored;
      bool generated = false;
      db.forEachRow(QStringLiteral("PRAGMA table_xinfo(%1)").arg(quotedIdentifier(name)), [&](sqlite3_stmt *st) {
        const int hidden = sqlite3_column_int(st, 6);
        if (hidden == 2 || hidden == 3) {
          generated = true;
          stored << QString();
        } else {
          stored << sqlName(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 1))));
        }
      });
      QString head = QStringLiteral("INSERT INTO ") + sqlName(name);
      if (generated) {
        QStringList names = stored;
        names.removeAll(QString());
        head += QStringLiteral(" (") + names.join(QStringLiteral(", ")) + QLatin1Char(')');
      }
      head += QStringLiteral(" VALUES (");
      db.forEachRow(QStringLiteral("SELECT * FROM ") + quotedIdentifier(name), [&](sqlite3_stmt *st) {
        QStringList values;
        const int n = sqlite3_column_count(st);
        for (int i = 0; i < n; ++i)
          if (!generated || i >= stored.size() || !stored[i].isEmpty()) values << literal(st, i);
        out += head + values.join(QStringLiteral(", ")) + QStringLiteral(");\n");
      });
    }
    *sql = out;
    return true;
  } catch (const sqlite::Error &e) {
    if (error) *error = path + QStringLiteral(": ") + e.text;
    return false;
  }
}

}  // namespace catalogue
