#pragma once
// A small RAII wrapper over the sqlite3 C API, just as much as the catalogue needs:
// open a file read-only, run one SELECT and copy every row as texts.
#include <QSet>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>

#include "core/common/SessionTypes.h"

struct sqlite3;
struct sqlite3_stmt;
struct sqlite3_value;

namespace catalogue::sqlite {

// Any failure of the database: the description is what the user reads.
struct Error : std::runtime_error {
  explicit Error(const QString &description)
      : std::runtime_error(description.toStdString()), text(description) {}
  QString text;
};

// The text of a database value as the catalogue hands values on: an integer as its
// decimal digits, a real with the program locale's decimal separator ("2,5"), a text as
// it is, NULL as an empty text.
QString valueText(sqlite3_value *value);

// The work one query may do, in SQLite virtual-machine steps. A table-set query of the
// demo catalogue takes about 400; the budget leaves a margin of more than 10 000 and
// still stops a hostile file within a second or two.
constexpr std::int64_t kQueryBudgetSteps = 10'000'000;
// The memory all SQLite work of the process may take, temporary sort storage included
// (it is held in memory, never in files that could fill the disk).
constexpr std::int64_t kHeapLimitBytes = 64 * 1024 * 1024;
// The longest text, blob or row read from the file.
constexpr int kMaxValueBytes = 1024 * 1024;

// What a query may touch and how much it may work; the SQLite callbacks report here.
struct Guard {
  QSet<QString> realTables;  // lower-case names of the ordinary tables of the file
  QString refused;           // the description of the first thing refused, if any
  std::int64_t steps = 0;    // work done by the running query
  bool exhausted = false;    // the budget ran out
};

// One read-only connection; the file must exist, it is never created or written.
// The file is opened as immutable: SQLite reads it as it lies, whatever its journal
// mode, and creates nothing beside it (no -wal, -shm or -journal file), so a catalogue
// in a read-only folder opens as well as any other.
class Database {
 public:
  // Opens the file and checks that it really is a database. Registers cstr(x). Every
  // query then reads ordinary tables only (a view or a virtual table in place of a
  // catalogue table is refused, naming it) and stops when its work budget is spent.
  explicit Database(const QString &path);
  ~Database();
  Database(const Database &) = delete;
  Database &operator=(const Database &) = delete;

  // Runs one statement and returns its column names (the SQL aliases) and all rows.
  ResultSet query(const QString &sql);
  // Runs one statement under the same guard and the same refusals as query() and hands
  // each row to `row` as it comes, as the statement itself (for values of every kind).
  // `prepared` is called once before the first step.
  void forEachRow(const QString &sql, const std::function<void(sqlite3_stmt *)> &row,
                  const std::function<void(sqlite3_stmt *)> &prepared = {});
  sqlite3 *handle() const { return db_; }

 private:
  QString lastError() const;
  void close();
  sqlite3 *db_ = nullptr;
  std::unique_ptr<Guard> guard_;
};

// One prepared statement, finalized when it goes out of scope.
class Statement {
 public:
  Statement(sqlite3 *db, const QString &sql);
  ~Statement();
  Statement(const Statement &) = delete;
  Statement &operator=(const Statement &) = delete;
  bool step();  // true: a row is ready; false: done
  int columnCount() const;
  QString columnName(int i) const;
  QString columnText(int i) const;
  sqlite3_stmt *handle() const { return stmt_; }

 private:
  sqlite3 *db_;
  sqlite3_stmt *stmt_ = nullptr;
};

// Registers the SQL function cstr(x) on a connection.
void registerCstr(sqlite3 *db);

}  // namespace catalogue::sqlite
