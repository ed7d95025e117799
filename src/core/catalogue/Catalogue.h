#pragma once
// The catalogue database: one read-only SQLite file, DBFN.db, where the program looks for
// it. A Catalogue opens the file once and answers each query once from the file; the same
// SQL text later comes from memory. One Catalogue may serve many sessions on many threads.
// The routines below build the SQL text of a table code, run it and leave the rows in one
// of the session's three result sets (grsSettings, grsSerie, grsInfo).
#include <QHash>
#include <QPair>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "core/common/Session.h"

namespace catalogue {

namespace sqlite {
class Database;
}

// The table codes of the queries. Codes 1..gintTblAnz are the geometry of the table sets
// of the arrangement (1..19), the code after them the special roller shoe.
namespace code {
constexpr int Settings = 0;
constexpr int Evaluation = 20;       // rating data of one table set (with its number)
constexpr int Representatives = 21;
constexpr int Info = 22;             // database information
constexpr int SpecialSeries = 23;    // the series offered by the special series editor
}  // namespace code

class Catalogue {
 public:
  // path empty: DBFN.db where the program looks for it (beside the program, then in
  // ../share/tarvelcalc/); a missing file is then reported naming both places. busy is
  // shown (modally) before a query whose show-busy flag is set; none: nothing is shown.
  explicit Catalogue(QString path = QString(), std::function<void()> busy = {});
  ~Catalogue();
  Catalogue(const Catalogue &) = delete;
  Catalogue &operator=(const Catalogue &) = delete;

  // The file queried.
  QString file() const;
  // Whether the file is the one where the program looks (no path was given).
  bool atDefaultLocation() const { return path_.isEmpty(); }

  // The rows of one SELECT, read from the file on first use and kept. `numbersAsText`
  // tells how catalogue numbers kept as text are read (see Catalogue.cpp). Throws
  // sqlite::Error for a missing or damaged file or a failed query; nothing failed is kept.
  enum class Numbers { AllCells, SettingValues, AsStored };
  ResultSet query(const QString &sql, Numbers numbers) const;
  // Opens the file now; throws sqlite::Error when it is missing or no catalogue.
  void open() const;
  // How many queries went to the file so far.
  int fileQueries() const;
  // Tells this catalogue apart from every other one made in the process (also one made
  // later where this one was in memory).
  std::uint64_t id() const { return id_; }
  // Shows the busy window handed over at the start, if any.
  void showBusy() const {
    if (busy_) busy_();
  }

 private:
  void openLocked() const;
  QString path_;
  std::function<void()> busy_;
  mutable std::mutex mutex_;
  mutable std::unique_ptr<sqlite::Database> db_;
  // The answers kept, by locale name, kind of numbers and SQL text.
  struct AnswerKey {
    QString locale;
    int numbers = 0;
    QString sql;
    bool operator==(const AnswerKey &o) const = default;
    // The locale is compared, not hashed: a run asks in one or two, and Qt hashes a
    // short text with AES instructions, slow on some processors.
    friend size_t qHash(const AnswerKey &k, size_t seed = 0) { return qHashMulti(seed, k.numbers, k.sql); }
  };
  mutable QHash<AnswerKey, ResultSet> answers_;
  mutable int fileQueries_ = 0;
  // Tells the catalogues apart in the answers each thread keeps at hand (Catalogue.cpp):
  // a new catalogue may be made where an old one was.
  const std::uint64_t id_;
};

// The session's catalogue; a session without one opens the file where the program looks
// for it, on first use.
Catalogue &of(Session &s);
// The file a session queries.
QString fileOf(Session &s);

// A table name taken from the settings is only ever put into SQL when it is a plain
// identifier (letters, digits, underscore).
bool isPlainIdentifier(const QString &name);
// The n-th name (from 1) of a table-name list such as "A/B/C/": the text before the n-th
// "/". A list with fewer names gives an empty text.
QString nthTableName(const QString &list, int n);
// The catalogue table and column a cell of gastrSerie comes from, for a table code and
// a column of the geometry layout (table codes 1..gintTblAnz) or of the evaluation
// layout (table code 20 with the table-set number). The special roller shoe's values
// come from the special series editor, named as such.
QPair<QString, QString> geometryCellSource(const Session &s, int code, int column);
QPair<QString, QString> evaluationCellSource(const Session &s, int setNo, int column);
// A cell of a table set as a number, as num::toFloat reads it. The cells of the
// catalogue's answers are the same shared texts case after case: their values are kept
// per thread by the identity of the text.
bool cellToFloat(const QString &cell, float *out);
// The cells of a table set's rows as numbers, each read as cellToFloat reads it: what a
// calculation reads of every series row, read once per table and thread. The rows of
// the catalogue's answers are the same shared lists case after case, so they are kept
// by the identity of the list (see cellNumbers in Catalogue.cpp).
struct CellNumbers {
  static constexpr int kColumns = 16;  // columns read here; the ones beyond by cellToFloat
  struct Row {
    std::array<double, kColumns> value{};
    std::uint32_t number = 0;  // bit c: cell c is a number (value[c])
    std::uint32_t single = 0;  // bit c: ... within the range of a float
  };
  std::vector<Row> rows;
};
std::shared_ptr<const CellNumbers> cellNumbers(const TextRows &rows);
// The title of the box that reports a database error before the program ends.
inline QString databaseErrorTitle() { return QStringLiteral("msubSearchDB! Database error"); }
}  // namespace catalogue

// Builds the SQL text of a table code into gstrSQL and returns it (the table-set number is
// used only with code 20). Codes: catalogue::code, 1..gintTblAnz geometry of a table set.
QString conStrSQL(Session &s, int code, int setNo);
// Runs the query of a table code into the session's result set of its class and returns
// that set. A database error shows "msubSearchDB! Database error" and ends the program
// (msg::endProgram).
ResultSet msubSearchDB(Session &s, int code, bool showBusy, int setNo);

// Loads all settings into gastrSettings.
void sSetField(Session &s);
// Builds gintTblAnz and gastrTblNam for the groups switched on (FN, TL, So).
void sSetTblAnzBez(Session &s, bool fn, bool tl, bool so);
// Loads one table set (or the special roller shoe) into gastrSerie. Geometry layout for
// codes 1..total (+1 = the special roller shoe), evaluation layout for code 20 with the
// table-set number (beyond total = the special roller shoe). An empty table set shows
// the "sBerDat!" message and leaves gastrSerie empty, so that it contributes no rows.
// Returns true when rows were loaded.
bool sBerDat(Session &s, int code, int setNo, int total);
