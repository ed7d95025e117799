#include "catalogue/Sqlite.h"

#include <sqlite3.h>

#include <QFile>
#include <QDir>
#include <QFileInfo>

#include "common/Numbers.h"

namespace catalogue::sqlite {

QString valueText(sqlite3_value *value) {
  switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
      return QString::number(sqlite3_value_int64(value));
    case SQLITE_FLOAT:
      return num::doubleToText(sqlite3_value_double(value));
    case SQLITE_NULL:
      return QString();
    case SQLITE_TEXT: {
      const auto *t = reinterpret_cast<const char *>(sqlite3_value_text(value));
      return QString::fromUtf8(t, sqlite3_value_bytes(value));
    }
    default: {  // a blob: its bytes read as text
      const auto *b = static_cast<const char *>(sqlite3_value_blob(value));
      return QString::fromUtf8(b, sqlite3_value_bytes(value));
    }
  }
}

namespace {
void cstrFunction(sqlite3_context *ctx, int argc, sqlite3_value **argv) {
  if (argc != 1) {
    sqlite3_result_error(ctx, "cstr() takes one argument", -1);
    return;
  }
  const QByteArray utf8 = valueText(argv[0]).toUtf8();
  sqlite3_result_text(ctx, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
}
}  // namespace

void registerCstr(sqlite3 *db) {
  const int rc = sqlite3_create_function_v2(db, "cstr", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                                            nullptr, cstrFunction, nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) throw Error(QString::fromUtf8(sqlite3_errmsg(db)));
}

Database::Database(const QString &path) {
  const QFileInfo info(path);
  if (!info.exists()) {
    throw Error(QStringLiteral("Die Katalogdatenbank \"%1\" wurde nicht gefunden. "
                               "Bitte installieren Sie das Programm erneut.")
                    .arg(QDir::toNativeSeparators(info.absoluteFilePath())));
  }
  const QByteArray name = QFile::encodeName(path);
  const int rc = sqlite3_open_v2(name.constData(), &db_, SQLITE_OPEN_READONLY, nullptr);
  if (rc != SQLITE_OK) {
    const QString why = db_ ? lastError() : QString::fromUtf8(sqlite3_errstr(rc));
    sqlite3_close_v2(db_);
    db_ = nullptr;
    throw Error(why);
  }
  try {
    sqlite3_extended_result_codes(db_, 1);
    registerCstr(db_);
    // Reading the schema makes a damaged or foreign file fail here, at the opening,
    // and not only at the first query.
    Statement check(db_, QStringLiteral("SELECT count(*) FROM sqlite_master"));
    check.step();
  } catch (...) {
    sqlite3_close_v2(db_);
    db_ = nullptr;
    throw;
  }
}

Database::~Database() {
  if (db_) sqlite3_close_v2(db_);
}

QString Database::lastError() const { return QString::fromUtf8(sqlite3_errmsg(db_)); }

ResultSet Database::query(const QString &sql) {
  Statement st(db_, sql);
  ResultSet rs;
  const int n = st.columnCount();
  for (int i = 0; i < n; ++i) rs.columns << st.columnName(i);
  while (st.step()) {
    QStringList row;
    row.reserve(n);
    for (int i = 0; i < n; ++i) row << st.columnText(i);
    rs.rows << row;
  }
  rs.open = true;
  return rs;
}

Statement::Statement(sqlite3 *db, const QString &sql) : db_(db) {
  const QByteArray text = sql.toUtf8();
  const char *tail = nullptr;
  const int rc = sqlite3_prepare_v2(db_, text.constData(), static_cast<int>(text.size()), &stmt_,
                                    &tail);
  if (rc != SQLITE_OK) throw Error(QString::fromUtf8(sqlite3_errmsg(db_)));
  if (!stmt_) throw Error(QStringLiteral("Die Abfrage ist leer."));
  // Exactly one statement is run; anything after it is refused.
  if (tail && !QByteArray(tail).trimmed().isEmpty()) {
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
    throw Error(QStringLiteral("Die Abfrage enthält mehr als eine Anweisung."));
  }
}

Statement::~Statement() {
  if (stmt_) sqlite3_finalize(stmt_);
}

bool Statement::step() {
  const int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  throw Error(QString::fromUtf8(sqlite3_errmsg(db_)));
}

int Statement::columnCount() const { return sqlite3_column_count(stmt_); }

QString Statement::columnName(int i) const {
  return QString::fromUtf8(sqlite3_column_name(stmt_, i));
}

QString Statement::columnText(int i) const {
  switch (sqlite3_column_type(stmt_, i)) {
    case SQLITE_INTEGER:
      return QString::number(sqlite3_column_int64(stmt_, i));
    case SQLITE_FLOAT:
      return num::doubleToText(sqlite3_column_double(stmt_, i));
    case SQLITE_NULL:
      return QString();
    case SQLITE_TEXT: {
      const auto *t = reinterpret_cast<const char *>(sqlite3_column_text(stmt_, i));
      return QString::fromUtf8(t, sqlite3_column_bytes(stmt_, i));
    }
    default: {  // a blob: its bytes read as text
      const auto *t = static_cast<const char *>(sqlite3_column_blob(stmt_, i));
      return QString::fromUtf8(t, sqlite3_column_bytes(stmt_, i));
    }
  }
}

}  // namespace catalogue::sqlite
