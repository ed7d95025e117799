#include "batch/BatchRun.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <atomic>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <stdexcept>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "core/catalogue/StartSession.h"
#include "core/common/Messages.h"
#include "core/common/Numbers.h"
#include "core/common/Texts.h"
#include "batch/ReportLayer.h"
#include "core/evaluation/EvaluationTexts.h"
#include "core/evaluation/Sizing.h"

namespace batch {

// ---------------------------------------------------------------- messages
namespace {
std::atomic<Language> gMessageLanguage{Language::English};
}  // namespace

void setMessageLanguage(Language language) { gMessageLanguage = language; }

QString message(int id) { return builtinText(id, gMessageLanguage); }

// ---------------------------------------------------------------- case reading
namespace {
bool completeCase(Case *c, QString *error, Language language) {
  c->arrangement = arrangementByScreen(c->file.arrangement);
  // A new screen's table holds one empty row.
  if (c->file.forces.isEmpty()) c->file.forces.append(QStringList(5));
  // "rigidCheck" is the batch tool's own key; the screens keep it as they keep any key
  // they do not use.
  const QJsonValue rc = c->file.unknown.value(QStringLiteral("rigidCheck"));
  if (!rc.isUndefined() && !rc.isBool()) {
    *error = builtinText(1843, language);
    return false;
  }
  c->rigidCheck = rc.toBool(true);
  return true;
}
}  // namespace

bool caseFromJson(const QByteArray &json, Case *out, QString *error) {
  calcfile::Error e;
  if (!calcfile::parse(json, &out->file, &e)) {
    *error = e.english;
    return false;
  }
  return completeCase(out, error, Language::English);
}

bool caseFromFile(const QString &path, Case *out, QString *error) {
  const Language language = gMessageLanguage;
  calcfile::Error e;
  if (!calcfile::readFile(path, &out->file, &e)) {
    // The German text is the screens' (their message names the file around it).
    *error = language == Language::English ? e.english : path + QStringLiteral(": ") + e.german;
    return false;
  }
  return completeCase(out, error, language);
}

// ---------------------------------------------------------------- the run
Start startOn(const std::shared_ptr<catalogue::Catalogue> &catalogue) {
  Start start;
  msg::Recorder recorder;
  try {
    startSession(start.session, {catalogue});
  } catch (const msg::ProgramEnded &) {
    start.ended = true;
  }
  start.messages = recorder.messages;
  return start;
}

namespace {

Report calculateAndEvaluate(Session &s, const Case &c, bool printForces, QStringList &notes) {
  Report r;
  static_cast<run::Result &>(r) =
      run::calculateCase(s, c.file, *c.arrangement, {c.rigidCheck, printForces}, kExitEnded);
  for (const QPair<QString, QString> &t : r.unmatchedTicks) notes << message(1844).arg(t.first, t.second);
  return r;
}

}  // namespace

Outcome runCase(Session &s, const Case &c, const Options &options, msg::Recorder &recorder) {
  Outcome o;
  try {
    o.report = calculateAndEvaluate(s, c, options.wantExport || !options.reportLanguage.isEmpty(), o.notes);
    if (o.report.evaluationRefused) {
      // No verdict without a required safety: the messages tell why, and nothing is
      // exported, reported or printed over a safety of 0.
      o.status = Status::NoVerdict;
    } else {
      if (options.wantExport || !options.reportLanguage.isEmpty()) {
        // The tool loads the layer before the first case and refuses to run without it.
        QString error;
        const ReportLayer *layer = reportLayer(&error);
        if (!layer) throw std::runtime_error("the report layer cannot be loaded: " + error.toStdString());
        if (options.wantExport) o.report.exportText = layer->exportText(s);
        if (!options.reportLanguage.isEmpty())
          o.report.reportText = layer->reportText(s, options.reportLanguage == QLatin1String("en"));
      }
    }
  } catch (const msg::ProgramEnded &) {
    // The program ends itself after a database error: what the user read, and no more.
    o.status = Status::Ended;
    o.report = Report();
    o.report.calcFailed = true;
  } catch (const std::exception &e) {
    o.status = Status::Unexpected;
    o.unexpected = QString::fromUtf8(e.what());
  }
  o.messages = recorder.messages;
  return o;
}

Outcome runCase(const Start &start, const Case &c, const Options &options) {
  msg::Recorder recorder;
  recorder.messages = start.messages;
  if (start.ended) {
    Outcome o;
    o.status = Status::Ended;
    o.report.calcFailed = true;
    o.messages = recorder.messages;
    return o;
  }
  Session s = start.session;
  return runCase(s, c, options, recorder);
}

// ---------------------------------------------------------------- JSON writing
namespace {

// n bytes from p to d. Most pieces of the JSON are a few bytes long ("true", ",", a
// cached list of numbers), and a call of memcpy for each would cost more than the copy:
// up to sixteen bytes are copied by two fixed-size moves that may overlap.
inline void copyShort(char *d, const char *p, size_t n) {  // n <= 16
  if (n >= 8) {
    std::memcpy(d, p, 8);
    std::memcpy(d + n - 8, p + n - 8, 8);
  } else if (n >= 4) {
    std::memcpy(d, p, 4);
    std::memcpy(d + n - 4, p + n - 4, 4);
  } else if (n > 0) {
    d[0] = p[0];
    d[n / 2] = p[n / 2];
    d[n - 1] = p[n - 1];
  }
}
inline void copyBytes(char *d, const char *p, size_t n) {
  if (n <= 16) copyShort(d, p, n);
  else std::memcpy(d, p, n);
}

// The JSON is written through a pointer into room made beforehand: a piece of a known
// largest size (a key, a number, a text of n characters in at most 6n bytes) gets its
// room first and is then written without a check per byte. The string grows in large
// steps and is cut to what was written when the writer is done.
class Out {
 public:
  explicit Out(std::string &s) : s_(s), at_(s.data() + s.size()), end_(at_) {}
  Out(const Out &) = delete;
  Out &operator=(const Out &) = delete;
  ~Out() { s_.resize(size()); }

  // Room for n bytes; what was written into it is taken with wrote().
  char *room(size_t n) {
    if (static_cast<size_t>(end_ - at_) < n) grow(n);
    return at_;
  }
  void wrote(char *end) { at_ = end; }
  void put(const char *p, size_t n) {
    char *d = room(n);
    copyBytes(d, p, n);
    wrote(d + n);
  }
  void put(std::string_view text) { put(text.data(), text.size()); }
  void put(char c) {
    char *d = room(1);
    *d = c;
    at_ = d + 1;
  }
  // n bytes written before, at `at`, written again.
  void putFrom(size_t at, size_t n) {
    char *d = room(n);  // first: the room may move what was written
    copyBytes(d, s_.data() + at, n);
    wrote(d + n);
  }
  size_t size() const { return static_cast<size_t>(at_ - s_.data()); }
  std::string_view since(size_t at) const { return {s_.data() + at, size() - at}; }

 private:
  // Out of line: the rare case, so that room() stays small enough to be inlined.
  [[gnu::noinline]] void grow(size_t n) {
    const size_t used = size();
    s_.resize(used + std::max<size_t>(n, 8192));
    at_ = s_.data() + used;
    end_ = s_.data() + s_.size();
  }

  std::string &s_;
  char *at_, *end_;  // the end of what was written, and of the room
};

// An ASCII character inside a JSON text as QJsonDocument writes it: itself, or its
// escape. Returns the end; room for six bytes ("\u001f").
inline char *asciiEscaped(char *d, char16_t u) {
  if (u >= 0x20 && u != '"' && u != '\\') {
    *d++ = static_cast<char>(u);
    return d;
  }
  static const char hex[] = "0123456789abcdef";
  *d++ = '\\';
  switch (u) {
    case '"': *d++ = '"'; break;
    case '\\': *d++ = '\\'; break;
    case 0x8: *d++ = 'b'; break;
    case 0xc: *d++ = 'f'; break;
    case 0xa: *d++ = 'n'; break;
    case 0xd: *d++ = 'r'; break;
    case 0x9: *d++ = 't'; break;
    default:
      *d++ = 'u';
      *d++ = '0';
      *d++ = '0';
      *d++ = hex[u >> 4];
      *d++ = hex[u & 0xf];
  }
  return d;
}

// A text in quotes, as QJsonDocument writes it: printable ASCII, control characters and
// whole UTF-16 characters are written here; a lone surrogate goes the library's way.
void quotedAnew(Out &o, const QString &s) {
  const char16_t *p = reinterpret_cast<const char16_t *>(s.constData());
  const char16_t *const end = p + s.size();
  char *const start = o.room(6 * static_cast<size_t>(s.size()) + 2);
  char *d = start;
  *d++ = '"';
  while (p != end) {
    const char16_t u = *p++;
    if (u < 0x80) {
      d = asciiEscaped(d, u);
    } else if (u < 0x800) {
      *d++ = static_cast<char>(0xc0 | (u >> 6));
      *d++ = static_cast<char>(0x80 | (u & 0x3f));
    } else if (u < 0xd800 || u > 0xdfff) {
      *d++ = static_cast<char>(0xe0 | (u >> 12));
      *d++ = static_cast<char>(0x80 | ((u >> 6) & 0x3f));
      *d++ = static_cast<char>(0x80 | (u & 0x3f));
    } else if (u < 0xdc00 && p != end && *p >= 0xdc00 && *p <= 0xdfff) {
      const char32_t c = 0x10000 + ((static_cast<char32_t>(u) - 0xd800) << 10) + (*p++ - 0xdc00);
      *d++ = static_cast<char>(0xf0 | (c >> 18));
      *d++ = static_cast<char>(0x80 | ((c >> 12) & 0x3f));
      *d++ = static_cast<char>(0x80 | ((c >> 6) & 0x3f));
      *d++ = static_cast<char>(0x80 | (c & 0x3f));
    } else {
      const QByteArray a = QJsonDocument(QJsonArray{s}).toJson(QJsonDocument::Compact);
      o.wrote(start);
      o.put(a.constData() + 1, static_cast<size_t>(a.size() - 2));
      return;
    }
  }
  *d++ = '"';
  o.wrote(d);
}

// Most texts of a run are short and plain (series, sizes, units, order numbers, loads,
// verdicts): printable ASCII without a quote or a backslash, written as they are, one
// byte per character. They are tested and narrowed eight characters (sixteen bytes of
// UTF-8) at a time; a text with anything else goes the escaping way.
inline bool plainAscii(char16_t u) { return u >= 0x20 && u < 0x80 && u != '"' && u != '\\'; }

#ifdef __SSE2__
// UTF-16 characters in the lanes of v: is any of them not plain?
inline bool anyNotPlain(__m128i v) {
  const __m128i low = _mm_cmplt_epi16(v, _mm_set1_epi16(0x20));  // below 0x20, or 0x8000 and up
  const __m128i high = _mm_cmpgt_epi16(v, _mm_set1_epi16(0x7f));
  const __m128i quote = _mm_cmpeq_epi16(v, _mm_set1_epi16('"'));
  const __m128i backslash = _mm_cmpeq_epi16(v, _mm_set1_epi16('\\'));
  return _mm_movemask_epi8(_mm_or_si128(_mm_or_si128(low, high), _mm_or_si128(quote, backslash))) != 0;
}

// Bytes of UTF-8 in the lanes of v: does any of them need an escape?
inline bool anyToEscape(__m128i v) {
  const __m128i control = _mm_cmpeq_epi8(_mm_min_epu8(v, _mm_set1_epi8(0x1f)), v);
  const __m128i quote = _mm_cmpeq_epi8(v, _mm_set1_epi8('"'));
  const __m128i backslash = _mm_cmpeq_epi8(v, _mm_set1_epi8('\\'));
  return _mm_movemask_epi8(_mm_or_si128(control, _mm_or_si128(quote, backslash))) != 0;
}

inline __m128i load16(const void *p) { return _mm_loadu_si128(static_cast<const __m128i *>(p)); }
inline __m128i load8(const void *p) { return _mm_loadl_epi64(static_cast<const __m128i *>(p)); }
inline __m128i load4(const void *p) {
  std::int32_t v;
  std::memcpy(&v, p, 4);
  return _mm_cvtsi32_si128(v);
}
inline void store8(void *d, __m128i v) { _mm_storel_epi64(static_cast<__m128i *>(d), v); }
inline void store4(void *d, __m128i v) {
  const std::int32_t x = _mm_cvtsi128_si32(v);
  std::memcpy(d, &x, 4);
}
#endif

// The n characters at p as bytes at d when all are plain. Whole blocks of eight, then
// the rest as one block that overlaps the last whole one (or, in a text shorter than
// eight, as two halves that overlap), so that nothing beyond the text is read and no
// block is put together in memory first.
bool narrowPlain(const char16_t *p, size_t n, char *d) {
#ifdef __SSE2__
  if (n >= 8) {
    for (size_t i = 0; i + 8 <= n; i += 8) {
      const __m128i v = load16(p + i);
      if (anyNotPlain(v)) return false;
      store8(d + i, _mm_packus_epi16(v, v));
    }
    if (n % 8) {
      const __m128i v = load16(p + n - 8);
      if (anyNotPlain(v)) return false;
      store8(d + n - 8, _mm_packus_epi16(v, v));
    }
    return true;
  }
  if (n >= 4) {  // characters 0-3 and n-4 to n-1
    const __m128i v = _mm_unpacklo_epi64(load8(p), load8(p + n - 4));
    if (anyNotPlain(v)) return false;
    const __m128i bytes = _mm_packus_epi16(v, v);
    store4(d, bytes);
    store4(d + n - 4, _mm_srli_si128(bytes, 4));
    return true;
  }
#endif
  for (size_t i = 0; i < n; ++i) {
    if (!plainAscii(p[i])) return false;
    d[i] = static_cast<char>(p[i]);
  }
  return true;
}

// The n bytes at p copied to d when none needs an escape; blocks as above.
bool copyUnescaped(const char *p, size_t n, char *d) {
#ifdef __SSE2__
  if (n >= 16) {
    for (size_t i = 0; i + 16 <= n; i += 16) {
      const __m128i v = load16(p + i);
      if (anyToEscape(v)) return false;
      _mm_storeu_si128(reinterpret_cast<__m128i *>(d + i), v);
    }
    if (n % 16) {
      const __m128i v = load16(p + n - 16);
      if (anyToEscape(v)) return false;
      _mm_storeu_si128(reinterpret_cast<__m128i *>(d + n - 16), v);
    }
    return true;
  }
  if (n >= 8) {  // bytes 0-7 and n-8 to n-1
    const __m128i a = load8(p), b = load8(p + n - 8);
    if (anyToEscape(_mm_unpacklo_epi64(a, b))) return false;
    store8(d, a);
    store8(d + n - 8, b);
    return true;
  }
  if (n >= 4) {
    const __m128i a = load4(p), b = load4(p + n - 4);
    const __m128i both = _mm_unpacklo_epi32(a, b);  // and again, so that no lane is empty
    if (anyToEscape(_mm_unpacklo_epi64(both, both))) return false;
    store4(d, a);
    store4(d + n - 4, b);
    return true;
  }
#endif
  for (size_t i = 0; i < n; ++i) {
    const auto byte = static_cast<unsigned char>(p[i]);
    if (byte < 0x80 && !plainAscii(byte)) return false;
    d[i] = p[i];
  }
  return true;
}

void quoted(Out &o, const QString &s) {
  const size_t n = static_cast<size_t>(s.size());
  char *const d = o.room(n + 2);
  if (!narrowPlain(reinterpret_cast<const char16_t *>(s.constData()), n, d + 1)) {
    quotedAnew(o, s);
    return;
  }
  d[0] = '"';
  d[n + 1] = '"';
  o.wrote(d + n + 2);
}

// The same of a text in UTF-8.
void quotedUtf8(Out &o, const char *begin, const char *end) {
  const auto n = static_cast<size_t>(end - begin);
  char *d = o.room(6 * n + 2);
  if (copyUnescaped(begin, n, d + 1)) {
    d[0] = '"';
    d[n + 1] = '"';
    o.wrote(d + n + 2);
    return;
  }
  *d++ = '"';
  for (const char *p = begin; p != end; ++p) {
    const auto byte = static_cast<unsigned char>(*p);
    // Bytes of characters beyond ASCII are copied as they are.
    if (byte >= 0x80 || plainAscii(byte)) *d++ = *p;
    else d = asciiEscaped(d, byte);
  }
  *d++ = '"';
  o.wrote(d);
}

// The shortest text of a value from 1 to 10^7 with a fraction, as std::to_chars gives
// it: the fewest decimals k whose nearest number n / 10^k still reads back as v, in
// plain notation (never longer than the exponent form there). In whole numbers: v is
// m / 2^q (m of 24 bits, q from 1 to 23), so v * 10^k is m * 10^k (below 2^54) in units
// of 2^-q, and the values that read back as v lie within half a unit of the last place,
// 10^k / 2 in those units. Writes into d (room for 32 characters) and returns the end,
// or nullptr where the general routine must decide: a value outside the range, a whole
// value (from 2^23 on every value is one), a tie between two candidates.
char *shortestFixed(float v, char *d) {
  std::uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  const int biased = static_cast<int>((bits >> 23) & 0xffu);
  const int q = 150 - biased;  // v = m / 2^q
  const std::uint32_t fraction = bits & 0x7fffffu;
  // From 1 to 2^23 with bits below the point; a power of two (no fraction bits) is whole.
  if (q < 1 || q > 23 || fraction == 0 || std::fabs(v) >= 1e7f) return nullptr;
  const std::uint64_t m = fraction | 0x800000u;
  if ((m & ((std::uint64_t{1} << q) - 1)) == 0) return nullptr;  // whole
  const bool even = (m & 1u) == 0;  // the bounds themselves read back as v
  const std::uint64_t unitMask = (std::uint64_t{1} << q) - 1, half = std::uint64_t{1} << (q - 1);
  std::uint64_t scaled = m, scale = 1;  // m * 10^k, 10^k
  for (int k = 1; k <= 9; ++k) {
    scaled *= 10;
    scale *= 10;
    const std::uint64_t rest = scaled & unitMask;
    if (rest == half) return nullptr;  // halfway between two: the general routine decides
    // The nearest n and its distance from v * 10^k, both in units of 2^-q.
    const bool up = rest > half;
    const std::uint64_t dist = up ? unitMask + 1 - rest : rest;
    if (!(2 * dist < scale || (2 * dist == scale && even))) continue;
    const std::uint64_t n = (scaled >> q) + (up ? 1 : 0);
    if (n < scale) return nullptr;  // below 1 after rounding: not this form
    // n = whole part and k decimals. The whole part is v's own, or one more where the
    // decimals round up to the next whole number; both are written straight into the
    // output (a piece put together in a buffer and read back at once waits for its
    // bytes to arrive).
    std::uint64_t whole = m >> q, decimals = n - whole * scale;
    if (decimals >= scale) {
      ++whole;
      decimals -= scale;
    }
    static const char kPairs[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";
    if (v < 0) *d++ = '-';
    d = std::to_chars(d, d + 16, static_cast<std::uint32_t>(whole)).ptr;
    *d++ = '.';
    char *const end = d + k;
    auto f = static_cast<std::uint32_t>(decimals);  // below 10^9
    char *p = end;
    int left = k;
    for (; left >= 2; left -= 2, f /= 100) {
      p -= 2;
      std::memcpy(p, kPairs + 2 * (f % 100), 2);
    }
    if (left) *--p = static_cast<char>('0' + f);
    return end;
  }
  return nullptr;
}

// A whole number of up to five digits: its own shortest form, written at once.
inline bool smallWhole(float v) { return std::fabs(v) < 100000.0f && v == static_cast<float>(static_cast<int>(v)); }

void number(Out &o, float v) {
  if (!std::isfinite(v)) {
    o.put("null");
    return;
  }
  char *const d = o.room(32);
  char *e = nullptr;
  // A whole number of up to five digits is its own shortest form (the exponent form,
  // "1e+04", is never shorter; a tie goes to the plain one). Negative zero keeps its
  // sign through the general routine. The general routine searches the shortest digits
  // in every case, at several times the cost of the common ones written here.
  if (smallWhole(v)) {
    if (!(v == 0.0f && std::signbit(v))) e = std::to_chars(d, d + 32, static_cast<int>(v)).ptr;
  } else {
    e = shortestFixed(v, d);
  }
  if (!e) e = std::to_chars(d, d + 32, v).ptr;
  o.wrote(e);
}

// The texts of the values written so far in one case, by the value's bits: the loads
// of a case repeat from row to row (the sizes of a series that share their geometry
// carry the same loads), and a text written once is copied from where it stands in the
// output. One case only: nothing is kept from one case to the next.
struct NumberMemo {
  static constexpr int kBits = 7;
  std::array<std::uint32_t, 1 << kBits> bits{};  // 0 (the value +0) never enters
  std::array<std::uint32_t, 1 << kBits> size{};
  std::array<size_t, 1 << kBits> at{};
};

void number(Out &o, float v, NumberMemo &memo) {
  if (smallWhole(v) || !std::isfinite(v)) {
    number(o, v);
    return;
  }
  std::uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  const auto slot = static_cast<size_t>((bits * 0x9E3779B1u) >> (32 - NumberMemo::kBits));
  if (memo.bits[slot] == bits) {
    o.putFrom(memo.at[slot], memo.size[slot]);
    return;
  }
  const size_t at = o.size();
  number(o, v);
  memo.bits[slot] = bits;
  memo.at[slot] = at;
  memo.size[slot] = static_cast<std::uint32_t>(o.size() - at);
}

// The layout of the two forms: the single case's, with line breaks, blanks after
// separators and one row per line, and the compact one.
struct Writer {
  Out &out;
  bool pretty;
  NumberMemo memo = {};

  template <size_t N>
  void key(const char (&name)[N]) {
    char *d = out.room(N + 3);
    *d++ = '"';
    d = std::copy_n(name, N - 1, d);
    *d++ = '"';
    *d++ = ':';
    if (pretty) *d++ = ' ';
    out.wrote(d);
  }
  void sep() {
    char *d = out.room(2);
    *d++ = ',';
    if (pretty) *d++ = ' ';
    out.wrote(d);
  }
  // sep() and key() in one.
  template <size_t N>
  void nextKey(const char (&name)[N]) {
    char *d = out.room(N + 5);
    *d++ = ',';
    if (pretty) *d++ = ' ';
    *d++ = '"';
    d = std::copy_n(name, N - 1, d);
    *d++ = '"';
    *d++ = ':';
    if (pretty) *d++ = ' ';
    out.wrote(d);
  }
  // Before the i-th row of a list (indented by four) and after its last one.
  void rowStart(int i) {
    if (!pretty) {
      if (i) out.put(',');
      return;
    }
    out.put(i ? std::string_view(",\n    ") : std::string_view("\n    "));
  }
  void listEnd(bool empty) { out.put(!pretty || empty ? std::string_view("]") : std::string_view("\n  ]")); }
  // Before the next top-level key.
  void next() { out.put(pretty ? std::string_view(",\n  ") : std::string_view(",")); }
  void flag(bool on) { out.put(on ? std::string_view("true") : std::string_view("false")); }
  void numbers(const float *v, int n) {
    out.put('[');
    for (int k = 0; k < n; ++k) {
      if (k) sep();
      number(out, v[k], memo);
    }
    out.put(']');
  }
  // Five values whose text was written just before (`text`, of `before`) are written
  // again from it when they are the same: the rated loads are the model's on most rows.
  void sameOrNumbers(const std::array<float, 5> &values, const std::array<float, 5> *before,
                     const std::string &text) {
    if (before && std::memcmp(values.data(), before->data(), sizeof values) == 0) out.put(text);
    else numbers(values.data(), 5);
  }
};

// The fields of an evaluated size, one JSON text after the other.
struct FieldTexts final : eval::FieldWriter {
  explicit FieldTexts(Writer &writer) : w(writer) {}
  Writer &w;
  bool first = true;

  void next() {
    if (!first) w.sep();
    first = false;
  }
  void text(const QString &s) override {
    next();
    quoted(w.out, s);
  }
  void utf8(const char *begin, const char *end) override {
    next();
    quotedUtf8(w.out, begin, end);
  }
};

}  // namespace

void appendQuoted(std::string &out, const QString &s) {
  Out o(out);
  quoted(o, s);
}

void appendQuotedUtf8(std::string &out, std::string_view utf8) {
  Out o(out);
  quotedUtf8(o, utf8.data(), utf8.data() + utf8.size());
}

void appendNumber(std::string &out, float v) {
  Out o(out);
  number(o, v);
}

void appendJson(std::string &out, const Report &r, const QVector<msg::Message> &messages, bool pretty,
                std::string_view leadingKeys) {
  Out o(out);
  Writer w{o, pretty};
  o.put(pretty ? std::string_view("{\n  ") : std::string_view("{"));
  o.put(leadingKeys);
  w.key("calcFailed");
  w.flag(r.calcFailed);
  w.next();
  w.key("messages");
  o.put('[');
  for (int i = 0; i < messages.size(); ++i) {
    w.rowStart(i);
    o.put('{');
    w.key("title");
    quoted(o, messages[i].title);
    w.nextKey("text");
    quoted(o, messages[i].text);
    o.put('}');
  }
  w.listEnd(messages.isEmpty());
  w.next();
  w.key("unitDistance");
  number(o, r.unitDistance);
  w.next();
  w.key("railDistance");
  number(o, r.railDistance);
  w.next();
  w.key("results");
  o.put('[');
  std::string loadsText;
  for (int i = 0; i < r.results.size(); ++i) {
    const ResultRow &row = r.results[i];
    w.rowStart(i);
    o.put('{');
    w.key("serie");
    quoted(o, row.serie);
    w.nextKey("gr");
    quoted(o, row.size);
    w.nextKey("load");
    quoted(o, row.load);
    w.nextKey("unit");
    quoted(o, row.unit);
    w.nextKey("loads");
    const size_t loadsAt = o.size();
    if (row.loads) w.numbers(row.loads->data(), 5);
    else o.put("[]");
    loadsText.assign(o.since(loadsAt));
    if (row.caseLoads.size() > 1) {
      w.nextKey("caseLoads");
      o.put('[');
      for (int k = 0; k < row.caseLoads.size(); ++k) {
        if (k) w.sep();
        w.numbers(row.caseLoads[k].data(), 5);
      }
      o.put(']');
    }
    // The rigid-plate check of the row: the model's five values, the check's (null
    // where there is none) and which of the two is rated.
    w.nextKey("modelLoads");
    if (row.modelLoads) w.sameOrNumbers(*row.modelLoads, row.loads ? &*row.loads : nullptr, loadsText);
    else o.put("null");
    w.nextKey("checkLoads");
    if (row.checkLoads) w.numbers(row.checkLoads->data(), 5);
    else o.put("null");
    w.nextKey("governs");
    o.put(row.byCheck ? std::string_view("\"check\"") : std::string_view("\"model\""));
    o.put('}');
  }
  w.listEnd(r.results.isEmpty());
  w.next();
  w.key("evaluation");
  o.put('[');
  for (int i = 0; i < r.evaluation.size(); ++i) {
    w.rowStart(i);
    o.put('[');
    FieldTexts texts(w);
    eval::writeFields(r.evaluation[i], texts);
    o.put(']');
  }
  w.listEnd(r.evaluation.isEmpty());
  if (r.withDetails && !r.evaluation.isEmpty()) {
    const auto optional = [&o](const std::optional<double> &v) {
      if (v) number(o, static_cast<float>(*v));
      else o.put("null");
    };
    w.next();
    w.key("details");
    o.put('[');
    for (int i = 0; i < r.evaluation.size(); ++i) {
      const EvaluationDetail &d = r.evaluation[i].detail;
      w.rowStart(i);
      o.put('{');
      w.key("staticLoad");
      number(o, d.staticLoad);
      w.nextKey("equivalentLoad");
      number(o, d.equivalentLoad);
      w.nextKey("lifeKm");
      number(o, d.lifeKm);
      w.nextKey("lifeHours");
      optional(d.lifeHours);
      w.nextKey("lifeYears");
      optional(d.lifeYears);
      o.put('}');
    }
    w.listEnd(false);
  }
  // Which sizes pass every check, the smallest passing size of each series and the
  // overall suggestion.
  {
    const eval::Sizing sizing = eval::chooseSizes(r.evaluation);
    w.next();
    w.key("sizing");
    o.put('[');
    for (int i = 0; i < r.evaluation.size(); ++i) {
      const EvaluationRow &row = r.evaluation[i];
      const eval::SizingRow &z = sizing.rows[i];
      w.rowStart(i);
      // The blank row of an evaluation without ticked sizes is no size.
      if (row.blank()) {
        o.put("null");
        continue;
      }
      o.put('{');
      w.key("unit");
      quoted(o, row.unit);
      w.nextKey("gr");
      quoted(o, row.size);
      w.nextKey("safetyOk");
      w.flag(z.safetyOk);
      w.nextKey("lifeOk");
      if (z.lifeOk) w.flag(*z.lifeOk);
      else o.put("null");
      w.nextKey("passes");
      w.flag(z.passes);
      w.nextKey("recommended");
      w.flag(z.recommended);
      o.put('}');
    }
    w.listEnd(r.evaluation.isEmpty());
    w.next();
    w.key("suggestion");
    if (sizing.suggestion >= 0) {
      const EvaluationRow &best = r.evaluation[sizing.suggestion];
      o.put('{');
      w.key("unit");
      quoted(o, best.unit);
      w.nextKey("gr");
      quoted(o, best.size);
      o.put('}');
    } else {
      o.put("null");
    }
  }
  if (r.exportText) {
    w.next();
    w.key("export");
    quoted(o, *r.exportText);
  }
  if (r.reportText) {
    w.next();
    w.key("report");
    quoted(o, *r.reportText);
  }
  o.put(pretty ? std::string_view("\n}\n") : std::string_view("}"));
}

}  // namespace batch
