#include "core/catalogue/Catalogue.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <functional>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "core/catalogue/Sqlite.h"
#include "core/common/DataFiles.h"
#include "core/common/Errors.h"
#include "core/common/Messages.h"
#include "core/common/Numbers.h"
#include "core/common/Texts.h"

namespace catalogue {

namespace {
// Catalogue numbers kept as text may use a decimal point or comma; the consumers read
// them in the locale's notation. In the settings only the values are numbers, and the
// customer text set (keys that are text ids) is text, whatever it looks like.
// A text with a Latin letter other than the exponent's "e" is no number in either
// notation (a series name, an order number): num::catalogueText leaves it as it is, and
// it is left so here without asking the locale's parser, the slow part of reading an
// answer.
bool plainlyText(const QString &cell) {
  for (const QChar c : cell) {
    const char16_t u = c.unicode();
    if (((u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z')) && u != u'e' && u != u'E') return true;
  }
  return false;
}

QString catalogueText(const QString &cell) { return plainlyText(cell) ? cell : num::catalogueText(cell); }

void readNumbersInEitherNotation(Catalogue::Numbers numbers, ResultSet *rs) {
  if (numbers == Catalogue::Numbers::AsStored) return;
  for (QStringList &row : rs->rows) {
    if (numbers == Catalogue::Numbers::SettingValues) {
      bool textId = false;
      row.value(0).toInt(&textId);
      if (!textId && row.size() > 1) row[1] = catalogueText(row[1]);
      continue;
    }
    for (QString &cell : row) cell = catalogueText(cell);
  }
}
}  // namespace

namespace {
std::atomic<std::uint64_t> lastCatalogueId{0};

// The last answers this thread was given. A run asks the same few questions case after
// case with the same SQL text (each thread keeps the text of a table code, see
// buildSql), so they are found here by the identity of that text, without the lock,
// the hash of some 600 characters and their comparison. An entry holds a reference to
// its text: while it is kept, no other text can take its place in memory, and a text
// that is shared cannot change (a change makes a copy), so the same address and length
// mean the same text. Texts that point into memory of their own are not kept.
struct ThreadAnswer {
  std::uint64_t catalogue = 0;  // 0: empty
  int numbers = 0;
  QString locale;
  QString sql;
  ResultSet answer;
};
constexpr size_t kThreadAnswers = 32;
thread_local std::array<ThreadAnswer, kThreadAnswers> threadAnswers;
thread_local size_t nextThreadAnswer = 0;
}  // namespace

Catalogue::Catalogue(QString path, std::function<void()> busy)
    : path_(std::move(path)), busy_(std::move(busy)), id_(++lastCatalogueId) {}
Catalogue::~Catalogue() = default;

QString Catalogue::file() const {
  return path_.isEmpty() ? datafiles::locate(QStringLiteral("DBFN.db")) : path_;
}

ResultSet Catalogue::query(const QString &sql, Numbers numbers) const {
  // Real numbers come as text in the program locale's notation, so the locale is part of
  // the question.
  const QString &locale = num::localeName();
  const bool keepable = sql.data_ptr().isMutable();  // allocated, counted text
  if (keepable)
    for (const ThreadAnswer &a : threadAnswers)
      if (a.catalogue == id_ && a.sql.constData() == sql.constData() && a.sql.size() == sql.size() &&
          a.numbers == static_cast<int>(numbers) && a.locale == locale)
        return a.answer;
  const AnswerKey key{locale, static_cast<int>(numbers), sql};
  ResultSet rs;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto known = answers_.constFind(key);
    if (known != answers_.constEnd()) {
      rs = *known;
    } else {
      openLocked();
      ++fileQueries_;
      rs = db_->query(sql);
      readNumbersInEitherNotation(numbers, &rs);
      answers_.insert(key, rs);
    }
  }
  if (keepable) {
    threadAnswers[nextThreadAnswer] = {id_, static_cast<int>(numbers), locale, sql, rs};
    nextThreadAnswer = (nextThreadAnswer + 1) % kThreadAnswers;
  }
  return rs;
}

int Catalogue::fileQueries() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return fileQueries_;
}

void Catalogue::open() const {
  std::lock_guard<std::mutex> lock(mutex_);
  openLocked();
}

void Catalogue::openLocked() const {
  if (!db_) {
    // Not installed where the program looks: both places are named.
    if (path_.isEmpty() && !QFileInfo::exists(file())) {
      const QStringList places = datafiles::candidates(QStringLiteral("DBFN.db"));
      throw sqlite::Error(builtinText(1400).arg(QDir::toNativeSeparators(places.value(0)),
                                                QDir::toNativeSeparators(places.value(1))));
    }
    db_ = std::make_unique<sqlite::Database>(file());
  }
}

Catalogue &of(Session &s) {
  if (!s.catalogue) s.catalogue = std::make_shared<Catalogue>();
  return *s.catalogue;
}

QString fileOf(Session &s) { return of(s).file(); }


bool isPlainIdentifier(const QString &name) {
  if (name.isEmpty()) return false;
  for (int i = 0; i < name.size(); ++i) {
    const char16_t c = name.at(i).unicode();
    const bool letter = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
    const bool digit = c >= u'0' && c <= u'9';
    if (!(letter || c == u'_' || (digit && i > 0))) return false;
  }
  return true;
}

QString nthTableName(const QString &list, int n) {
  if (n < 1) return QString();
  qsizetype from = 0;
  for (int i = 1; i < n; ++i) {
    const qsizetype slash = list.indexOf(QLatin1Char('/'), from);
    if (slash < 0) return QString();
    from = slash + 1;
  }
  // The last part follows no "/" and is therefore no name.
  const qsizetype end = list.indexOf(QLatin1Char('/'), from);
  if (end < 0) return QString();
  return list.mid(from, end - from);
}

namespace {
// Role (0 base, 1 double rail, 2 single rail) and table column of each layout column.
struct CellOrigin {
  int role;
  const char *column;
};
constexpr CellOrigin kGeometry[13] = {{0, "Serie"}, {0, "Gr"}, {0, "a1"},   {0, "a2"},    {1, "b1"},
                                      {2, "b2"},    {1, "h1"}, {2, "h2"},   {0, "AnzR"},  {1, "Serie"},
                                      {2, "Serie"}, {1, "B"},  {2, "B"}};
constexpr CellOrigin kEvaluation[13] = {{0, "Serie"}, {0, "Gr"},   {0, "C"},     {0, "Co"},  {0, "Ls"},
                                        {0, "D"},     {0, "TypR"}, {1, "Serie"}, {1, "Best"}, {1, "KBs"},
                                        {2, "Serie"}, {2, "Best"}, {2, "KB1"}};

QPair<QString, QString> cellSource(const Session &s, const CellOrigin (&layout)[13], int setNo,
                                   int column) {
  if (column < 0 || column > 12) return {};
  const CellOrigin &o = layout[column];
  const QString table = setNo >= 1 && setNo <= s.gintTblAnz
                            ? nthTableName(s.gastrTblNam.value(o.role), setNo)
                            : builtinText(1405);
  return {table, QString::fromLatin1(o.column)};
}
}  // namespace

QPair<QString, QString> geometryCellSource(const Session &s, int code, int column) {
  return cellSource(s, kGeometry, code, column);
}

QPair<QString, QString> evaluationCellSource(const Session &s, int setNo, int column) {
  return cellSource(s, kEvaluation, setNo, column);
}

namespace {
// An entry holds the text and the locale's name it was read in (see ThreadAnswer): while
// it is kept, no other text takes their place in memory, so the same address and
// length mean the same text in the same notation.
// The look-up part of an entry is plain data, found without the check a thread makes
// before its first use of an object with a constructor; the texts it stands for are held
// beside it and only touched when an entry is replaced.
struct KeptNumber {
  const QChar *cell;
  qsizetype size;
  const QChar *locale;
  float value;
  bool ok;
};
struct KeptNumberTexts {
  QString cell, locale;
};
constexpr int kKeptNumberBits = 12;
// Two ways per set: two cells read case after case whose texts happen to fall on the
// same set do not throw each other out (a miss reads the text again).
constexpr int kKeptNumberSetBits = kKeptNumberBits - 1;
thread_local std::array<KeptNumber, 1 << kKeptNumberBits> keptNumbers{};
thread_local std::array<KeptNumberTexts, 1 << kKeptNumberBits> keptNumberTexts;

inline bool keeps(const KeptNumber &k, const QString &cell, const QString &locale) {
  return k.cell == cell.constData() && k.size == cell.size() && k.locale == locale.constData();
}
}  // namespace

namespace {
// A cell not kept: read and kept in the first way of its set, the entry kept longer
// giving way. Out of line, so that the look-up of a kept cell stays small.
[[gnu::noinline]] const KeptNumber &keepNumber(KeptNumber *ways, size_t set, const QString &cell,
                                                const QString &locale) {
  KeptNumberTexts *texts = &keptNumberTexts[2 * set];
  ways[1] = ways[0];
  std::swap(texts[1], texts[0]);
  KeptNumber &k = ways[0];
  texts[0].cell = cell;
  texts[0].locale = locale;
  k.ok = num::toFloat(cell, &k.value);
  k.cell = cell.constData();
  k.size = cell.size();
  k.locale = locale.constData();
  return k;
}
}  // namespace

bool cellToFloat(const QString &cell, float *out) {
  if (!cell.data_ptr().isMutable()) return num::toFloat(cell, out);
  const QString &locale = num::localeName();
  const auto address = reinterpret_cast<std::uintptr_t>(cell.constData());
  const size_t set = static_cast<size_t>((address * 0x9E3779B97F4A7C15ull) >> (64 - kKeptNumberSetBits));
  KeptNumber *ways = &keptNumbers[2 * set];
  const KeptNumber &k = keeps(ways[0], cell, locale)   ? ways[0]
                        : keeps(ways[1], cell, locale) ? ways[1]
                                                       : keepNumber(ways, set, cell, locale);
  if (k.ok && out) *out = k.value;
  return k.ok;
}

namespace {
// The numbers of a table's rows, kept as the answers are (see ThreadAnswer): by the
// identity of the list, which the entry holds, and of the locale's name.
struct KeptTable {
  TextRows rows;
  QString locale;
  std::shared_ptr<const CellNumbers> numbers;
};
// Two ways per set: a few tables whose lists happen to fall on the same set do not
// throw each other out case after case.
constexpr int kKeptTableBits = 6;
thread_local std::array<KeptTable, 2 << kKeptTableBits> keptTables;
thread_local std::array<bool, 1 << kKeptTableBits> keptTableNextWay;

std::shared_ptr<CellNumbers> readCellNumbers(const TextRows &rows) {
  auto numbers = std::make_shared<CellNumbers>();
  numbers->rows.resize(static_cast<size_t>(rows.size()));
  for (qsizetype r = 0; r < rows.size(); ++r) {
    const QStringList &row = rows.at(r);
    CellNumbers::Row &out = numbers->rows[static_cast<size_t>(r)];
    const int n = static_cast<int>(std::min<qsizetype>(row.size(), CellNumbers::kColumns));
    for (int c = 0; c < n; ++c) {
      double d = 0.0;
      // A name is no number: num::toDouble would say so only after the locale's parser.
      if (plainlyText(row.at(c)) || !num::toDouble(row.at(c), &d)) continue;
      out.value[static_cast<size_t>(c)] = d;
      out.number |= 1u << c;
      // The range num::toFloat accepts.
      if (std::fabs(d) <= 3.402823466e38) out.single |= 1u << c;
    }
  }
  return numbers;
}
}  // namespace

std::shared_ptr<const CellNumbers> cellNumbers(const TextRows &rows) {
  if (rows.capacity() == 0) return readCellNumbers(rows);  // no memory of its own
  const QString &locale = num::localeName();
  const auto address = reinterpret_cast<std::uintptr_t>(rows.constData());
  const size_t set = static_cast<size_t>((address * 0x9E3779B97F4A7C15ull) >> (64 - kKeptTableBits));
  for (size_t way = 0; way < 2; ++way) {
    const KeptTable &k = keptTables[2 * set + way];
    if (k.numbers && k.rows.constData() == rows.constData() && k.rows.size() == rows.size() &&
        k.locale.constData() == locale.constData())
      return k.numbers;
  }
  KeptTable &k = keptTables[2 * set + (keptTableNextWay[set] ? 1 : 0)];
  keptTableNextWay[set] = !keptTableNextWay[set];
  k.numbers = readCellNumbers(rows);
  k.rows = rows;
  k.locale = locale;
  return k.numbers;
}

}  // namespace catalogue

namespace {

enum class Target { None, Settings, Serie, Info };

Target targetOf(const Session &s, int code) {
  namespace tc = catalogue::code;
  if (code == tc::Settings) return Target::Settings;
  if (code >= 1 && code <= s.gintTblAnz && code < tc::Evaluation) return Target::Serie;
  if (code == tc::Evaluation || code == tc::SpecialSeries) return Target::Serie;
  if (code == tc::Representatives || code == tc::Info) return Target::Info;
  return Target::None;
}

// The name of one table of a set, checked: an empty or faulty name is noted as the
// problem of the SQL text, and a faulty one is left out of the text.
QString checkedName(const QString &name, int setNo, const QString &role, QString *problem) {
  if (name.isEmpty()) {
    if (problem->isEmpty())
      *problem = QStringLiteral("Für den Tabellensatz %1 ist keine %2 eingetragen.")
                     .arg(setNo)
                     .arg(role);
    return QString();
  }
  if (!catalogue::isPlainIdentifier(name)) {
    if (problem->isEmpty())
      *problem = QStringLiteral("Die %1 \"%2\" des Tabellensatzes %3 gibt es nicht: ein "
                                "Tabellenname besteht nur aus Buchstaben, Ziffern und "
                                "Unterstrichen.")
                     .arg(role, name)
                     .arg(setNo);
    return QString();
  }
  return name;
}

void nothingToTidy() {}

// Runs the body of a routine as the program's routines run: an error inside shows its
// description in a critical box titled with the routine's name and leaves the routine
// (after `onError` has tidied up); the end of the program passes through.
template <class Body, class OnError = void (*)()>
bool runReporting(const QString &title, Body &&body, OnError &&onError = nothingToTidy) {
  try {
    body();
    return true;
  } catch (const msg::ProgramEnded &) {
    throw;
  } catch (const std::exception &e) {
    onError();
    msg::critical(QString::fromUtf8(e.what()), title);
    return false;
  }
}

// The rows of a result set, each filled up to the number of its columns. A catalogue's
// rows are full: they are shared, not copied.
TextRows paddedRows(const ResultSet &rs) {
  if (std::all_of(rs.rows.begin(), rs.rows.end(),
                  [&rs](const QStringList &row) { return row.size() >= rs.fieldCount(); }))
    return rs.rows;
  TextRows rows;
  rows.reserve(rs.recordCount());
  for (const QStringList &record : rs.rows) {
    QStringList row = record;
    while (row.size() < rs.fieldCount()) row << QString();
    rows << row;
  }
  return rows;
}

}  // namespace

namespace {
// Builds the SQL text of a table code into gstrSQL. What is wrong with its table names
// goes to `problemOut` (empty when nothing is): a faulty name never enters the text, the
// query reports the problem as a database error instead.
// The texts built last on this thread, with what they were built from: a calculation
// asks for the same few table sets again and again, and building a text takes longer
// than the catalogue needs to answer it from what it keeps.
struct SqlMemo {
  int code = 0, setNo = 0, tableSets = 0;
  QStringList tableNames;
  QString sql, problem;
};
constexpr int kSqlMemos = 32;

void buildSql(Session &s, int code, int setNo, QString *problemOut) {
  thread_local std::array<SqlMemo, kSqlMemos> memos;
  thread_local int used = 0, next = 0;
  for (int i = 0; i < used; ++i) {
    const SqlMemo &m = memos[static_cast<size_t>(i)];
    if (m.code == code && m.setNo == setNo && m.tableSets == s.gintTblAnz && m.tableNames == s.gastrTblNam) {
      s.gstrSQL = m.sql;
      *problemOut = m.problem;
      return;
    }
  }
  runReporting(QStringLiteral("conStrSQL!"), [&] {
    static const QStringList fixed = {
        QStringLiteral("Einstellung"), QStringLiteral("Vertreter"), QStringLiteral("Info"),
        QStringLiteral("FNSonder"),    QStringLiteral("FDSonder"),  QStringLiteral("FESonder")};
    namespace tc = catalogue::code;
    const int n = code == tc::Evaluation ? setNo : code;
    QString problem;
    QString a, b, c;
    const Target target = targetOf(s, code);
    const bool tableSet = target == Target::Serie && code != tc::SpecialSeries;
    if (tableSet && n != 0 && n != 23) {
      a = checkedName(catalogue::nthTableName(s.gastrTblNam.value(0), n), n,
                      QStringLiteral("Grundtabelle"), &problem);
      b = checkedName(catalogue::nthTableName(s.gastrTblNam.value(1), n), n,
                      QStringLiteral("Doppelschienentabelle"), &problem);
      c = checkedName(catalogue::nthTableName(s.gastrTblNam.value(2), n), n,
                      QStringLiteral("Einzelschienentabelle"), &problem);
    } else if (tableSet) {
      problem = QStringLiteral("Den Tabellensatz %1 gibt es nicht.").arg(n);
    }

    QString sql;
    if (code == tc::Settings) {
      sql = QStringLiteral("SELECT cstr(Beschr) as Beschr, cstr(Wert) as Wert ") +
            QStringLiteral("FROM ") + fixed.at(0) + QStringLiteral(" ORDER BY Beschr");
    } else if (code == tc::Evaluation) {
      sql = QStringLiteral("SELECT cstr(a.Serie) as Serie, ") +
            QStringLiteral("cstr(a.Gr) as Gr, cstr(a.C) as C, cstr(a.Co) as Co, ") +
            QStringLiteral("cstr(a.Ls) as Ls, cstr(a.D) as D, cstr(a.TypR) as TypR, ") +
            QStringLiteral("cstr(b.Serie) as FD, cstr(b.Best) as FDBest, cstr(b.KBs) as KBs, ") +
            QStringLiteral("cstr(c.Serie) as FE, cstr(c.Best) as FEBest, cstr(c.KB1) as KB1 ") +
            QStringLiteral("FROM ") + a + QStringLiteral(" a, ") + b + QStringLiteral(" b, ") + c +
            QStringLiteral(" c Where a.Gr = b.Gr ") + QStringLiteral("AND a.Gr = c.Gr ORDER BY a.Gr");
    } else if (code == tc::Representatives) {
      sql = QStringLiteral("SELECT cstr(Name) as Name, cstr(Street) as Street, ") +
            QStringLiteral("cstr(Town) as Town, cstr(Telefon) as Telefon, cstr(Telefax) as Telefax, ") +
            QStringLiteral("cstr(EMail) as EMail FROM ") + fixed.at(1) +
            QStringLiteral(" ORDER BY Town");
    } else if (code == tc::Info) {
      sql = QStringLiteral("SELECT cstr(Name) as Name, cstr(Version) as Version, ") +
            QStringLiteral("cstr(Author) as Author, cstr(Telefon) as Telefon, cstr(EMail) as EMail ") +
            QStringLiteral("FROM ") + fixed.at(2);
    } else if (code == tc::SpecialSeries) {
      sql = QStringLiteral("SELECT cstr(a.Serie) as Serie, ") +
            QStringLiteral("cstr(a.Gr) as Gr, cstr(b.Best) as FDBest, cstr(c.Best) as FEBest, ") +
            QStringLiteral("cstr(a.C) as C, cstr(a.Co) as Co, cstr(a.D) as D, ") +
            QStringLiteral("cstr(a.a1) as a1, cstr(a.a2) as a2, cstr(b.b1) as b1, cstr(c.b2) as b2, ") +
            QStringLiteral("cstr(b.B) as MoK, cstr(c.B) as MoR, cstr(b.h1) as h1, ") +
            QStringLiteral("cstr(c.h2) as h2, cstr(a.Ls) as Ls, cstr(b.KBs) as KBs, ") +
            QStringLiteral("cstr(b.Kh9) as Kh9, cstr(b.KBF) as KBF, cstr(b.Kh3) as Kh3, ") +
            QStringLiteral("cstr(c.KB1) as KB1, cstr(c.Kh1) as Kh1, cstr(c.KBE) as KBE, ") +
            QStringLiteral("cstr(c.Kh3) as KhD, cstr(a.AnzR) as AnzR, cstr(a.TypR) as TypR ") +
            QStringLiteral("FROM ") + fixed.at(3) + QStringLiteral(" a, ") + fixed.at(4) +
            QStringLiteral(" b, ") + fixed.at(5) + QStringLiteral(" c Where a.IDNr = b.IDNr ") +
            QStringLiteral("AND a.IDNr = c.IDNr ORDER BY a.Gr, a.Serie");
    } else if (target == Target::Serie) {
      sql = QStringLiteral("SELECT cstr(a.Serie) as Serie, ") +
            QStringLiteral("cstr(a.Gr) as Gr, cstr(a.a1) as a1, cstr(a.a2) as a2, ") +
            QStringLiteral("cstr(b.b1) as b1, cstr(c.b2) as b2, cstr(b.h1) as h1, ") +
            QStringLiteral("cstr(c.h2) as h2, cstr(a.AnzR) as AnzR, cstr(b.Serie) as FD, ") +
            QStringLiteral("cstr(c.Serie) as FE, cstr(b.B) as B, cstr(c.B) as bI ") +
            QStringLiteral("FROM ") + a + QStringLiteral(" a, ") + b + QStringLiteral(" b, ") + c +
            QStringLiteral(" c Where a.Gr = b.Gr ") + QStringLiteral("AND a.Gr = c.Gr ORDER BY a.Gr");
    } else {
      msg::plain(QStringLiteral("Error Tabelname ") + QString::number(code) + QStringLiteral(" ?"));
      return;
    }
    s.gstrSQL = sql;
    *problemOut = problem;
    SqlMemo &m = memos[static_cast<size_t>(next)];
    m = {code, setNo, s.gintTblAnz, s.gastrTblNam, sql, problem};
    next = (next + 1) % kSqlMemos;
    used = std::max(used, next == 0 ? kSqlMemos : next);
  });
}
}  // namespace

QString conStrSQL(Session &s, int code, int setNo) {
  QString problem;
  buildSql(s, code, setNo, &problem);
  return s.gstrSQL;
}

ResultSet msubSearchDB(Session &s, int code, bool showBusy, int setNo) {
  QString problem;
  buildSql(s, code, setNo, &problem);
  if (showBusy) catalogue::of(s).showBusy();
  try {
    using Numbers = catalogue::Catalogue::Numbers;
    ResultSet *target = nullptr;
    Numbers numbers = Numbers::AllCells;
    switch (targetOf(s, code)) {
      case Target::Settings: target = &s.grsSettings; numbers = Numbers::SettingValues; break;
      case Target::Serie: target = &s.grsSerie; break;
      case Target::Info: target = &s.grsInfo; numbers = Numbers::AsStored; break;
      case Target::None: break;
    }
    // The file is opened (and a missing one reported) before the code is looked at.
    catalogue::Catalogue &cat = catalogue::of(s);
    if (!target) {
      cat.open();
      msg::plain(QStringLiteral("Error Question:") + QString::number(code) + QStringLiteral(" ?"));
      return ResultSet();
    }
    if (!problem.isEmpty()) {
      cat.open();
      throw catalogue::sqlite::Error(problem);
    }
    *target = cat.query(s.gstrSQL, numbers);
    return *target;
  } catch (const catalogue::sqlite::Error &e) {
    msg::critical(e.text, catalogue::databaseErrorTitle());
    msg::endProgram(1);
  }
}

namespace {
// The message of a routine that found no rows: the current error description, which
// is empty here.
void reportEmpty(const QString &title) { msg::critical(QString(), title); }
}  // namespace

void sSetField(Session &s) {
  runReporting(QStringLiteral("sSetField!"), [&s] {
    msubSearchDB(s, catalogue::code::Settings, false, 0);
    ResultSet &rs = s.grsSettings;
    if (rs.recordCount() == 0) {
      reportEmpty(QStringLiteral("sSetField!"));
      return;
    }
    s.gastrSettings = paddedRows(rs);
    rs.close();
  });
}

void sSetTblAnzBez(Session &s, bool fn, bool tl, bool so) {
  // The same settings give the same table list: a run of many cases, each on a copy of
  // one started session, reads it once per thread. The settings are known by the
  // identity of their rows: the memo holds them, so that a session that changes its
  // settings has rows of its own (a shared list is copied before it is changed).
  struct Memo {
    TextRows settings;
    bool fn = false, tl = false, so = false;
    int total = 0;
    QStringList names;
  };
  thread_local std::array<Memo, 4> memos;
  thread_local size_t nextMemo = 0;
  for (const Memo &m : memos) {
    if (m.settings.constData() == s.gastrSettings.constData() && m.settings.size() == s.gastrSettings.size() &&
        !m.settings.isEmpty() && m.fn == fn && m.tl == tl && m.so == so) {
      s.gintTblAnz = m.total;
      s.gastrTblNam = m.names;
      return;
    }
  }
  runReporting(QStringLiteral("sSetTblAnzBez!"), [&] {
    QStringList names = {QString(), QString(), QString()};
    int total = 0;
    const struct {
      bool on;
      const char *prefix;
    } groups[] = {{fn, "FN"}, {tl, "TL"}, {so, "So"}};
    for (const auto &g : groups) {
      if (!g.on) continue;
      const QString prefix = QString::fromLatin1(g.prefix);
      const QString countText = gfstrSettings(s, prefix + QStringLiteral("TblAnz"), false);
      int count = 0;
      if (!num::toInt16(countText, &count)) {
        double d = 0;
        throw AppError(num::toDouble(countText, &d) ? err::overflow() : err::typeMismatch());
      }
      if (count != 0) {
        for (int i = 0; i < 3; ++i)
          names[i] += gfstrSettings(s, prefix + QStringLiteral("TblNam") + QString::number(i), false);
      }
      total += count;
      if (total < -32768 || total > 32767) throw AppError(err::overflow());
    }
    s.gintTblAnz = total;
    s.gastrTblNam = names;
    memos[nextMemo] = {s.gastrSettings, fn, tl, so, total, names};
    nextMemo = (nextMemo + 1) % memos.size();
  });
}

namespace {
// The table sets this thread loaded from the catalogue last: a run loads the same few
// sets case after case, for sessions with the same table list. What a load leaves in
// the session (the SQL text, the answer, its rows) is kept with everything it was made
// from: the catalogue, the table code and set, the table list (by the identity of the
// list, which the entry holds, as the settings in sSetTblAnzBez) and the locale.
struct LoadedSet {
  std::uint64_t catalogue = 0;  // 0: empty
  int code = 0, setNo = 0, total = 0, tableSets = 0;
  QStringList tableNames;
  QString locale;
  QString sql;
  ResultSet answer;
  TextRows rows;
};
// Two ways per set, as the kept tables (cellNumbers).
constexpr int kLoadedSetBits = 6;
thread_local std::array<LoadedSet, 2 << kLoadedSetBits> loadedSets;
thread_local std::array<bool, 1 << kLoadedSetBits> loadedSetNextWay;

bool isLoaded(const LoadedSet &l, const Session &s, int code, int setNo, int total) {
  return l.catalogue == s.catalogue->id() && l.code == code && l.setNo == setNo && l.total == total &&
         l.tableSets == s.gintTblAnz && l.tableNames.constData() == s.gastrTblNam.constData() &&
         l.tableNames.size() == s.gastrTblNam.size() && l.locale.constData() == num::localeName().constData();
}

// The set of entries a load may be kept in (-1: none is kept, the session has no
// catalogue yet or no table list of its own).
int loadedSetOf(const Session &s, int code, int setNo, int total) {
  if (!s.catalogue || s.gastrTblNam.capacity() == 0) return -1;
  const auto address = reinterpret_cast<std::uintptr_t>(s.gastrTblNam.constData());
  const std::uint64_t key = address ^ (static_cast<std::uint64_t>(code) << 1) ^
                            (static_cast<std::uint64_t>(setNo) << 9) ^ (static_cast<std::uint64_t>(total) << 17);
  return static_cast<int>((key * 0x9E3779B97F4A7C15ull) >> (64 - kLoadedSetBits));
}
}  // namespace

bool sBerDat(Session &s, int code, int setNo, int total) {
  const int set = loadedSetOf(s, code, setNo, total);
  for (int way = 0; set >= 0 && way < 2; ++way) {
    const LoadedSet &l = loadedSets[static_cast<size_t>(2 * set + way)];
    if (isLoaded(l, s, code, setNo, total)) {
      s.gstrSQL = l.sql;
      s.grsSerie = l.answer;
      s.gastrSerie = l.rows;
      return true;
    }
  }
  bool loaded = false;
  runReporting(QStringLiteral("sBerDat!"), [&] {
    const bool evaluation = code == catalogue::code::Evaluation;
    const bool fromDatabase = (!evaluation && code <= total) || (evaluation && setNo <= total);
    if (fromDatabase) {
      msubSearchDB(s, code, false, setNo);
      const ResultSet &rs = s.grsSerie;
      if (rs.recordCount() == 0) {
        // No rows for this table set: nothing of the previous set may be taken for it.
        s.gastrSerie.clear();
        reportEmpty(QStringLiteral("sBerDat!"));
        return;
      }
      s.gastrSerie = paddedRows(rs);
      loaded = true;
      if (set >= 0) {
        bool &nextWay = loadedSetNextWay[static_cast<size_t>(set)];
        loadedSets[static_cast<size_t>(2 * set + (nextWay ? 1 : 0))] = {
            s.catalogue->id(), code, setNo, total, s.gintTblAnz, s.gastrTblNam, num::localeName(),
            s.gstrSQL, s.grsSerie, s.gastrSerie};
        nextWay = !nextWay;
      }
      return;
    }
    // The user's special roller shoe, in the layout the caller asks for.
    const QStringList &values = evaluation ? s.gastrSonderAusw : s.gastrSonderGeo;
    if (values.size() < 13) throw AppError(err::subscript());
    s.gastrSerie = TextRows{values.mid(0, 13)};
    loaded = true;
  }, [&s] { s.gastrSerie.clear(); });
  return loaded;
}
