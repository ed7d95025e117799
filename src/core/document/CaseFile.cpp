#include "core/document/CaseFile.h"

#include <QDir>
#include <QSysInfo>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>

#include "core/arrangements/models/Arrangement.h"
#include "core/common/Errors.h"
#include "core/common/InputLimits.h"
#include "core/loads/Directions.h"
#include "core/common/Messages.h"
#include "core/common/Numbers.h"
#include "core/common/SaveFile.h"
#include "core/common/Texts.h"
#include "core/special/SonderCore.h"

namespace calcfile {

namespace {

// A refusal while reading: thrown by the key readers, caught by parse().
struct Refusal {
  Error error;
};

[[noreturn]] void refuse(const QString &english, const QString &german) { throw Refusal{{english, german}}; }

QString k(const char *s) { return QString::fromLatin1(s); }

using loads::directionLabels;

// A field as typed: text, or a JSON number written as the locale would show it. `what`
// names the field on the command line, `key` the entry of the file that holds it.
QString typedText(const QJsonValue &v, const QString &what, const QString &key) {
  if (v.isString()) return v.toString();
  if (v.isDouble()) return num::doubleToText(v.toDouble());
  if (v.isUndefined() || v.isNull()) return QString();
  refuse(what + QStringLiteral(" must be a text such as \"200\""), builtinText(1218).arg(key));
}

// ---- the keys -------------------------------------------------------------------------
// Each key of the format reads itself from the JSON object into the case and writes itself
// back. A new key is one more entry in kKeys (and its field in Case).

void readFormat(const QJsonValue &v, Case &) {
  if (v.isUndefined()) return;  // a plain batch case carries no format
  if (!v.isString() || v.toString() != QLatin1String(kFormat)) {
    const QString shown = v.isString() ? v.toString() : QString::fromUtf8(QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact)).mid(1).chopped(1);
    refuse(QStringLiteral("the file has the format \"%1\", not \"%2\"").arg(shown, k(kFormat)),
           builtinText(1215).arg(shown));
  }
}
void writeFormat(const Case &, QJsonObject &o) { o.insert(QStringLiteral("format"), k(kFormat)); }

void readVersion(const QJsonValue &v, Case &) {
  if (v.isUndefined()) return;
  const double d = v.toDouble(-1);
  if (!v.isDouble() || d != std::floor(d) || d < 1)
    refuse(QStringLiteral("\"version\" must be a whole number from 1"), builtinText(1228).arg(QStringLiteral("version")));
  if (d > kVersion)
    refuse(QStringLiteral("the file has version %1; this program reads versions up to %2").arg(d).arg(kVersion),
           builtinText(1216).arg(d).arg(kVersion));
}
void writeVersion(const Case &, QJsonObject &o) { o.insert(QStringLiteral("version"), kVersion); }

void readArrangement(const QJsonValue &v, Case &c) {
  c.arrangement = v.toString();
  if (!arrangementByScreen(c.arrangement)) {
    QStringList names;
    for (const ArrangementInfo &a : arrangements()) names << QString::fromLatin1(a.screenName);
    refuse(QStringLiteral("unknown arrangement \"%1\" (key \"arrangement\"); one of: %2").arg(c.arrangement, names.join(QStringLiteral(", "))),
           builtinText(1217).arg(c.arrangement));
  }
}
void writeArrangement(const Case &c, QJsonObject &o) { o.insert(QStringLiteral("arrangement"), c.arrangement); }

void readM(const QJsonValue &v, Case &c) { c.m = typedText(v, QStringLiteral("\"m\""), QStringLiteral("m")); }
void writeM(const Case &c, QJsonObject &o) {
  if (!c.m.isEmpty()) o.insert(QStringLiteral("m"), c.m);
}
void readN(const QJsonValue &v, Case &c) { c.n = typedText(v, QStringLiteral("\"n\""), QStringLiteral("n")); }
void writeN(const Case &c, QJsonObject &o) {
  if (!c.n.isEmpty()) o.insert(QStringLiteral("n"), c.n);
}

QJsonArray forceRows(const TextRows &forces) {
  QJsonArray rows;
  for (const QStringList &r : forces) {
    // The empty row a new table holds is no force.
    bool empty = true;
    for (const QString &cell : r) empty = empty && cell.isEmpty();
    if (!empty) rows.append(QJsonArray::fromStringList(r));
  }
  return rows;
}

void readForces(const QJsonValue &v, Case &c) {
  if (!v.isUndefined() && !v.isArray())
    refuse(QStringLiteral("\"forces\" must be a list of rows"), builtinText(1219));
  const QJsonArray rows = v.toArray();
  c.forces.reserve(c.forces.size() + rows.size());
  for (const QJsonValue &rv : rows) {
    const QJsonArray ra = rv.toArray();
    if (!rv.isArray() || ra.size() != 5)
      refuse(QStringLiteral("each force row must be [direction, force, x, y, z], e.g. "
                            "[\"- Z\", \"1000\", \"0\", \"0\", \"0\"]"),
             builtinText(1220));
    // The direction is kept as the label itself (shared, not a copy per row); the cells
    // as typed. Rows run into the thousands in a batch case: nothing is built twice.
    QStringList row;
    row.reserve(5);
    for (int i = 0; i < 5; ++i) row << typedText(ra.at(i), QStringLiteral("a force table cell"), QStringLiteral("forces"));
    const qsizetype label = directionLabels().indexOf(row[0]);
    if (label < 0)
      refuse(QStringLiteral("unknown force direction \"%1\"; one of: %2").arg(row[0], directionLabels().join(QStringLiteral(", "))),
             builtinText(1221).arg(row[0]));
    row[0] = directionLabels().at(label);
    c.forces.append(std::move(row));
  }
}
void writeForces(const Case &c, QJsonObject &o) { o.insert(QStringLiteral("forces"), forceRows(c.forces)); }

void readLoadType(const QJsonValue &v, Case &c) {
  if (v.isUndefined()) return;
  // Judged on the number itself: toInt() maps 4294967297 and 1e10 to 0.
  const double d = v.toDouble();
  if (!v.isDouble() || !(d == 0.0 || d == 1.0 || d == 2.0))
    refuse(QStringLiteral("\"loadType\" must be 0, 1 or 2"), builtinText(1222));
  c.loadType = static_cast<int>(d);
}
void writeLoadType(const Case &c, QJsonObject &o) { o.insert(QStringLiteral("loadType"), c.loadType); }

void readTicked(const QJsonValue &v, Case &c) {
  const QString english = QStringLiteral("\"ticked\" must be \"all\" or a list of [Serie, Gr]");
  if (v.isString() && v.toString() == QLatin1String("all")) {
    c.tickAll = true;
  } else if (v.isArray()) {
    c.tickAll = false;
    for (const QJsonValue &pv : v.toArray()) {
      const QJsonArray pa = pv.toArray();
      if (!pv.isArray() || pa.size() != 2) refuse(english, builtinText(1223));
      c.ticked.append({typedText(pa.at(0), QStringLiteral("a ticked series"), QStringLiteral("ticked")),
                       typedText(pa.at(1), QStringLiteral("a ticked size"), QStringLiteral("ticked"))});
    }
  } else if (!v.isUndefined()) {
    refuse(english, builtinText(1223));
  }
}
void writeTicked(const Case &c, QJsonObject &o) {
  if (c.tickAll) {
    o.insert(QStringLiteral("ticked"), QStringLiteral("all"));
    return;
  }
  QJsonArray pairs;
  for (const auto &[serie, gr] : c.ticked) pairs.append(QJsonArray{serie, gr});
  o.insert(QStringLiteral("ticked"), pairs);
}

void readSpecial(const QJsonValue &v, Case &c) {
  if (v.isUndefined() || v.isNull()) return;
  const QJsonObject so = v.toObject();
  const QJsonArray fa = so.value(QStringLiteral("fields")).toArray();
  if (!v.isObject() || fa.size() != sonder::kFieldCount)
    refuse(QStringLiteral("\"special\" needs \"fields\": the 24 data fields of the editor"), builtinText(1224));
  SpecialShoe s;
  for (const QJsonValue &f : fa) s.fields << typedText(f, QStringLiteral("a special field"), QStringLiteral("special"));
  const QJsonValue bearings = so.value(QStringLiteral("bearings"));
  s.bearingsIndex = bearings.isUndefined() ? 0 : sonder::bearingsIndex(typedText(bearings, QStringLiteral("\"bearings\""), QStringLiteral("bearings")));
  if (s.bearingsIndex < 0) refuse(QStringLiteral("\"bearings\" must be \"4\", \"6\" or \"8\""), builtinText(1225));
  const QJsonValue type = so.value(QStringLiteral("type"));
  if (!type.isUndefined() && !type.isString())
    refuse(QStringLiteral("\"special\".\"type\" must be the text \"N\" or \"K\""), builtinText(1226));
  s.type = type.toString(QStringLiteral("N"));
  if (s.type != QLatin1String("N") && s.type != QLatin1String("K"))
    refuse(QStringLiteral("\"type\" must be \"N\" (needle) or \"K\" (ball bearings)"), builtinText(1226));
  c.special = s;
}
void writeSpecial(const Case &c, QJsonObject &o) {
  if (!c.special) return;
  o.insert(QStringLiteral("special"),
           QJsonObject{{QStringLiteral("fields"), QJsonArray::fromStringList(c.special->fields)},
                       {QStringLiteral("bearings"), sonder::bearingsText(c.special->bearingsIndex)},
                       {QStringLiteral("type"), c.special->type}});
}

void readComments(const QJsonValue &v, Case &c) {
  if (v.isUndefined()) return;
  const QJsonArray a = v.toArray();
  bool ok = v.isArray() && a.size() <= 6;
  QStringList lines;
  for (const QJsonValue &l : a) {
    ok = ok && l.isString();
    lines << l.toString();
  }
  if (!ok) refuse(QStringLiteral("\"comments\" must be a list of up to six texts"), builtinText(1227));
  while (lines.size() < 6) lines << QString();
  c.comments = lines;
}
void writeComments(const Case &c, QJsonObject &o) {
  if (c.comments) o.insert(QStringLiteral("comments"), QJsonArray::fromStringList(*c.comments));
}

// "loadCases" and "duty" are read by the load cases' own reader, which knows their form.
loads::CaseLoads readLoadsKey(const char *key, const QJsonValue &v) {
  loads::CaseLoads l;
  QString english;
  if (!loads::readCaseLoads(QJsonObject{{k(key), v}}, &l, &english))
    refuse(english, builtinText(1228).arg(k(key)));
  return l;
}

void readLoadCases(const QJsonValue &v, Case &c) {
  if (v.isUndefined()) return;
  if (!c.forces.isEmpty())
    refuse(QStringLiteral("give either \"forces\" or \"loadCases\", not both"),
           builtinText(1228).arg(QStringLiteral("loadCases")));
  if (v.isArray() && v.toArray().size() > loads::kMaxLoadCases)
    refuse(QStringLiteral("\"loadCases\" holds %1 load cases; at most %2 are possible")
               .arg(v.toArray().size())
               .arg(loads::kMaxLoadCases),
           builtinText(1239).arg(v.toArray().size()).arg(loads::kMaxLoadCases));
  c.loadCases = readLoadsKey("loadCases", v).loadCases;
}
void writeLoadCases(const Case &c, QJsonObject &o) {
  if (c.loadCases.isEmpty()) return;
  o.remove(QStringLiteral("forces"));
  QJsonArray cases;
  for (const LoadCase &lc : c.loadCases)
    cases.append(QJsonObject{{QStringLiteral("name"), lc.name},
                             {QStringLiteral("share"), lc.share},
                             {QStringLiteral("forces"), forceRows(lc.forces)}});
  o.insert(QStringLiteral("loadCases"), cases);
}

void readDuty(const QJsonValue &v, Case &c) {
  if (v.isUndefined() || v.isNull()) return;
  c.duty = readLoadsKey("duty", v).duty;
}
void writeDuty(const Case &c, QJsonObject &o) {
  if (!c.duty) return;
  QJsonObject d;
  const auto put = [&d](const char *key, const QString &text) {
    if (!text.isEmpty()) d.insert(k(key), text);
  };
  put("stroke", c.duty->stroke);
  put("cyclesPerMinute", c.duty->cyclesPerMinute);
  put("hoursPerDay", c.duty->hoursPerDay);
  put("daysPerYear", c.duty->daysPerYear);
  o.insert(QStringLiteral("duty"), d);
}

// The required life: {"value": 20000, "unit": "h"} (or "km"); the value as typed.
void readRequiredLife(const QJsonValue &v, Case &c) {
  if (v.isUndefined() || v.isNull()) return;
  const auto bad = [](const QString &english) {
    refuse(english, builtinText(1228).arg(QStringLiteral("requiredLife")));
  };
  if (!v.isObject()) bad(QStringLiteral("\"requiredLife\" must be an object {\"value\": 20000, \"unit\": \"h\"}"));
  const QJsonObject o = v.toObject();
  loads::RequiredLifeTexts r;
  r.value = typedText(o.value(QStringLiteral("value")), QStringLiteral("\"requiredLife.value\""),
                      QStringLiteral("requiredLife"));
  const QString unit = o.value(QStringLiteral("unit")).toString();
  if (unit != QLatin1String("h") && unit != QLatin1String("km"))
    bad(QStringLiteral("\"requiredLife.unit\" must be \"h\" or \"km\""));
  r.hours = unit == QLatin1String("h");
  c.requiredLife = r;
}
void writeRequiredLife(const Case &c, QJsonObject &o) {
  if (!c.requiredLife) return;
  o.insert(QStringLiteral("requiredLife"),
           QJsonObject{{QStringLiteral("value"), c.requiredLife->value},
                       {QStringLiteral("unit"), c.requiredLife->hours ? QStringLiteral("h") : QStringLiteral("km")}});
}

// The motion dialog's fields: texts as typed, the mounting by its name.
struct MotionField {
  const char *key;
  QString loads::MotionInput::*field;
};
const MotionField kMotionFields[] = {
    {"mass", &loads::MotionInput::mass},
    {"x", &loads::MotionInput::x},
    {"y", &loads::MotionInput::y},
    {"z", &loads::MotionInput::z},
    {"speed", &loads::MotionInput::speed},
    {"acceleration", &loads::MotionInput::acceleration},
    {"deceleration", &loads::MotionInput::deceleration},
    {"stroke", &loads::MotionInput::stroke},
    {"processForce", &loads::MotionInput::processForce},
    {"processDirection", &loads::MotionInput::processDirection},
    {"px", &loads::MotionInput::px},
    {"py", &loads::MotionInput::py},
    {"pz", &loads::MotionInput::pz},
};

void readMotion(const QJsonValue &v, Case &c) {
  if (v.isUndefined() || v.isNull()) return;
  const auto bad = [](const QString &english) { refuse(english, builtinText(1228).arg(QStringLiteral("motion"))); };
  if (!v.isObject()) bad(QStringLiteral("\"motion\" must be an object of the motion dialog's fields"));
  const QJsonObject o = v.toObject();
  loads::MotionInput m;
  for (const MotionField &f : kMotionFields)
    m.*f.field = typedText(o.value(k(f.key)), QStringLiteral("\"motion.%1\"").arg(k(f.key)), QStringLiteral("motion"));
  if (!m.processDirection.isEmpty() && !loads::directionOf(m.processDirection))
    bad(QStringLiteral("unknown direction \"%1\" (key \"motion.processDirection\"); one of: %2")
            .arg(m.processDirection, loads::directionLabels().join(QStringLiteral(", "))));
  const QJsonValue mounting = o.value(QStringLiteral("mounting"));
  if (!mounting.isUndefined() && !loads::mountingOf(mounting.toString(), &m.mounting))
    bad(QStringLiteral("\"motion.mounting\" must be one of: horizontal, overhead, wall, vertical"));
  c.motion = m;
}
void writeMotion(const Case &c, QJsonObject &o) {
  if (!c.motion) return;
  QJsonObject m;
  for (const MotionField &f : kMotionFields)
    if (!((*c.motion).*f.field).isEmpty()) m.insert(k(f.key), (*c.motion).*f.field);
  m.insert(QStringLiteral("mounting"), loads::mountingKey(c.motion->mounting));
  o.insert(QStringLiteral("motion"), m);
}

struct Key {
  const char *name;
  void (*read)(const QJsonValue &, Case &);
  void (*write)(const Case &, QJsonObject &);
};

// In the order of reading: format and version first, since a file of another format or
// a newer version says so before anything else can go wrong.
const Key kKeys[] = {
    {"format", readFormat, writeFormat},
    {"version", readVersion, writeVersion},
    {"arrangement", readArrangement, writeArrangement},
    {"m", readM, writeM},
    {"n", readN, writeN},
    {"forces", readForces, writeForces},
    {"loadType", readLoadType, writeLoadType},
    {"ticked", readTicked, writeTicked},
    {"special", readSpecial, writeSpecial},
    {"comments", readComments, writeComments},
    {"loadCases", readLoadCases, writeLoadCases},
    {"duty", readDuty, writeDuty},
    {"requiredLife", readRequiredLife, writeRequiredLife},
    {"motion", readMotion, writeMotion},
};

bool isKnown(const QString &key) {
  for (const Key &kk : kKeys)
    if (key == QLatin1String(kk.name)) return true;
  return false;
}

}  // namespace

namespace {

// ---- cases written the common way ------------------------------------------------------
// A batch case may carry thousands of force rows, and a run thousands of cases; through
// the JSON reader every value would be a JSON value, then a text, then freed again. An
// object written the common way is read here straight from its text into the case: the
// keys "format", "version", "arrangement", "m", "n", "forces", "loadType", "ticked" and
// the batch tool's "rigidCheck", each at most once, with plain values (texts of
// printable ASCII without escapes, the numbers 0, 1 and 2, true and false), force rows of
// five such texts with a known direction first. Anything else - another key, a value of
// another form, a value that reading refuses - leaves the whole text to the JSON reader,
// so that nothing read or refused differs.
bool isBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r'; }

const char *skipBlanks(const char *p, const char *end) {
  while (p != end && isBlank(*p)) ++p;
  return p;
}

// The characters a plain text cell holds: printable ASCII but the quote and the backslash.
constexpr std::array<bool, 256> kPlainChars = [] {
  std::array<bool, 256> t{};
  for (int ch = 0x20; ch < 0x7f; ++ch) t[static_cast<size_t>(ch)] = ch != '"' && ch != '\\';
  return t;
}();

// A plain text cell at p: its characters into *cell, the position after it; nullptr
// for anything else.
const char *plainCell(const char *p, const char *end, const char **begin, qsizetype *size) {
  if (p == end || *p != '"') return nullptr;
  const char *b = ++p;
  while (p != end && kPlainChars[static_cast<unsigned char>(*p)]) ++p;
  if (p == end || *p != '"') return nullptr;
  *begin = b;
  *size = p - b;
  return p + 1;
}

// Long tables repeat a few values (forces, coordinates of 0): equal cells share one
// text instead of each holding a copy. A cell of up to eight characters is looked up
// by its characters packed into one number, in a small table indexed by a
// multiplicative hash: a library hash of a short key costs more than taking the cell
// itself, many times over on processors whose AES instructions are slow. A slot wanted
// by another cell is taken over; longer cells are not shared. The table is kept per
// thread: the cases of a run share their common values too.
class SharedCells {
 public:
  // The cell of n bytes at b, in a text that ends at `end`.
  Q_ALWAYS_INLINE QString text(const char *b, qsizetype n, const char *end) {
    if (n == 0 || n > 8) return QString::fromLatin1(b, n);
    // The cell's bytes as one number (no cell holds a NUL: the key is unique), taken with
    // one load of eight where the text goes on that far (the closing quote at least follows).
    quint64 key = 0;
    if (QSysInfo::ByteOrder == QSysInfo::LittleEndian && end - b >= 8) {
      std::memcpy(&key, b, 8);
      if (n < 8) key &= ~0ull >> (64 - 8 * n);  // the cell's bytes are the low ones
    } else {
      std::memcpy(&key, b, static_cast<size_t>(n));
    }
    const size_t slot = static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> (64 - kBits));
    if (keys_[slot] != key) {
      keys_[slot] = key;
      texts_[slot] = QString::fromLatin1(b, n);
    }
    return texts_[slot];
  }

 private:
  static constexpr int kBits = 7;
  quint64 keys_[1 << kBits] = {};  // 0: empty (no cell of one to eight characters)
  QString texts_[1 << kBits];
};

SharedCells &sharedCells() {
  thread_local SharedCells shared;
  return shared;
}

// The rows of the array at p; the position after it, or nullptr.
const char *plainForceRows(const char *p, const char *end, TextRows *rows) {
  SharedCells &shared = sharedCells();
  if (p == end || *p != '[') return nullptr;
  // Each row ends in a bracket: their count bounds the rows, which are then appended
  // without the list growing step by step.
  qsizetype brackets = 0;
  for (const char *q = p; (q = static_cast<const char *>(std::memchr(q, ']', static_cast<size_t>(end - q)))); ++q)
    ++brackets;
  rows->reserve(rows->size() + brackets);
  p = skipBlanks(p + 1, end);
  if (p != end && *p == ']') return p + 1;
  for (;;) {
    if (p == end || *p != '[') return nullptr;
    // The five cells made in place: one allocation per row.
    QStringList row(5);
    QString *cells = &row[0];
    for (int i = 0; i < 5; ++i) {
      p = skipBlanks(p + (i == 0 ? 1 : 0), end);
      const char *b = nullptr;
      qsizetype n = 0;
      p = plainCell(p, end, &b, &n);
      if (!p) return nullptr;
      if (i == 0) {
        // The labels in the order of directionLabels(), compared as bytes.
        qsizetype label = -1;
        for (size_t l = 0; n == 3 && l < loads::kDirections.size() && label < 0; ++l)
          if (std::memcmp(b, loads::kDirections[l].label, 3) == 0) label = static_cast<qsizetype>(l);
        if (label < 0) return nullptr;
        cells[0] = QString(directionLabels().at(label));
      } else {
        cells[i] = shared.text(b, n, end);
      }
      p = skipBlanks(p, end);
      if (p == end || *p != (i < 4 ? ',' : ']')) return nullptr;
      ++p;
    }
    rows->append(std::move(row));
    p = skipBlanks(p, end);
    if (p != end && *p == ']') return p + 1;
    if (p == end || *p != ',') return nullptr;
    p = skipBlanks(p + 1, end);
  }
}

// A plain text at p into *text; the position after it, or nullptr.
const char *plainText(const char *p, const char *end, QString *text) {
  const char *b = nullptr;
  qsizetype n = 0;
  p = plainCell(p, end, &b, &n);
  if (p) *text = QString::fromLatin1(b, n);
  return p;
}

// A plain text at p that cases repeat (a distance) into *text, shared as the force cells
// are; the position after it, or nullptr.
const char *plainSharedText(const char *p, const char *end, QString *text) {
  const char *b = nullptr;
  qsizetype n = 0;
  p = plainCell(p, end, &b, &n);
  if (p) *text = sharedCells().text(b, n, end);
  return p;
}

// The screen name of a known arrangement at p into *text, one text per arrangement made
// once; the position after it, or nullptr (another text is no arrangement).
const char *plainArrangement(const char *p, const char *end, QString *text) {
  static const QStringList names = [] {
    QStringList all;
    for (const ArrangementInfo &a : arrangements()) all << QString::fromLatin1(a.screenName);
    return all;
  }();
  const char *b = nullptr;
  qsizetype n = 0;
  p = plainCell(p, end, &b, &n);
  if (!p) return nullptr;
  const QVector<ArrangementInfo> &all = arrangements();
  for (qsizetype i = 0; i < all.size(); ++i) {
    const char *name = all[i].screenName;
    if (std::strlen(name) == static_cast<size_t>(n) && std::memcmp(name, b, static_cast<size_t>(n)) == 0) {
      *text = names.at(i);
      return p;
    }
  }
  return nullptr;
}

// The word (a number or true/false) at p when it is `word` and ends there.
const char *plainWord(const char *p, const char *end, std::string_view word) {
  if (static_cast<size_t>(end - p) < word.size() || std::string_view(p, word.size()) != word) return nullptr;
  p += word.size();
  if (p != end && !isBlank(*p) && *p != ',' && *p != '}' && *p != ']') return nullptr;
  return p;
}

// "ticked": "all" or a list of [Serie, Gr] texts.
const char *plainTicked(const char *p, const char *end, Case *c) {
  if (const char *q = plainWord(p, end, "\"all\"")) {
    c->tickAll = true;
    return q;
  }
  if (p == end || *p != '[') return nullptr;
  c->tickAll = false;
  p = skipBlanks(p + 1, end);
  if (p != end && *p == ']') return p + 1;
  for (;;) {
    if (p == end || *p != '[') return nullptr;
    QPair<QString, QString> pair;
    p = plainText(skipBlanks(p + 1, end), end, &pair.first);
    if (!p || (p = skipBlanks(p, end)) == end || *p != ',') return nullptr;
    p = plainText(skipBlanks(p + 1, end), end, &pair.second);
    if (!p || (p = skipBlanks(p, end)) == end || *p != ']') return nullptr;
    c->ticked.append(std::move(pair));
    p = skipBlanks(p + 1, end);
    if (p != end && *p == ']') return p + 1;
    if (p == end || *p != ',') return nullptr;
    p = skipBlanks(p + 1, end);
  }
}

// The value of a known key at p into the case; the position after it, or nullptr.
const char *plainValue(std::string_view key, const char *p, const char *end, Case *c) {
  if (key == "arrangement") return plainArrangement(p, end, &c->arrangement);
  if (key == "m") return plainSharedText(p, end, &c->m);
  if (key == "n") return plainSharedText(p, end, &c->n);
  if (key == "forces") return plainForceRows(p, end, &c->forces);
  if (key == "loadType") {
    for (int type = 0; type <= 2; ++type) {
      const char digit[] = {static_cast<char>('0' + type)};
      if (const char *q = plainWord(p, end, std::string_view(digit, 1))) {
        c->loadType = type;
        return q;
      }
    }
    return nullptr;
  }
  if (key == "ticked") return plainTicked(p, end, c);
  if (key == "format") return plainWord(p, end, "\"tarvelcalc-case\"");
  if (key == "version") return plainWord(p, end, "1");
  if (key == "rigidCheck") {
    for (const bool on : {true, false}) {
      if (const char *q = plainWord(p, end, on ? "true" : "false")) {
        c->unknown.insert(QStringLiteral("rigidCheck"), on);
        return q;
      }
    }
  }
  return nullptr;
}

// The case of a text written the common way (see above); false for any other text.
bool plainCase(const QByteArray &json, Case *c) {
  static_assert(kVersion == 1, "the plain reader takes version 1 only");
  static constexpr std::string_view kPlainKeys[] = {"format", "version", "arrangement", "m", "n",
                                                    "forces", "loadType", "ticked", "rigidCheck"};
  const char *const end = json.constData() + json.size();
  const char *p = skipBlanks(json.constData(), end);
  if (p == end || *p != '{') return false;
  p = skipBlanks(p + 1, end);
  unsigned seen = 0;
  if (p != end && *p == '}') {
    ++p;
  } else {
    for (;;) {
      const char *b = nullptr;
      qsizetype n = 0;
      p = plainCell(p, end, &b, &n);
      if (!p) return false;
      const std::string_view key(b, static_cast<size_t>(n));
      const auto known = std::find(std::begin(kPlainKeys), std::end(kPlainKeys), key);
      const unsigned bit = 1u << (known - std::begin(kPlainKeys));
      if (known == std::end(kPlainKeys) || (seen & bit)) return false;
      seen |= bit;
      p = skipBlanks(p, end);
      if (p == end || *p != ':') return false;
      p = plainValue(key, skipBlanks(p + 1, end), end, c);
      if (!p) return false;
      p = skipBlanks(p, end);
      if (p != end && *p == '}') {
        ++p;
        break;
      }
      if (p == end || *p != ',') return false;
      p = skipBlanks(p + 1, end);
    }
  }
  // The arrangement is read whether or not the object names it: none is refused.
  return (seen & (1u << 2)) && skipBlanks(p, end) == end;
}

// ---- the values ------------------------------------------------------------------------
// What the screens refuse as implausible the file refuses as well, naming the key; a value
// the screens' own checks name (a distance or stroke of 0, a text that is no number) is
// left to them, so the user reads the same message either way.

// The key and the name of the refusal are made only when the value is refused: a case
// may hold tens of thousands of cells, and nearly all of them are taken.
template <class KeyOf, class NameOf>
void checkRangeOf(const QString &text, limits::Quantity q, const KeyOf &keyOf, const NameOf &nameOf) {
  double v = 0.0;
  if (!num::toDouble(text, &v)) return;
  if (q == limits::Quantity::Force) v = std::fabs(v);
  const bool positiveOnly = q != limits::Quantity::Coordinate && q != limits::Quantity::Force;
  if (positiveOnly && !(v > 0.0)) return;
  if (!limits::within(q, v)) refuse(limits::englishRefusal(q, keyOf()), limits::refusal(q, nameOf()));
}

void checkRange(const QString &text, limits::Quantity q, const char *key, int nameId) {
  checkRangeOf(text, q, [key] { return QString::fromLatin1(key); }, [nameId] { return builtinText(nameId); });
}


// The force rows of one table: ranges checked; the rows with a coordinate other than 0
// along the force's own axis are named in *moved, separated by "; " (written straight
// into the one text: a long table names thousands of rows). The text stays as the file
// holds it (the file round-trips unchanged); the calculation takes that coordinate as 0.
void checkForces(const TextRows &rows, const QString &keyPrefix, const QString &namePrefix, QString *moved) {
  for (int r = 0; r < rows.size(); ++r) {
    const QStringList &row = rows[r];
    static const QString noLabel;
    const int own = loads::ownCoordinateColumn(row.isEmpty() ? noLabel : row.at(0));
    for (int col = 1; col < 5 && col < row.size(); ++col) {
      if (col == own) {
        // A number is named unless it is 0; any other text unless it is blank.
        double v = 0.0;
        const bool number = num::toDouble(row[col], &v);
        if (number ? v != 0.0 : !row[col].trimmed().isEmpty()) {
          if (!moved->isEmpty()) moved->append(QLatin1String("; "));
          moved->append(namePrefix);
          char digits[16];
          const auto end = std::to_chars(digits, digits + sizeof digits, r + 1).ptr;
          moved->append(QLatin1String(digits, end - digits));
        }
        continue;
      }
      checkRangeOf(
          row[col], col == 1 ? limits::Quantity::Force : limits::Quantity::Coordinate,
          [&] { return keyPrefix + QStringLiteral("[%1][%2]").arg(r).arg(col); },
          [&] {
            const QString name = builtinText(1518).arg(r + 1).arg(builtinText(515 + col));
            return namePrefix.isEmpty() ? name : namePrefix + name;
          });
    }
  }
}

// text.arg(a), written directly where the text holds one "%1" and no other percent sign
// (the note of moved coordinates is made for nearly every case).
QString withArgument(const QString &text, const QString &a) {
  const qsizetype at = text.indexOf(QLatin1Char('%'));
  const auto endsEscape = [&](qsizetype i) {
    return i == text.size() || (text[i].unicode() < 0x80 && !(text[i] >= u'0' && text[i] <= u'9'));
  };
  const bool plain = at >= 0 && at + 1 < text.size() && text[at + 1] == QLatin1Char('1') && endsEscape(at + 2) &&
                     text.indexOf(QLatin1Char('%'), at + 1) < 0;
  if (!plain) return text.arg(a);
  QString out;
  out.reserve(text.size() - 2 + a.size());
  out.append(QStringView(text).left(at)).append(a).append(QStringView(text).mid(at + 2));
  return out;
}

void checkValues(Case &c) {
  checkRange(c.m, limits::Quantity::Distance, "m", 1516);
  checkRange(c.n, limits::Quantity::Distance, "n", 1517);
  QString moved;
  checkForces(c.forces, QStringLiteral("forces"), QString(), &moved);
  for (int i = 0; i < c.loadCases.size(); ++i)
    checkForces(c.loadCases[i].forces, QStringLiteral("loadCases[%1].forces").arg(i),
                QStringLiteral("„%1“, ").arg(c.loadCases[i].name), &moved);
  if (!moved.isEmpty()) c.notes << withArgument(builtinText(1508), moved);
  if (c.duty) {
    using limits::Quantity;
    checkRange(c.duty->stroke, Quantity::Stroke, "duty.stroke", 1311);
    checkRange(c.duty->cyclesPerMinute, Quantity::CyclesPerMinute, "duty.cyclesPerMinute", 1312);
    checkRange(c.duty->hoursPerDay, Quantity::HoursPerDay, "duty.hoursPerDay", 1313);
    checkRange(c.duty->daysPerYear, Quantity::DaysPerYear, "duty.daysPerYear", 1314);
  }
  if (c.requiredLife)
    checkRange(c.requiredLife->value, limits::Quantity::RequiredLife, "requiredLife.value", 1540);
}

// The case from a JSON text.
bool parseText(const QByteArray &json, Case *out, Error *error) {
  try {
    Case c;
    if (!plainCase(json, &c)) {
      c = Case();
      QJsonParseError perr;
      const QJsonDocument doc = QJsonDocument::fromJson(json, &perr);
      if (perr.error != QJsonParseError::NoError)
        refuse(QStringLiteral("malformed JSON at offset %1: %2").arg(perr.offset).arg(perr.errorString()),
               builtinText(1213).arg(perr.offset).arg(perr.errorString()));
      if (!doc.isObject()) refuse(QStringLiteral("the case must be a JSON object"), builtinText(1214));
      const QJsonObject o = doc.object();
      for (const Key &key : kKeys) key.read(o.value(QLatin1String(key.name)), c);
      for (auto it = o.begin(); it != o.end(); ++it)
        if (!isKnown(it.key())) c.unknown.insert(it.key(), it.value());
    }
    checkValues(c);
    if (out) *out = std::move(c);
    return true;
  } catch (const Refusal &r) {
    if (error) *error = r.error;
    return false;
  }
}

}  // namespace

bool checkValues(Case *c, Error *error) {
  c->notes.clear();
  try {
    checkValues(*c);
    return true;
  } catch (const Refusal &r) {
    if (error) *error = r.error;
    return false;
  }
}

bool parse(const QByteArray &json, Case *out, Error *error) { return parseText(json, out, error); }

bool readFile(const QString &path, Case *out, Error *error) {
  auto fail = [error](const QString &english, const QString &german) {
    if (error) *error = {english, german};
    return false;
  };
  if (!QFileInfo::exists(path))
    return fail(QStringLiteral("case file not found: ") + path, builtinText(1211));
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly) || QFileInfo(path).isDir())
    return fail(QStringLiteral("cannot read the case file ") + path + QStringLiteral(": ") + file.errorString(),
                builtinText(1212).arg(file.errorString()));
  // Read one byte beyond the limit: a pipe or a device tells its size only that way. A
  // case is a few kilobytes; a device or a runaway file must not exhaust the memory.
  const QByteArray bytes = file.read(kMaxBytes + 1);
  if (bytes.size() > kMaxBytes)
    return fail(QStringLiteral("the case file %1 is larger than %2 MiB; a case file is a small JSON object")
                    .arg(path)
                    .arg(kMaxBytes / (1024 * 1024)),
                builtinText(1238).arg(kMaxBytes / (1024 * 1024)));
  Error e;
  if (parse(bytes, out, &e)) return true;
  // The command line names the file in the text; malformed JSON keeps its old wording.
  if (e.english.startsWith(QLatin1String("malformed JSON at")))
    e.english.replace(0, int(sizeof("malformed JSON") - 1), QStringLiteral("malformed JSON in ") + path);
  return fail(e.english, e.german);
}

QByteArray toJson(const Case &c) {
  QJsonObject o = c.unknown;
  for (const Key &key : kKeys) {
    o.remove(QLatin1String(key.name));
    key.write(c, o);
  }
  return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

bool writeFile(const QString &path, const Case &c, QString *error) {
  return files::writeWhole(path, toJson(c), error);
}

Case renotated(const Case &c, const QLocale &from, const QLocale &to) {
  if (num::sameNotation(from, to)) return c;
  Case out = c;
  auto renote = [&](QString &text) { text = num::convertNumber(text, from, to); };
  auto renoteRows = [&](TextRows &rows) {
    for (QStringList &row : rows)
      for (int col = 1; col < row.size(); ++col) renote(row[col]);
  };
  renote(out.m);
  renote(out.n);
  renoteRows(out.forces);
  for (LoadCase &lc : out.loadCases) renoteRows(lc.forces);
  if (out.special)
    for (QString &field : out.special->fields) renote(field);
  if (out.duty)
    for (QString *t : {&out.duty->stroke, &out.duty->cyclesPerMinute, &out.duty->hoursPerDay, &out.duty->daysPerYear})
      renote(*t);
  if (out.requiredLife) renote(out.requiredLife->value);
  if (out.motion) {
    loads::MotionInput &m = *out.motion;
    for (QString *t : {&m.mass, &m.x, &m.y, &m.z, &m.speed, &m.acceleration, &m.deceleration, &m.stroke,
                       &m.processForce, &m.px, &m.py, &m.pz})
      renote(*t);
  }
  return out;
}

bool readDocument(const QString &path, Case *out, Error *error) {
  const QLocale program = num::locale();
  if (num::sameNotation(program, num::fileNotation())) return readFile(path, out, error);
  Case c;
  {
    const num::NotationScope inFile(num::fileNotation());
    if (!readFile(path, &c, error)) return false;
  }
  if (out) *out = renotated(c, num::fileNotation(), program);
  return true;
}

bool writeDocument(const QString &path, const Case &c, QString *error) {
  return writeFile(path, renotated(c, num::locale(), num::fileNotation()), error);
}

QVector<LoadCase> loadCasesOf(const Case &c) {
  if (!c.loadCases.isEmpty()) return c.loadCases;
  LoadCase one;
  one.name = builtinText(1306) + QStringLiteral(" 1");
  one.forces = c.forces;
  return {one};
}

bool tickMatches(const QPair<QString, QString> &ticked, const QStringList &row) {
  const auto &[serie, gr] = ticked;
  if (serie != row.value(0) && serie != row.value(3)) return false;
  if (gr == row.value(1)) return true;
  double a = 0, b = 0;
  return num::toDouble(gr, &a) && num::toDouble(row.value(1), &b) && a == b;
}

bool isTicked(const Case &c, const QStringList &row) {
  if (c.tickAll) return true;
  return std::any_of(c.ticked.begin(), c.ticked.end(), [&](const auto &t) { return tickMatches(t, row); });
}

std::optional<QString> screenRefusal(const Case &c) {
  // The distance fields take digits and the decimal comma only.
  const QChar comma = num::locale().decimalPoint().at(0);
  for (const auto &[name, text] : {std::pair{QStringLiteral("m"), c.m}, std::pair{QStringLiteral("n"), c.n}})
    for (const QChar ch : text)
      if (!ch.isDigit() && ch != comma) return builtinText(1229).arg(name, text);
  // Force, x, y and z are numbers (or empty) as the force dialog takes them.
  for (int r = 0; r < c.forces.size(); ++r)
    for (int col = 1; col < 5; ++col) {
      const QString cell = c.forces[r].value(col);
      if (!cell.trimmed().isEmpty() && !num::toDouble(cell, nullptr))
        return builtinText(1230).arg(r + 1).arg(builtinText(131 + col), cell);
    }
  // The special roller shoe as its editor's "Ok" would check it: its refusal is what the
  // user would have read there.
  if (c.special) {
    msg::Recorder quiet;
    int refused = -1;
    try {
      refused = sonderFirstMissingField(c.special->fields);
    } catch (const AppError &e) {
      return builtinText(1231).arg(e.description());
    }
    if (refused >= 0 && !quiet.messages.isEmpty())
      return builtinText(1231).arg(quiet.messages.first().text);
  }
  return std::nullopt;
}

QString withSuffix(const QString &path, const QString &suffix) {
  // "name." keeps its dot as typed: the user asked for no suffix.
  if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty() || path.endsWith(QLatin1Char('.'))) return path;
  return path + QLatin1Char('.') + suffix;
}

}  // namespace calcfile
