#include "core/catalogue/Sqlite.h"

#include <sqlite3.h>

#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <mutex>

#include "core/common/Numbers.h"
#include "core/common/Texts.h"

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

namespace {

// The file as an SQLite URI that opens it read-only and immutable. The path is
// percent-encoded, so that "?", "#" and "%" in a folder name stay part of the name.
QByteArray immutableUri(const QString &path) {
  return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toEncoded() + "?mode=ro&immutable=1";
}

void limitHeapOnce() {
  static std::once_flag once;
  std::call_once(once, [] { sqlite3_hard_heap_limit64(kHeapLimitBytes); });
}

int progress(void *data) {
  auto *g = static_cast<Guard *>(data);
  g->steps += 1000;  // the handler runs every 1000 steps
  if (g->steps <= kQueryBudgetSteps) return 0;
  g->exhausted = true;
  return 1;
}

// Only ordinary tables of the file may be read, directly: a view (possibly endless) or
// a virtual table standing in for a catalogue table is refused, and so is a recursive
// query.
int authorize(void *data, int action, const char *a3, const char *, const char *, const char *viewOrTrigger) {
  auto *g = static_cast<Guard *>(data);
  auto refuse = [g](const QString &name) {
    if (g->refused.isEmpty()) g->refused = builtinText(1060).arg(name);
    return SQLITE_DENY;
  };
  if (viewOrTrigger) return refuse(QString::fromUtf8(viewOrTrigger));
  // The schema itself may be read (SQLite's own modules do so).
  if (action == SQLITE_READ && a3 && QByteArray(a3).toLower().startsWith("sqlite_")) return SQLITE_OK;
  if (action == SQLITE_RECURSIVE) return refuse(QStringLiteral("WITH RECURSIVE"));
  if (action == SQLITE_READ && a3 && !g->realTables.contains(QString::fromUtf8(a3).toLower()))
    return refuse(QString::fromUtf8(a3));
  return SQLITE_OK;
}

}  // namespace

Database::Database(const QString &path) {
  const QFileInfo info(path);
  if (!info.exists()) {
    throw Error(QStringLiteral("Die Katalogdatenbank \"%1\" wurde nicht gefunden. "
                               "Bitte installieren Sie das Programm erneut.")
                    .arg(QDir::toNativeSeparators(info.absoluteFilePath())));
  }
  limitHeapOnce();
  const int rc = sqlite3_open_v2(immutableUri(path).constData(), &db_,
                                 SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
  if (rc != SQLITE_OK) {
    const QString why = db_ ? lastError() : QString::fromUtf8(sqlite3_errstr(rc));
    close();
    throw Error(why);
  }
  try {
    sqlite3_extended_result_codes(db_, 1);
    // The file is data from outside: nothing in its schema may call the program's
    // functions, and no value may grow beyond a catalogue's size. (Views are refused by
    // the authorizer below, which can name them; SQLite's own switch could not.)
    sqlite3_db_config(db_, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
    sqlite3_limit(db_, SQLITE_LIMIT_LENGTH, kMaxValueBytes);
    sqlite3_limit(db_, SQLITE_LIMIT_ATTACHED, 0);
    if (sqlite3_exec(db_, "PRAGMA temp_store = MEMORY", nullptr, nullptr, nullptr) != SQLITE_OK)
      throw Error(lastError());
    registerCstr(db_);
    guard_ = std::make_unique<Guard>();
    sqlite3_progress_handler(db_, 1000, progress, guard_.get());
    // Reading the schema makes a damaged or foreign file fail here, at the opening,
    // and not only at the first query; it also tells the ordinary tables.
    {
      Statement tables(db_, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' "
                                           "AND sql NOT LIKE 'CREATE VIRTUAL TABLE%'"));
      while (tables.step()) guard_->realTables.insert(tables.columnText(0).toLower());
    }
    if (guard_->exhausted) throw Error(builtinText(1061));
    sqlite3_set_authorizer(db_, authorize, guard_.get());
  } catch (const Error &e) {
    const QString why = guard_ && guard_->exhausted ? builtinText(1061) : e.text;
    close();
    throw Error(why);
  }
}

Database::~Database() { close(); }

void Database::close() {
  if (db_) sqlite3_close_v2(db_);
  db_ = nullptr;
}

QString Database::lastError() const { return QString::fromUtf8(sqlite3_errmsg(db_)); }

ResultSet Database::query(const QString &sql) {
  ResultSet rs;
  forEachRow(
      sql,
      [&rs](sqlite3_stmt *st) {
        const int n = sqlite3_column_count(st);
        QStringList row;
        row.reserve(n);
        for (int i = 0; i < n; ++i) row << valueText(sqlite3_column_value(st, i));
        rs.rows << row;
      },
      [&rs](sqlite3_stmt *st) {
        for (int i = 0; i < sqlite3_column_count(st); ++i) rs.columns << QString::fromUtf8(sqlite3_column_name(st, i));
      });
  rs.open = true;
  return rs;
}

void Database::forEachRow(const QString &sql, const std::function<void(sqlite3_stmt *)> &row,
                          const std::function<void(sqlite3_stmt *)> &prepared) {
  guard_->steps = 0;
  guard_->exhausted = false;
  guard_->refused.clear();
  try {
    Statement st(db_, sql);
    if (prepared) prepared(st.handle());
    while (st.step()) row(st.handle());
  } catch (const Error &e) {
    // SQLite's own words ("not authorized", "interrupted", "out of memory") do not say
    // what was wrong with the catalogue.
    if (!guard_->refused.isEmpty()) throw Error(guard_->refused);
    if (guard_->exhausted) throw Error(builtinText(1061));
    const int code = sqlite3_errcode(db_);
    if (code == SQLITE_NOMEM || code == SQLITE_TOOBIG) throw Error(builtinText(1062).arg(e.text));
    throw;
  }
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
