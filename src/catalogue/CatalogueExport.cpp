#include "catalogue/CatalogueExport.h"
#include "catalogue/SqlNames.h"

#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>
#include <charconv>
#include <cmath>
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
      QString t = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, i)),
                                    sqlite3_column_bytes(st, i));
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

using Statement = std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt *)>;

Statement prepare(sqlite3 *db, const QString &sql) {
  sqlite3_stmt *st = nullptr;
  if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK) {
    sqlite3_finalize(st);
    st = nullptr;
  }
  return Statement(st, sqlite3_finalize);
}

}  // namespace

bool exportSql(const QString &path, QString *sql, QString *error) {
  if (!QFileInfo(path).isFile()) {
    if (error) *error = QStringLiteral("%1: no such file").arg(path);
    return false;
  }
  sqlite3 *raw = nullptr;
  const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, SQLITE_OPEN_READONLY, nullptr);
  std::unique_ptr<sqlite3, int (*)(sqlite3 *)> db(raw, sqlite3_close_v2);
  const auto fail = [&](const QString &why) {
    if (error) *error = path + QStringLiteral(": ") + why;
    return false;
  };
  if (rc != SQLITE_OK) return fail(QString::fromUtf8(raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc)));

  Statement tables = prepare(db.get(), QStringLiteral(
      "SELECT name, sql FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%' ORDER BY rowid"));
  if (!tables) return fail(QString::fromUtf8(sqlite3_errmsg(db.get())));
  QString out;
  out += QStringLiteral("-- Catalogue exported from %1 by tarvelcalc-catalogue.\n").arg(QFileInfo(path).fileName());
  int step = 0;
  while ((step = sqlite3_step(tables.get())) == SQLITE_ROW) {
    const QString name = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(tables.get(), 0)));
    const QString create = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(tables.get(), 1)));
    out += QLatin1Char('\n') + create + QStringLiteral(";\n");
    Statement rows = prepare(db.get(), QStringLiteral("SELECT * FROM ") + quotedIdentifier(name));
    if (!rows) return fail(QString::fromUtf8(sqlite3_errmsg(db.get())));
    const QString head = QStringLiteral("INSERT INTO ") + sqlName(name) + QStringLiteral(" VALUES (");
    const int n = sqlite3_column_count(rows.get());
    int r = 0;
    while ((r = sqlite3_step(rows.get())) == SQLITE_ROW) {
      QStringList values;
      for (int i = 0; i < n; ++i) values << literal(rows.get(), i);
      out += head + values.join(QStringLiteral(", ")) + QStringLiteral(");\n");
    }
    if (r != SQLITE_DONE) return fail(QString::fromUtf8(sqlite3_errmsg(db.get())));
  }
  if (step != SQLITE_DONE) return fail(QString::fromUtf8(sqlite3_errmsg(db.get())));
  *sql = out;
  return true;
}

}  // namespace catalogue
