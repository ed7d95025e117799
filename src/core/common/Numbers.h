#pragma once
// Number helpers shared by every part of the program: one rounding rule, one way of
// reading numbers typed by the user or stored as catalogue text, one way of writing them.
#include <QLocale>
#include <cmath>
#include <QString>

enum class Language;

namespace num {

// Decimal rounding to `places` digits, ties to the even neighbour (2.5 -> 2, 3.5 -> 4).
// Inline for the common places: it runs for every shown load, safety and lifetime.
double roundHalfEvenAnyPlaces(double value, int places);
inline double roundHalfEven(double value, int places = 0) {
  // The powers of ten a value is commonly rounded to, exact doubles.
  constexpr double kScales[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12};
  if (places < 0 || places > 12) return roundHalfEvenAnyPlaces(value, places);
  const double scale = kScales[places];
  const double v = value * scale;
  const double a = std::fabs(v);
  // Whole already from 2^52 on; infinite and NaN values the general way.
  if (!(a < 4503599627370496.0)) return roundHalfEvenAnyPlaces(value, places);
  // To the nearest whole number, halves to the even one, whatever rounding mode is in
  // force: the conversion to an integer truncates, and the fraction below 2^52 is exact.
  const auto whole = static_cast<long long>(a);
  double t = static_cast<double>(whole);
  const double fraction = a - t;
  if (fraction > 0.5 || (fraction == 0.5 && (whole & 1))) t += 1.0;
  return std::copysign(t, v) / scale;
}

// The locale used for every conversion between numbers and text. It is the user's
// locale; where the system only offers the plain C locale the program falls back to
// German, since its whole interface is German.
QLocale locale();
// Its name ("de_DE"), kept with it.
const QString &localeName();
void setLocale(const QLocale &loc);
void resetLocale();
// The notation numbers are typed and shown in for an interface language. English:
// English notation (12,345.5). German: the system's own where its decimal separator is
// the comma (as the program always took it), otherwise German (12.345,5): the German
// screens and their messages speak of the decimal comma.
QLocale localeFor(Language language, const QLocale &system = QLocale::system());
// Numbers read and written in `loc` for as long as it lives (a file read in the notation
// it is stored in); the locale in force before comes back after it.
class NotationScope {
 public:
  explicit NotationScope(const QLocale &loc);
  ~NotationScope();
  NotationScope(const NotationScope &) = delete;
  NotationScope &operator=(const NotationScope &) = delete;

 private:
  bool overridden_;
  QLocale before_;
};
// Whether two locales write and read numbers alike (decimal and group separator, signs).
bool sameNotation(const QLocale &a, const QLocale &b);
// The notation of the numbers a calculation file keeps as typed text: German, whatever
// the language of the program that wrote it, so a file reads the same in either.
QLocale fileNotation();

// Text to number in the program's locale, as the user types it or the catalogue stores
// it ("1.500,5" in German). Blanks around the number are ignored; group separators are
// accepted. Returns false for empty or unreadable text.
bool toDouble(const QString &text, double *out);
bool toFloat(const QString &text, float *out);
// A value of the catalogue as the program reads it. A catalogue may hold a number as
// text, written either in the locale's notation or with a decimal point ("42,25" or
// "42.25" in German). Text that the locale reads stays as it is; text that only the
// plain notation reads (an optional sign, digits, one point or comma, digits) is
// rewritten in the locale's notation; anything else (names, order numbers) stays.
QString catalogueText(const QString &text);
// Whether a catalogue value holds a number in either notation.
bool catalogueToDouble(const QString &text, double *out);
// 16-bit integer conversion as the settings need it: the number is rounded half to even
// and must fit into -32768..32767.
bool toInt16(const QString &text, int *out);

// Pattern "##,##0": thousands grouping, no decimals.
QString formatGrouped(double value);
// Pattern "##,##0.0…" with `places` decimals: thousands grouping, the value rounded to
// `places` digits, ties to the even neighbour.
QString formatGrouped(double value, int places);
// Pattern "0": no grouping, no decimals.
QString formatWhole(double value);
// A single-precision value as text: up to 7 significant digits, the locale's decimal
// separator, no grouping (1000.5 -> "1000,5", 0.0167 -> "0,0167").
QString singleToText(float value);
// A double as plain number text with up to 15 significant digits (used where a value
// computed in double precision is shown, e.g. the rounded safety "1,5").
QString doubleToText(double value);

// A number text of the program's locale, with an optional unit after it ("2.000 N",
// "0,8", "-1.200 mm"), written in English notation ("2,000 N", "0.8", "-1,200 mm"):
// the same value, decimals and unit, grouped where the text was grouped. A text that does
// not begin with a number is returned unchanged. For the English report.
QString toEnglishNotation(const QString &text);
// The same for any notation: a number text of `from` (with an optional unit after it)
// written in the notation of `to`. toNotation takes the program's locale as `from`.
QString convertNotation(const QString &text, const QLocale &from, const QLocale &to);
QString toNotation(const QString &text, const QLocale &to);
// A text that is a number of `from` as a whole, written in `to`; any other text (a name
// that begins with digits, an order number) unchanged.
QString convertNumber(const QString &text, const QLocale &from, const QLocale &to);
// A number text of the program's locale as a text in `language` writes it, for what
// chooses its language apart from the interface (the report, its charts): English
// notation for English; for German the program's own notation, or German notation where
// the interface is English.
QString inLanguageNotation(const QString &text, Language language);
// The locale whose notation that is.
QLocale notationOf(Language language);

// The texts of formatGrouped(value), singleToText and doubleToText as UTF-8, written into
// a buffer of kNumberBytes without building a text object: for writers of many numbers
// (the fields of evaluated sizes in the batch tool's JSON). Each returns the end of what
// it wrote.
constexpr int kNumberBytes = 1024;  // the longest of them: 309 digits, their separators and sign
char *writeGrouped(char *out, double value);
char *writeSingle(char *out, float value);
char *writeDouble(char *out, double value);
// writeDouble's text of a value rounded to one decimal ("21,5", "3"), found directly;
// any other value as writeDouble writes it.
char *writeTenths(char *out, double value);

}  // namespace num
