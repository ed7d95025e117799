#include "core/catalogue/AccessImport.h"
#include "core/catalogue/SqlNames.h"

#include <mdbtools.h>
#include <sqlite3.h>

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <charconv>
#include <cmath>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
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

}  // namespace

// Access keeps a date as days since 1899-12-30, the fraction being the time of day;
// before that day the whole days count backwards and the fraction still forwards.
// Access itself holds the years 100 to 9999 only; what lies outside is no date of it
// (and would overflow the conversion to whole days).
std::optional<QString> accessDate(double value) {
  constexpr double kFirstDay = -657434.0;  // 0100-01-01
  constexpr double kLastDay = 2958465.0;   // 9999-12-31
  if (!(value > kFirstDay - 1.0 && value < kLastDay + 1.0)) return std::nullopt;
  double days = std::trunc(value);
  qint64 seconds = std::llround(std::fabs(value - days) * 86400.0);
  if (seconds >= 86400) {
    seconds -= 86400;
    days += value < 0 ? -1 : 1;
  }
  if (days < kFirstDay || days > kLastDay) return std::nullopt;
  const QDate date = QDate(1899, 12, 30).addDays(static_cast<qint64>(days));
  return QStringLiteral("%1-%2-%3T%4:%5:%6")
      .arg(date.year(), 4, 10, QLatin1Char('0'))
      .arg(date.month(), 2, 10, QLatin1Char('0'))
      .arg(date.day(), 2, 10, QLatin1Char('0'))
      .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
      .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
      .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

namespace {

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

// A table that could not be read whole: the reason, for the message or the notes of a
// partial import.
struct Shortfall {
  QString text;
};

void copyTable(MdbHandle *mdb, MdbCatalogEntry *entry, Sqlite &out, ImportSummary &summary, bool partial) {
  const QString name = QString::fromUtf8(entry->object_name);
  std::unique_ptr<MdbTableDef, TableCloser> table(mdb_read_table(entry));
  if (!table) throw Shortfall{QStringLiteral("the table \"%1\" cannot be read").arg(name)};
  // The definition counts the columns; a damaged one reads fewer (or none) of them.
  const GPtrArray *read = mdb_read_columns(table.get());
  if (!read || read->len != table->num_cols || table->num_cols == 0)
    throw Shortfall{QStringLiteral("the table \"%1\": %2 of the %3 columns its definition declares can be read")
                        .arg(name)
                        .arg(read ? read->len : 0)
                        .arg(table->num_cols)};
  std::vector<BoundColumn> cols = bindColumns(table.get());

  // Decimal columns stay numbers unless one of their values would lose digits as a
  // number; such a column is kept as exact decimal text throughout.
  bool decimals = false;
  for (const BoundColumn &c : cols) decimals = decimals || c.kind == Kind::Decimal;
  // A damaged page chain can make libmdb hand out rows without end; no table holds more
  // rows than its definition counts, so the reading stops one row after that.
  const qint64 declared = table->num_rows;
  if (decimals) {
    mdb_rewind_table(table.get());
    for (qint64 n = 0; n <= declared && mdb_fetch_row(table.get()); ++n)
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

  qint64 copied = 0;
  mdb_rewind_table(table.get());
  while (copied <= declared && mdb_fetch_row(table.get())) {
    ++copied;
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
          if (const std::optional<QString> iso = accessDate(days)) {
            bindText(stmt.get(), p, iso->toUtf8());
          } else {
            sqlite3_bind_null(stmt.get(), p);
            summary.notes << QStringLiteral("table \"%1\", row %2, column \"%3\": %4 is no date of the years "
                                            "100 to 9999; imported as NULL")
                                 .arg(name)
                                 .arg(copied)
                                 .arg(QString::fromUtf8(c.col->name))
                                 .arg(QString::number(days));
          }
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
    ++summary.rows;
  }
  summary.tables << name;
  // libmdb ends the rows early, without a word, where a data page is damaged.
  if (copied != declared) {
    const QString text =
        copied > declared
            ? QStringLiteral("the table \"%1\": more rows than the %2 its definition declares").arg(name).arg(declared)
            : QStringLiteral("the table \"%1\": %2 of the %3 rows its definition declares were read")
                  .arg(name)
                  .arg(copied)
                  .arg(declared);
    if (!partial) throw Failure(text);
    summary.notes << text;
    summary.partial = true;
  }
}

// Temporary files of an import are named TARGET.import-PID.XXXXXX (SQLite may add
// "-journal" to one). Those whose process is gone were left by an import that was
// killed; the next import into the folder removes them.
const QRegularExpression &temporaryName() {
  static const QRegularExpression re(QStringLiteral("^.+\\.import-([0-9]+)\\.[A-Za-z0-9]{6}(-journal)?$"));
  return re;
}

void removeStaleTemporaries(const QDir &dir) {
  for (const QString &file : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
    const QRegularExpressionMatch m = temporaryName().match(file);
    if (!m.hasMatch()) continue;
    bool ok = false;
    const qint64 pid = m.captured(1).toLongLong(&ok);
    if (!ok || pid <= 0 || pid > std::numeric_limits<pid_t>::max()) continue;
    if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;  // alive, or not ours to know
    struct stat st;
    const QByteArray path = QFile::encodeName(dir.filePath(file));
    if (::lstat(path.constData(), &st) == 0 && S_ISREG(st.st_mode)) ::unlink(path.constData());
  }
}

// Writes the file's data to the disk before it takes the target's place.
bool synced(const QString &path) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = ::fsync(fd) == 0;
  ::close(fd);
  return ok;
}

QString formatName(guint32 version) {
  switch (version) {
    case MDB_VER_JET3: return QStringLiteral("Jet 3");
    case MDB_VER_JET4: return QStringLiteral("Jet 4");
    default: return QStringLiteral("ACE");
  }
}

}  // namespace

bool importAccess(const QString &source, const QString &target, ImportSummary *summary, QString *error,
                  const ImportOptions &options) {
  ImportSummary local;
  ImportSummary &sum = summary ? *summary : local;
  sum = ImportSummary();
  const auto fail = [error](const QString &why) {
    if (error) *error = why;
    return false;
  };
  const QFileInfo src(source);
  if (!src.isFile()) return fail(QStringLiteral("%1: no such file").arg(source));
  QFile probe(source);
  if (!probe.open(QIODevice::ReadOnly)) return fail(QStringLiteral("%1: %2").arg(source, probe.errorString()));
  probe.close();

  // Only a regular file is replaced: a device, a pipe or a link in the target's place
  // would be lost (or, for a link, the file it points to left as it was).
  struct stat st;
  const bool exists = ::lstat(QFile::encodeName(target).constData(), &st) == 0;
  if (exists && !S_ISREG(st.st_mode))
    return fail(QStringLiteral("%1 is no regular file; the import writes only a new or a regular file").arg(target));
  if (exists && options.partial)
    return fail(QStringLiteral("%1 exists; a partial import writes only a new file").arg(target));

  const QFileInfo dst(target);
  removeStaleTemporaries(dst.absoluteDir());
  QTemporaryFile temp(dst.absoluteDir().filePath(
      QStringLiteral("%1.import-%2.XXXXXX").arg(dst.fileName()).arg(QCoreApplication::applicationPid())));
  if (!temp.open()) return fail(QStringLiteral("%1: cannot write: %2").arg(target, temp.errorString()));
  temp.close();
  if (options.temporaryCreated) options.temporaryCreated(temp.fileName());
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
    // The file is a draft until it is renamed: no journal beside it (one more file a
    // killed import would leave), no waiting for the disk before the end.
    out.exec(QStringLiteral("PRAGMA journal_mode = OFF"));
    out.exec(QStringLiteral("PRAGMA synchronous = OFF"));
    out.exec(QStringLiteral("BEGIN"));
    int unreadable = 0;
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
      auto *entry = static_cast<MdbCatalogEntry *>(g_ptr_array_index(mdb->catalog, i));
      if (entry->object_type != MDB_TABLE || !mdb_is_user_table(entry)) continue;
      try {
        copyTable(mdb.get(), entry, out, sum, options.partial);
      } catch (const Shortfall &s) {
        if (!options.partial) throw Failure(QStringLiteral("%1: %2; the file is damaged").arg(source, s.text));
        sum.notes << s.text;
        sum.partial = true;
        ++unreadable;
      }
    }
    if (sum.tables.isEmpty())
      throw Failure(unreadable > 0
                        ? QStringLiteral("%1: none of its %2 tables can be read; the file is damaged").arg(source).arg(unreadable)
                        : QStringLiteral("%1: no table can be read; the file is damaged or holds no tables").arg(source));
    out.exec(QStringLiteral("COMMIT"));
    if (sqlite3_close_v2(out.db) != SQLITE_OK) throw Failure(QStringLiteral("cannot finish the target"));
    out.db = nullptr;
  } catch (const Failure &f) {
    QString why = QString::fromStdString(f.what());
    if (!why.startsWith(source)) why = source + QStringLiteral(": ") + why;
    return fail(why + QStringLiteral("; %1 is left as it was").arg(target));
  }
  // A catalogue is read by everybody, as any file the user writes.
  temp.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                      QFileDevice::ReadOther);
  if (!synced(temp.fileName()))
    return fail(QStringLiteral("%1: cannot write: %2").arg(target, QString::fromLocal8Bit(std::strerror(errno))));
  // The finished file takes the place of the target in one step; a partial one only a
  // place where there is no file (link() fails on an existing name, rename() would not).
  const QByteArray from = QFile::encodeName(temp.fileName()), to = QFile::encodeName(target);
  const bool placed = options.partial ? ::link(from.constData(), to.constData()) == 0 && ::unlink(from.constData()) == 0
                                      : std::rename(from.constData(), to.constData()) == 0;
  if (!placed)
    return fail(QStringLiteral("%1: cannot write: %2").arg(target, QString::fromLocal8Bit(std::strerror(errno))));
  temp.setAutoRemove(false);
  return true;
}

}  // namespace catalogue
