#pragma once
// A small RAII wrapper over the sqlite3 C API, just as much as the catalogue needs:
// open a file read-only, run one SELECT and copy every row as texts.
#include <QString>
#include <stdexcept>

#include "common/ModFN.h"

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

// One read-only connection; the file must exist, it is never created or written.
class Database {
 public:
  // Opens the file and checks that it really is a database. Registers cstr(x).
  explicit Database(const QString &path);
  ~Database();
  Database(const Database &) = delete;
  Database &operator=(const Database &) = delete;

  // Runs one statement and returns its column names (the SQL aliases) and all rows.
  ResultSet query(const QString &sql);
  sqlite3 *handle() const { return db_; }

 private:
  QString lastError() const;
  sqlite3 *db_ = nullptr;
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

 private:
  sqlite3 *db_;
  sqlite3_stmt *stmt_ = nullptr;
};

// Registers the SQL function cstr(x) on a connection.
void registerCstr(sqlite3 *db);

}  // namespace catalogue::sqlite
