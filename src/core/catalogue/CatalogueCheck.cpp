#include "core/catalogue/CatalogueCheck.h"

#include <QMap>
#include <QSet>

#include "core/catalogue/Catalogue.h"
#include "core/catalogue/SqlNames.h"
#include "core/catalogue/Sqlite.h"
#include "core/common/Numbers.h"

namespace catalogue {

int CheckReport::errors() const {
  int n = 0;
  for (const Problem &p : problems) n += p.error ? 1 : 0;
  return n;
}

int CheckReport::notes() const { return problems.size() - errors(); }

QString problemLine(const Problem &p) {
  QStringList parts;
  parts << (p.error ? QStringLiteral("error") : QStringLiteral("note"));
  if (!p.table.isEmpty()) parts << p.table;
  if (!p.row.isEmpty()) parts << p.row;
  if (!p.column.isEmpty()) parts << QStringLiteral("column ") + p.column;
  parts << p.text;
  return parts.join(QStringLiteral(": "));
}

namespace {

// A table of the catalogue as the program sees it: its columns and its rows as texts.
struct Table {
  bool present = false;
  QStringList columns;
  TextRows rows;
  int indexOf(const QString &column) const {
    for (int i = 0; i < columns.size(); ++i)
      if (columns[i].compare(column, Qt::CaseInsensitive) == 0) return i;
    return -1;
  }
};

enum class Cell { Text, Number, Int16, Bearing };

struct ColumnRule {
  const char *name;
  Cell kind;
};

// The columns each role of a table must have and how the program reads them.
const QVector<ColumnRule> kBase = {{"Serie", Cell::Text}, {"Gr", Cell::Number},  {"a1", Cell::Number},
                                   {"a2", Cell::Number},  {"AnzR", Cell::Int16}, {"C", Cell::Number},
                                   {"Co", Cell::Number},  {"Ls", Cell::Number},  {"D", Cell::Number},
                                   {"TypR", Cell::Bearing}};
const QVector<ColumnRule> kDouble = {{"Serie", Cell::Text}, {"Gr", Cell::Number}, {"b1", Cell::Number},
                                     {"h1", Cell::Number},  {"B", Cell::Number},  {"Best", Cell::Text},
                                     {"KBs", Cell::Number}};
const QVector<ColumnRule> kSingle = {{"Serie", Cell::Text}, {"Gr", Cell::Number}, {"b2", Cell::Number},
                                     {"h2", Cell::Number},  {"B", Cell::Number},  {"Best", Cell::Text},
                                     {"KB1", Cell::Number}};
const QVector<ColumnRule> kSettings = {{"Beschr", Cell::Text}, {"Wert", Cell::Text}};
const QVector<ColumnRule> kVertreter = {{"Name", Cell::Text},    {"Street", Cell::Text},
                                        {"Town", Cell::Text},    {"Telefon", Cell::Text},
                                        {"Telefax", Cell::Text}, {"EMail", Cell::Text}};
const QVector<ColumnRule> kInfo = {{"Name", Cell::Text},    {"Version", Cell::Text}, {"Author", Cell::Text},
                                   {"Telefon", Cell::Text}, {"EMail", Cell::Text}};
const QVector<ColumnRule> kFNSonder = {{"IDNr", Cell::Text},  {"Serie", Cell::Text}, {"Gr", Cell::Number},
                                       {"C", Cell::Number},   {"Co", Cell::Number},  {"D", Cell::Number},
                                       {"a1", Cell::Number},  {"a2", Cell::Number},  {"Ls", Cell::Number},
                                       {"AnzR", Cell::Int16}, {"TypR", Cell::Bearing}};
const QVector<ColumnRule> kFDSonder = {{"IDNr", Cell::Text}, {"Best", Cell::Text},  {"b1", Cell::Number},
                                       {"B", Cell::Number},  {"h1", Cell::Number},  {"KBs", Cell::Number},
                                       {"Kh9", Cell::Number}, {"KBF", Cell::Number}, {"Kh3", Cell::Number}};
const QVector<ColumnRule> kFESonder = {{"IDNr", Cell::Text}, {"Best", Cell::Text},  {"b2", Cell::Number},
                                       {"B", Cell::Number},  {"h2", Cell::Number},  {"KB1", Cell::Number},
                                       {"Kh1", Cell::Number}, {"KBE", Cell::Number}, {"Kh3", Cell::Number}};

class Checker {
 public:
  explicit Checker(sqlite::Database &db) : db_(db) {
    for (const QStringList &row : db_.query(QStringLiteral(
             "SELECT name FROM sqlite_master WHERE type IN ('table', 'view')")).rows)
      existing_.insert(row.value(0).toLower(), row.value(0));
  }

  void run() {
    const Table settings = load(QStringLiteral("Einstellung"), kSettings);
    if (settings.present) checkSettings(settings);
    load(QStringLiteral("Vertreter"), kVertreter);
    load(QStringLiteral("Info"), kInfo);
    checkSpecialSeries();
  }

  CheckReport report;

 private:
  void add(bool error, const QString &table, const QString &row, const QString &column,
           const QString &text) {
    report.problems.append({error, table, row, column, text});
  }

  // Reads a table with the columns of its role, reporting what is missing and every
  // cell the program could not read as it needs it.
  Table load(const QString &name, const QVector<ColumnRule> &rules, const QString &role = QString()) {
    Table t;
    const QString what = role.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(role);
    if (!existing_.contains(name.toLower())) {
      add(true, name, QString(), QString(), QStringLiteral("table missing") + what);
      return t;
    }
    const QString actual = existing_.value(name.toLower());
    if (actual != name)
      add(false, name, QString(), QString(),
          QStringLiteral("the table is called \"%1\"; its name differs in case").arg(actual));
    const ResultSet rs = db_.query(QStringLiteral("SELECT * FROM ") + quotedIdentifier(actual));
    t.present = true;
    t.columns = rs.columns;
    bool complete = true;
    for (const ColumnRule &r : rules) {
      if (t.indexOf(QString::fromLatin1(r.name)) < 0) {
        add(true, name, QString(), QString::fromLatin1(r.name), QStringLiteral("column missing") + what);
        complete = false;
      }
    }
    // The program turns every value into text with cstr() and reads that text.
    for (const QStringList &raw : rs.rows) {
      QStringList row;
      for (const QString &cell : raw) row << num::catalogueText(cell);
      t.rows << row;
    }
    if (!complete) return t;
    for (const QStringList &row : t.rows) {
      for (const ColumnRule &r : rules) {
        const QString col = QString::fromLatin1(r.name);
        const QString v = row.value(t.indexOf(col));
        checkCell(name, rowLabel(t, row), col, v, r.kind);
      }
    }
    return t;
  }

  static QString rowLabel(const Table &t, const QStringList &row) {
    QStringList parts;
    for (const char *key : {"Serie", "Gr"}) {
      const int i = t.indexOf(QString::fromLatin1(key));
      if (i >= 0) parts << QString::fromLatin1(key) + QLatin1Char(' ') + row.value(i);
    }
    if (parts.isEmpty()) {
      const int i = t.indexOf(QStringLiteral("IDNr"));
      if (i >= 0) parts << QStringLiteral("IDNr ") + row.value(i);
    }
    return parts.join(QStringLiteral(", "));
  }

  void checkCell(const QString &table, const QString &row, const QString &column, const QString &v,
                 Cell kind) {
    float f = 0;
    double d = 0;
    switch (kind) {
      case Cell::Text: return;
      case Cell::Number:
        // Read as the calculations read it: a single-precision number.
        if (v.isEmpty())
          add(true, table, row, column, QStringLiteral("empty, a number is needed"));
        else if (!num::catalogueToDouble(v, &d))
          add(true, table, row, column, QStringLiteral("\"%1\" is no number").arg(v));
        else if (!num::toFloat(v, &f))
          add(true, table, row, column, QStringLiteral("\"%1\" is too large for the calculation").arg(v));
        return;
      case Cell::Int16: {
        int n = 0;
        if (!num::toInt16(v, &n))
          add(true, table, row, column,
              QStringLiteral("\"%1\" is no whole number from -32768 to 32767").arg(v));
        return;
      }
      case Cell::Bearing:
        if (v != QLatin1String("N") && v != QLatin1String("K"))
          add(true, table, row, column,
              QStringLiteral("\"%1\" is no bearing type; \"N\" (needle) or \"K\" (ball) is needed").arg(v));
        return;
    }
  }

  void checkSettings(const Table &settings) {
    const int key = settings.indexOf(QStringLiteral("Beschr"));
    const int value = settings.indexOf(QStringLiteral("Wert"));
    if (key < 0 || value < 0) return;
    if (settings.rows.isEmpty()) {
      add(true, QStringLiteral("Einstellung"), QString(), QString(),
          QStringLiteral("no rows: the program ends at its start"));
      return;
    }
    QMap<QString, QString> values;
    QMap<QString, int> seen;
    for (const QStringList &row : settings.rows) {
      values.insert(row.value(key), row.value(value));
      ++seen[row.value(key)];
    }
    const auto rowOf = [](const QString &k) { return QStringLiteral("Beschr ") + k; };
    for (auto it = seen.cbegin(); it != seen.cend(); ++it)
      if (it.value() > 1)
        add(false, QStringLiteral("Einstellung"), rowOf(it.key()), QString(),
            QStringLiteral("%1 rows with this key").arg(it.value()));

    for (const char *k : {"StdSiko", "SwSiko", "WeSiko"}) {
      const QString name = QString::fromLatin1(k);
      int tenths = 0;
      if (!values.contains(name))
        add(true, QStringLiteral("Einstellung"), rowOf(name), QStringLiteral("Wert"),
            QStringLiteral("row missing: the required safety in tenths"));
      else if (!num::toInt16(values.value(name), &tenths) || tenths <= 0)
        add(true, QStringLiteral("Einstellung"), rowOf(name), QStringLiteral("Wert"),
            QStringLiteral("\"%1\" is no required safety: a whole number of tenths above 0 is needed")
                .arg(values.value(name)));
    }

    int total = 0;
    for (const char *g : {"FN", "TL", "So"}) {
      const QString group = QString::fromLatin1(g);
      const QString countKey = group + QStringLiteral("TblAnz");
      int count = 0;
      if (!values.contains(countKey)) {
        add(true, QStringLiteral("Einstellung"), rowOf(countKey), QStringLiteral("Wert"),
            QStringLiteral("row missing: the number of table sets of group %1").arg(group));
        continue;
      }
      if (!num::toInt16(values.value(countKey), &count) || count < 0 || count > 19) {
        add(true, QStringLiteral("Einstellung"), rowOf(countKey), QStringLiteral("Wert"),
            QStringLiteral("\"%1\" is no number of table sets (0 to 19)").arg(values.value(countKey)));
        continue;
      }
      total += count;
      if (count == 0) continue;
      QStringList lists;
      for (int i = 0; i < 3; ++i) {
        const QString listKey = group + QStringLiteral("TblNam") + QString::number(i);
        if (!values.contains(listKey))
          add(true, QStringLiteral("Einstellung"), rowOf(listKey), QStringLiteral("Wert"),
              QStringLiteral("row missing: the table names of group %1").arg(group));
        lists << values.value(listKey);
      }
      for (int n = 1; n <= count; ++n) checkTableSet(group, n, lists);
    }
    if (total > 19)
      add(true, QStringLiteral("Einstellung"), QString(), QString(),
          QStringLiteral("%1 table sets in all; at most 19 fit below the evaluation's code 20").arg(total));
    else if (total == 19)
      add(false, QStringLiteral("Einstellung"), QString(), QString(),
          QStringLiteral("19 table sets: a special roller shoe would need code 20, which the evaluation uses"));
  }

  void checkTableSet(const QString &group, int n, const QStringList &lists) {
    static const char *const roles[] = {"base table", "double-rail table", "single-rail table"};
    const QVector<ColumnRule> *rules[] = {&kBase, &kDouble, &kSingle};
    Table tables[3];
    QString names[3];
    bool complete = true;
    for (int i = 0; i < 3; ++i) {
      const QString listKey = group + QStringLiteral("TblNam") + QString::number(i);
      const QString name = nthTableName(lists.value(i), n);
      const QString role = QStringLiteral("%1 of set %2 of group %3").arg(QLatin1String(roles[i])).arg(n).arg(group);
      names[i] = name;
      if (name.isEmpty()) {
        add(true, QStringLiteral("Einstellung"), QStringLiteral("Beschr ") + listKey, QStringLiteral("Wert"),
            QStringLiteral("no %1: the list names fewer sets than %2TblAnz").arg(role, group));
        complete = false;
        continue;
      }
      if (!isPlainIdentifier(name)) {
        add(true, QStringLiteral("Einstellung"), QStringLiteral("Beschr ") + listKey, QStringLiteral("Wert"),
            QStringLiteral("\"%1\" (%2) is no table name the program uses: letters, digits and "
                           "underscores only").arg(name, role));
        complete = false;
        continue;
      }
      if (checked_.contains(name.toLower())) {
        tables[i] = checked_.value(name.toLower());
      } else {
        tables[i] = load(name, *rules[i], role);
        checked_.insert(name.toLower(), tables[i]);
      }
      complete = complete && tables[i].present;
      for (const ColumnRule &r : *rules[i])
        complete = complete && tables[i].indexOf(QString::fromLatin1(r.name)) >= 0;
    }
    if (!complete) return;

    // The sets are joined on the size: a size missing in one table drops out.
    QVector<QStringList> sizes(3);
    for (int i = 0; i < 3; ++i) {
      const int gr = tables[i].indexOf(QStringLiteral("Gr"));
      QMap<QString, int> count;
      for (const QStringList &row : tables[i].rows) {
        sizes[i] << row.value(gr);
        ++count[row.value(gr)];
      }
      for (auto it = count.cbegin(); it != count.cend(); ++it)
        if (it.value() > 1)
          add(false, names[i], QStringLiteral("Gr ") + it.key(), QStringLiteral("Gr"),
              QStringLiteral("%1 rows of this size: the set yields one row for each combination").arg(it.value()));
    }
    int joined = 0;
    for (const QString &s : sizes[0])
      if (sizes[1].contains(s) && sizes[2].contains(s)) ++joined;
    for (int i = 0; i < 3; ++i) {
      const int gr = tables[i].indexOf(QStringLiteral("Gr"));
      const int serie = tables[i].indexOf(QStringLiteral("Serie"));
      for (const QStringList &row : tables[i].rows) {
        QStringList missing;
        for (int j = 0; j < 3; ++j)
          if (j != i && !sizes[j].contains(row.value(gr))) missing << names[j];
        if (!missing.isEmpty())
          add(false, names[i], QStringLiteral("Serie %1, Gr %2").arg(row.value(serie), row.value(gr)), QStringLiteral("Gr"),
              QStringLiteral("size missing in %1: it drops out of set %2 of group %3")
                  .arg(missing.join(QStringLiteral(", ")))
                  .arg(n)
                  .arg(group));
      }
    }
    if (joined == 0)
      add(true, names[0], QString(), QString(),
          QStringLiteral("set %1 of group %2 (%3) has no size in all three tables: every calculation "
                         "shows \"sBerDat!\"")
              .arg(n)
              .arg(group)
              .arg(QStringList{names[0], names[1], names[2]}.join(QLatin1Char('/'))));
  }

  void checkSpecialSeries() {
    const Table a = load(QStringLiteral("FNSonder"), kFNSonder);
    const Table b = load(QStringLiteral("FDSonder"), kFDSonder);
    const Table c = load(QStringLiteral("FESonder"), kFESonder);
    const int ia = a.indexOf(QStringLiteral("IDNr")), ib = b.indexOf(QStringLiteral("IDNr")),
              ic = c.indexOf(QStringLiteral("IDNr"));
    if (ia < 0 || ib < 0 || ic < 0) return;
    QSet<QString> idsB, idsC;
    for (const QStringList &row : b.rows) idsB.insert(row.value(ib));
    for (const QStringList &row : c.rows) idsC.insert(row.value(ic));
    for (const QStringList &row : a.rows) {
      QStringList missing;
      if (!idsB.contains(row.value(ia))) missing << QStringLiteral("FDSonder");
      if (!idsC.contains(row.value(ia))) missing << QStringLiteral("FESonder");
      if (!missing.isEmpty())
        add(false, QStringLiteral("FNSonder"), rowLabel(a, row), QStringLiteral("IDNr"),
            QStringLiteral("IDNr %1 has no row in %2: the special series is not offered")
                .arg(row.value(ia), missing.join(QStringLiteral(", "))));
    }
  }

  sqlite::Database &db_;
  QMap<QString, QString> existing_;  // lower-case name -> name
  QMap<QString, Table> checked_;     // table sets share tables; each is read once
};

}  // namespace

CheckReport checkCatalogue(const QString &path) {
  try {
    sqlite::Database db(path);
    Checker checker(db);
    checker.run();
    return checker.report;
  } catch (const sqlite::Error &e) {
    CheckReport r;
    r.problems.append({true, QString(), QString(), QString(), e.text});
    return r;
  }
}

}  // namespace catalogue
