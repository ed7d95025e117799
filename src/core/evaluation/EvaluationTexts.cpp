#include "core/evaluation/EvaluationTexts.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "core/common/Numbers.h"
#include "core/common/Texts.h"
#include "core/evaluation/Evaluation.h"

namespace eval {

namespace {
// The number texts of a row as UTF-8 into a buffer of kNumberBytes: each returns the end
// of what it wrote. The texts of the screens and the report are made from them.
constexpr int kNumberBytes = num::kNumberBytes + 4;  // the number and its unit

template <size_t N>
char *withUnit(char *end, const char (&unit)[N]) {
  return std::copy_n(unit, N - 1, end);
}
char *newtonsUtf8(char *out, double value) { return withUnit(num::writeGrouped(out, value), " N"); }
char *loadUtf8(char *out, const EvaluationRow &row) {
  return newtonsUtf8(out, num::roundHalfEven(row.detail.staticLoad, 0));
}
char *safetyUtf8(char *out, const EvaluationRow &row) { return num::writeTenths(out, safetyShown(row)); }
char *lifeUtf8(char *out, const EvaluationRow &row) {
  return withUnit(num::writeGrouped(out, lifeKmShown(row)), " km");
}

// A text from one of the writers above.
template <class Write, class... Args>
QString text(Write write, Args &&...args) {
  char buf[kNumberBytes];
  const char *end = write(buf, std::forward<Args>(args)...);
  return QString::fromUtf8(buf, end - buf);
}

QString newtons(double value) { return text(newtonsUtf8, value); }

// The ratings Co and C are the catalogue's: the same few values come again in every
// case. Their texts ("11.200 N") are kept per thread by the value's bits, for the locale
// in force. A new locale makes a new name text, and the copy held here keeps the old
// one's memory from being taken by another: the same address is the same locale. A
// change of locale empties the table.
struct KeptRatings {
  struct Entry {
    std::uint32_t bits = 0;
    std::uint8_t size = 0;  // 0: empty (every text has at least " N")
    char text[27];
  };
  static constexpr int kBits = 7;
  std::array<Entry, 1 << kBits> entries{};
  QString locale;
};
thread_local KeptRatings keptRatings;

// The rating written afresh into `buf` and kept where it fits.
Q_NEVER_INLINE std::string_view keepRating(KeptRatings::Entry &k, float value, std::uint32_t bits, char *buf) {
  KeptRatings &kept = keptRatings;
  const QString &locale = num::localeName();
  if (kept.locale.constData() != locale.constData()) {
    for (KeptRatings::Entry &e : kept.entries) e.size = 0;
    kept.locale = locale;
  }
  const auto n = static_cast<size_t>(newtonsUtf8(buf, value) - buf);
  if (n < sizeof k.text) {
    k.bits = bits;
    k.size = static_cast<std::uint8_t>(n);
    std::memcpy(k.text, buf, n);
  }
  return {buf, n};
}

// The text of a rating: the kept one, or written into `buf` (kNumberBytes).
inline std::string_view ratingUtf8(float value, char *buf) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  KeptRatings &kept = keptRatings;
  KeptRatings::Entry &k = kept.entries[(bits * 0x9E3779B1u) >> (32 - KeptRatings::kBits)];
  if (k.size != 0 && k.bits == bits && kept.locale.constData() == num::localeName().constData())
    return {k.text, k.size};
  return keepRating(k, value, bits, buf);
}
}  // namespace

namespace {
QString composeVerdict(Verdict verdict, bool english) {
  // German and English text ids of each part: a collision names what is too close and
  // ends with the collision note; otherwise the safety decides.
  const auto t = [english](int german, int englishId) { return tableText(english ? englishId : german); };
  switch (verdict) {
    case Verdict::None: return QString();
    case Verdict::Sufficient: return t(230, 116);
    case Verdict::TooLow: return t(229, 115);
    case Verdict::UnitsTooClose: return t(225, 111) + t(228, 114);
    case Verdict::RailsTooClose: return t(226, 112) + t(228, 114);
    case Verdict::BothTooClose: return t(225, 111) + t(227, 113) + t(228, 114);
  }
  return QString();
}
}  // namespace

namespace {
// The verdict texts, each made once: the built-in tables do not change while the
// program runs. Handed out by reference to the writers of many rows.
const QString &verdictRef(Verdict verdict, bool english) {
  constexpr int kVerdicts = static_cast<int>(Verdict::BothTooClose) + 1;
  static const std::array<std::array<QString, kVerdicts>, 2> texts = [] {
    std::array<std::array<QString, kVerdicts>, 2> all;
    for (int language = 0; language < 2; ++language)
      for (int v = 0; v < kVerdicts; ++v) all[language][v] = composeVerdict(static_cast<Verdict>(v), language == 1);
    return all;
  }();
  return texts[english ? 1 : 0][static_cast<size_t>(verdict)];
}
}  // namespace

QString verdictText(Verdict verdict, bool english) { return verdictRef(verdict, english); }

QString staticRatingText(const EvaluationRow &row) { return newtons(row.staticRating); }
QString dynamicRatingText(const EvaluationRow &row) { return newtons(row.detail.C); }
QString loadText(const EvaluationRow &row) {
  return text(loadUtf8, row);
}
double safetyShown(const EvaluationRow &row) {
  return num::roundHalfEven(fsngSafety(row.staticRating, row.detail.staticLoad), 1);
}
double lifeKmShown(const EvaluationRow &row) { return num::roundHalfEven(row.detail.lifeKm, 0); }
std::optional<double> lifeHoursShown(const EvaluationRow &row) {
  if (!row.detail.lifeHours) return std::nullopt;
  return num::roundHalfEven(*row.detail.lifeHours, 0);
}
QString safetyText(const EvaluationRow &row) {
  return text(safetyUtf8, row);
}
QString lifeText(const EvaluationRow &row) {
  return text(lifeUtf8, row);
}

QString lifeVerdictText(const EvaluationRow &row, bool english) {
  if (row.blank() || !row.lifeOk) return QString();
  return tableText(*row.lifeOk ? (english ? 1546 : 1545) : (english ? 1544 : 1543));
}

QString sizingLifeText(const EvaluationRow &row) {
  if (row.detail.lifeHours) return num::formatGrouped(num::roundHalfEven(*row.detail.lifeHours, 0)) + QStringLiteral(" h");
  return lifeText(row);
}

namespace {
QString sizedLine(int german, int englishId, const EvaluationRow &row, bool english) {
  return tableText(english ? englishId : german).arg(row.unit, safetyText(row), sizingLifeText(row));
}
}  // namespace

QString recommendationText(const EvaluationRow &row, bool english) { return sizedLine(1547, 1548, row, english); }

QString suggestionText(const EvaluationRow *row, bool english) {
  return row ? sizedLine(1551, 1552, *row, english) : tableText(english ? 1554 : 1553);
}

QString noPassText(const QString &series, bool english) { return tableText(english ? 1550 : 1549).arg(series); }

void writeFields(const EvaluationRow &row, FieldWriter &out) {
  if (row.blank()) {
    for (int k = 0; k < EvaluationRow::kFields; ++k) out.text(QString());
    return;
  }
  out.text(row.unit);
  out.text(row.size);
  out.text(row.orderNo);
  char buf[kNumberBytes];
  for (const float rating : {row.staticRating, row.detail.C}) {
    const std::string_view t = ratingUtf8(rating, buf);
    out.utf8(t.data(), t.data() + t.size());
  }
  out.utf8(buf, loadUtf8(buf, row));
  out.utf8(buf, safetyUtf8(buf, row));
  out.utf8(buf, lifeUtf8(buf, row));
  out.text(verdictRef(row.verdict, false));
  out.text(verdictRef(row.verdict, true));
}

QStringList fields(const EvaluationRow &row) {
  struct : FieldWriter {
    QStringList texts;
    void text(const QString &s) override { texts << s; }
    void utf8(const char *begin, const char *end) override { texts << QString::fromUtf8(begin, end - begin); }
  } list;
  list.texts.reserve(EvaluationRow::kFields);
  writeFields(row, list);
  return list.texts;
}

QStringList extraTexts(const EvaluationRow &row, const QVector<int> &extraHead) {
  QStringList out;
  const EvaluationDetail &d = row.detail;
  for (const int id : extraHead) {
    if (row.blank()) {
      out << QString();
    } else if (id == 1300) {
      out << newtons(num::roundHalfEven(d.equivalentLoad, 0));
    } else if (id == 1301) {
      const std::optional<double> hours = lifeHoursShown(row);
      out << (hours ? num::formatGrouped(*hours) : QString());
    } else if (id == 1302) {
      // A life of a few years shows its tenths (1 068 h at 16 h on 250 days is 0,3
      // years, not 0); from 10 years on whole years say enough.
      out << (!d.lifeYears ? QString()
              : *d.lifeYears < 10.0 ? num::formatGrouped(*d.lifeYears, 1)
                                    : num::formatGrouped(num::roundHalfEven(*d.lifeYears, 0)));
    } else {
      out << QString();
    }
  }
  return out;
}

TextRows fieldRows(const QVector<EvaluationRow> &rows) {
  TextRows out;
  out.reserve(rows.size());
  for (const EvaluationRow &r : rows) out << fields(r);
  return out;
}

bool fails(const EvaluationRow &row) { return !row.blank() && row.verdict != Verdict::Sufficient; }

}  // namespace eval
