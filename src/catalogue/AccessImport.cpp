#include "catalogue/AccessImport.h"
#include "catalogue/SqlNames.h"

#include <mdbtools.h>
#include <sqlite3.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <charconv>
#include <cmath>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

namespace catalogue {

namespace {

struct Failure : std::runtime_error {
  explicit Failure(const QString &why) : std::runtime_error(why.toStdString()) {}
};

// Large enough for any memo a catalogue holds; libmdb cuts longer values to it.
constexpr size_t kBindSize = 1 << 20;

enum class Kind { Integer, Real, Decimal, Date, Text, Blob, Ole };

Kind kindOf(int colType) {
  switch (colType) {
    case MDB_BOOL:
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
    case MDB_COMPLEX: return Kind::Integer;
    case MDB_FLOAT:
    case MDB_DOUBLE: return Kind::Real;
    case MDB_MONEY:
    case MDB_NUMERIC: return Kind::Decimal;
    case MDB_DATETIME: return Kind::Date;
    case MDB_OLE: return Kind::Ole;
    case MDB_BINARY: return Kind::Blob;
    default: return Kind::Text;  // text, memo, replication id and what else may come
  }
}

// A decimal text such as "1995.5000" as the SQLite value that holds it exactly: an
// integer when it has no fraction, a real when the double's 15 significant digits give
// the same decimal back; nullopt when only text holds it exactly.
struct Exact {
  bool isInteger = false;
  qint64 integer = 0;
  double real = 0;
};
std::optional<Exact> exactNumber(const QByteArray &text) {
  QByteArray t = text.trimmed();
  const bool negative = t.startsWith('-');
  QByteArray digits = negative || t.startsWith('+') ? t.mid(1) : t;
  QByteArray whole = digits, fraction;
  const int dot = digits.indexOf('.');
  if (dot >= 0) {
    whole = digits.left(dot);
    fraction = digits.mid(dot + 1);
  }
  while (fraction.endsWith('0')) fraction.chop(1);
  while (whole.size() > 1 && whole.startsWith('0')) whole.remove(0, 1);
  for (char c : whole + fraction)
    if (c < '0' || c > '9') return std::nullopt;
  Exact e;
  if (fraction.isEmpty()) {
    const QByteArray s = (negative ? QByteArray("-") : QByteArray()) + whole;
    const auto r = std::from_chars(s.constData(), s.constData() + s.size(), e.integer);
    if (r.ec == std::errc() && r.ptr == s.constData() + s.size()) {
      e.isInteger = true;
      return e;
    }
  }
  QByteArray significant = (whole == "0" ? QByteArray() : whole) + fraction;
  while (significant.startsWith('0')) significant.remove(0, 1);
  if (significant.size() > 15) return std::nullopt;
  const auto r = std::from_chars(t.constData() + (t.startsWith('+') ? 1 : 0),
                                 t.constData() + t.size(), e.real);
  if (r.ec != std::errc()) return std::nullopt;
  return e;
}

// Access keeps a date as days since 1899-12-30, the fraction being the time of day;
// before that day the whole days count backwards and the fraction still forwards.
QString isoDate(double value) {
  if (!std::isfinite(value)) return QString();
  double days = std::trunc(value);
  qint64 seconds = std::llround(std::fabs(value - days) * 86400.0);
  if (seconds >= 86400) {
    seconds -= 86400;
    days += value < 0 ? -1 : 1;
  }
  const QDate date = QDate(1899, 12, 30).addDays(static_cast<qint64>(days));
  return QStringLiteral("%1-%2-%3T%4:%5:%6")
      .arg(date.year(), 4, 10, QLatin1Char('0'))
      .arg(date.month(), 2, 10, QLatin1Char('0'))
      .arg(date.day(), 2, 10, QLatin1Char('0'))
      .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
      .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
      .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

struct Sqlite {
  sqlite3 *db = nullptr;
  ~Sqlite() {
    if (db) sqlite3_close_v2(db);
  }
  void exec(const QString &sql) {
    char *msg = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &msg) != SQLITE_OK) {
      const QString why = QString::fromUtf8(msg ? msg : sqlite3_errmsg(db));
      sqlite3_free(msg);
      throw Failure(why);
    }
  }
  void check(int rc) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
      throw Failure(QString::fromUtf8(sqlite3_errmsg(db)));
  }
};

struct MdbCloser {
  void operator()(MdbHandle *h) const { mdb_close(h); }
};
struct TableCloser {
  void operator()(MdbTableDef *t) const { mdb_free_tabledef(t); }
};

struct BoundColumn {
  MdbColumn *col = nullptr;
  Kind kind = Kind::Text;
  std::vector<char> buffer;
  int length = 0;
  bool asText = false;  // a decimal column with a value no number holds exactly
};

// Binds every column of a table to a buffer of its own.
std::vector<BoundColumn> bindColumns(MdbTableDef *table) {
  std::vector<BoundColumn> cols(table->num_cols);
  for (unsigned i = 0; i < table->num_cols; ++i) {
    BoundColumn &c = cols[i];
    c.col = static_cast<MdbColumn *>(g_ptr_array_index(table->columns, i));
    c.kind = kindOf(c.col->col_type);
    c.buffer.assign(kBindSize, '\0');
    mdb_bind_column(table, static_cast<int>(i) + 1, c.buffer.data(), &c.length);
  }
  return cols;
}

// A number as libmdb writes it (plain C notation), read whole or not at all.
template <class T>
std::optional<T> parsed(const QByteArray &text) {
  T v{};
  const auto r = std::from_chars(text.constData(), text.constData() + text.size(), v);
  if (r.ec != std::errc() || r.ptr != text.constData() + text.size()) return std::nullopt;
  return v;
}

void bindText(sqlite3_stmt *st, int p, const QByteArray &text) {
  sqlite3_bind_text(st, p, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

QByteArray boundText(const BoundColumn &c) {
  return QByteArray(c.buffer.data(), c.length);
}

void copyTable(MdbHandle *mdb, MdbCatalogEntry *entry, Sqlite &out, ImportSummary *summary) {
  const QString name = QString::fromUtf8(entry->object_name);
  std::unique_ptr<MdbTableDef, TableCloser> table(mdb_read_table(entry));
  if (!table) throw Failure(QStringLiteral("cannot read the table \"%1\"").arg(name));
  mdb_read_columns(table.get());
  std::vector<BoundColumn> cols = bindColumns(table.get());

  // Decimal columns stay numbers unless one of their values would lose digits as a
  // number; such a column is kept as exact decimal text throughout.
  bool decimals = false;
  for (const BoundColumn &c : cols) decimals = decimals || c.kind == Kind::Decimal;
  if (decimals) {
    mdb_rewind_table(table.get());
    while (mdb_fetch_row(table.get()))
      for (BoundColumn &c : cols)
        if (c.kind == Kind::Decimal && c.length > 0 && !exactNumber(boundText(c)))
          c.asText = true;
  }

  QStringList defs, marks;
  for (const BoundColumn &c : cols) {
    QString type;
    switch (c.kind) {
      case Kind::Integer: type = QStringLiteral("INTEGER"); break;
      case Kind::Real: type = QStringLiteral("REAL"); break;
      case Kind::Decimal: type = c.asText ? QStringLiteral("TEXT") : QStringLiteral("NUMERIC"); break;
      case Kind::Date:
      case Kind::Text: type = QStringLiteral("TEXT"); break;
      case Kind::Blob:
      case Kind::Ole: type = QStringLiteral("BLOB"); break;
    }
    defs << quotedIdentifier(QString::fromUtf8(c.col->name)) + QLatin1Char(' ') + type;
    marks << QStringLiteral("?");
  }
  out.exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(quotedIdentifier(name), defs.join(QStringLiteral(", "))));

  sqlite3_stmt *raw = nullptr;
  const QByteArray insert = QStringLiteral("INSERT INTO %1 VALUES (%2)")
                                .arg(quotedIdentifier(name), marks.join(QStringLiteral(", ")))
                                .toUtf8();
  out.check(sqlite3_prepare_v2(out.db, insert.constData(), -1, &raw, nullptr));
  std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt *)> stmt(raw, sqlite3_finalize);

  mdb_rewind_table(table.get());
  while (mdb_fetch_row(table.get())) {
    sqlite3_reset(stmt.get());
    for (size_t i = 0; i < cols.size(); ++i) {
      BoundColumn &c = cols[i];
      const int p = static_cast<int>(i) + 1;
      // libmdb binds a NULL (and Access's empty text, as mdb-export shows it) as an
      // empty value.
      if (c.length <= 0 && c.kind != Kind::Ole) {
        sqlite3_bind_null(stmt.get(), p);
        continue;
      }
      const QByteArray text = boundText(c);
      switch (c.kind) {
        case Kind::Integer:
          if (const auto v = parsed<qint64>(text)) sqlite3_bind_int64(stmt.get(), p, *v);
          else bindText(stmt.get(), p, text);
          break;
        case Kind::Real:
          if (const auto v = parsed<double>(text)) sqlite3_bind_double(stmt.get(), p, *v);
          else bindText(stmt.get(), p, text);
          break;
        case Kind::Decimal: {
          const std::optional<Exact> e = c.asText ? std::nullopt : exactNumber(text);
          if (e && e->isInteger) sqlite3_bind_int64(stmt.get(), p, e->integer);
          else if (e) sqlite3_bind_double(stmt.get(), p, e->real);
          else bindText(stmt.get(), p, text);
          break;
        }
        case Kind::Date: {
          // The stored day number, not libmdb's text of it, which goes wrong outside
          // the years 1900..9998.
          const double days = mdb_get_double(mdb->pg_buf, c.col->cur_value_start);
          bindText(stmt.get(), p, isoDate(days).toUtf8());
          break;
        }
        case Kind::Text:
          bindText(stmt.get(), p, text);
          break;
        case Kind::Blob:
          sqlite3_bind_blob(stmt.get(), p, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
          break;
        case Kind::Ole: {
          size_t size = 0;
          void *data = c.length > 0 ? mdb_ole_read_full(mdb, c.col, &size) : nullptr;
          if (!data) {
            sqlite3_bind_null(stmt.get(), p);
          } else {
            sqlite3_bind_blob64(stmt.get(), p, data, size, SQLITE_TRANSIENT);
            free(data);
          }
          break;
        }
      }
    }
    out.check(sqlite3_step(stmt.get()));
    if (summary) ++summary->rows;
  }
  if (summary) summary->tables << name;
}

QString formatName(guint32 version) {
  switch (version) {
    case MDB_VER_JET3: return QStringLiteral("Jet 3");
    case MDB_VER_JET4: return QStringLiteral("Jet 4");
    default: return QStringLiteral("ACE");
  }
}

}  // namespace

bool importAccess(const QString &source, const QString &target, ImportSummary *summary,
                  QString *error) {
  ImportSummary local;
  ImportSummary &sum = summary ? *summary : local;
  sum = ImportSummary();
  const QFileInfo src(source);
  if (!src.isFile()) {
    if (error) *error = QStringLiteral("%1: no such file").arg(source);
    return false;
  }
  QFile probe(source);
  if (!probe.open(QIODevice::ReadOnly)) {
    if (error) *error = QStringLiteral("%1: %2").arg(source, probe.errorString());
    return false;
  }
  probe.close();

  const QFileInfo dst(target);
  QTemporaryFile temp(dst.absoluteDir().filePath(dst.fileName() + QStringLiteral(".XXXXXX")));
  if (!temp.open()) {
    if (error) *error = QStringLiteral("%1: cannot write: %2").arg(target, temp.errorString());
    return false;
  }
  temp.close();
  try {
    std::unique_ptr<MdbHandle, MdbCloser> mdb(
        mdb_open(QFile::encodeName(source).constData(), MDB_NOFLAGS));
    if (!mdb)
      throw Failure(QStringLiteral("%1 is no Access/Jet database or it is damaged").arg(source));
    sum.format = formatName(mdb->f->jet_version);
    mdb_set_bind_size(mdb.get(), kBindSize);
    mdb_set_boolean_fmt_numbers(mdb.get());
    if (!mdb_read_catalog(mdb.get(), MDB_TABLE))
      throw Failure(QStringLiteral("%1: the table catalogue cannot be read; the file is damaged").arg(source));

    Sqlite out;
    const QByteArray tempName = QFile::encodeName(temp.fileName());
    if (sqlite3_open_v2(tempName.constData(), &out.db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
      throw Failure(QString::fromUtf8(out.db ? sqlite3_errmsg(out.db) : "cannot open the target"));
    out.exec(QStringLiteral("BEGIN"));
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
      auto *entry = static_cast<MdbCatalogEntry *>(g_ptr_array_index(mdb->catalog, i));
      if (entry->object_type != MDB_TABLE || !mdb_is_user_table(entry)) continue;
      copyTable(mdb.get(), entry, out, &sum);
    }
    out.exec(QStringLiteral("COMMIT"));
    if (sqlite3_close_v2(out.db) != SQLITE_OK) throw Failure(QStringLiteral("cannot finish the target"));
    out.db = nullptr;
  } catch (const Failure &f) {
    if (error) *error = QString::fromStdString(f.what());
    return false;
  }
  // A catalogue is read by everybody, as any file the user writes.
  temp.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                      QFileDevice::ReadOther);
  // The finished file takes the place of the target in one step.
  if (std::rename(QFile::encodeName(temp.fileName()).constData(),
                  QFile::encodeName(target).constData()) != 0) {
    if (error) *error = QStringLiteral("%1: cannot write: %2").arg(target, QString::fromLocal8Bit(std::strerror(errno)));
    return false;
  }
  temp.setAutoRemove(false);
  return true;
}

}  // namespace catalogue
