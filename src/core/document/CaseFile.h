#pragma once
// A calculation as a file (".tcalc"): the input of one calculation as the screens hold
// it, in the JSON form the batch tool reads as its case. One model serves both: the
// batch tool parses its case through it, the screens save and open calculation files
// with it. docs/calculation-file.md describes the format, docs/calculation-file.schema.json
// is its JSON Schema.
//
// Keys this program does not know are kept in `unknown` and written back on saving, so a
// file made by a later version loses nothing when an earlier one saves it again.
#include <QByteArray>
#include <QJsonObject>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

#include "core/common/Session.h"
#include "core/loads/LoadCaseJson.h"
#include "core/loads/Motion.h"

namespace calcfile {

inline constexpr char kFormat[] = "tarvelcalc-case";
inline constexpr int kVersion = 1;
inline constexpr char kSuffix[] = "tcalc";
inline constexpr qint64 kMaxBytes = 16 * 1024 * 1024;  // the largest case file read

// The special roller shoe as entered in its editor.
struct SpecialShoe {
  QStringList fields;     // the 24 data fields
  int bearingsIndex = 0;  // list index of "4", "6", "8"
  QString type = QStringLiteral("N");  // "N" needle, "K" ball bearings

  bool operator==(const SpecialShoe &o) const = default;
};

struct Case {
  QString arrangement;  // screen name of the arrangement, "FrmVKaZDSch"
  QString m, n;         // distance fields as typed; empty when absent
  TextRows forces;      // force table rows as typed: direction, force, x, y, z
  int loadType = 0;     // 0 ruhend, 1 schwellend, 2 wechselnd
  bool tickAll = true;  // "ticked": "all" (also when the key is absent)
  QVector<QPair<QString, QString>> ticked;  // otherwise: Serie (or unit series), Gr
  std::optional<SpecialShoe> special;
  std::optional<QStringList> comments;  // the six comment lines of the report
  // Several load cases ("loadCases", in place of "forces"); empty for one force table.
  QVector<LoadCase> loadCases;
  std::optional<loads::DutyTexts> duty;  // the evaluation screen's group "Betrieb"
  std::optional<loads::RequiredLifeTexts> requiredLife;  // "requiredLife": {"value", "unit"}
  // The motion the load cases were made from (the motion dialog's fields as typed).
  std::optional<loads::MotionInput> motion;
  QJsonObject unknown;                  // keys of other programs or later versions
  // What reading the file changed and the user should read once (German), e.g. a
  // coordinate along a force's own axis taken as 0. Not written back, and no part of
  // the calculation: two cases that calculate the same compare equal whatever was said.
  struct Notes : QStringList {
    bool operator==(const Notes &) const { return true; }
  } notes;

  bool operator==(const Case &o) const = default;
};

// What went wrong with a case, for the batch tool's command line (English) and for the
// screens' message (German).
struct Error {
  QString english;
  QString german;
};

// Reads a case from JSON text. False with the problem in *error.
bool parse(const QByteArray &json, Case *out, Error *error);

// The checks of the values that reading applies, again on a case changed since it was
// read (a value of a sweep): ranges refused as reading refuses them, the notes made anew.
bool checkValues(Case *c, Error *error);

// Reads a case file: missing, unreadable, not JSON, another format, a newer version or a
// bad value each give their own error.
bool readFile(const QString &path, Case *out, Error *error);

// The case as JSON text (the unknown keys included), and written to a file atomically.
QByteArray toJson(const Case &c);
bool writeFile(const QString &path, const Case &c, QString *error);

// The load cases of a case: its "loadCases", or its one force table as one load case of
// 100 %.
QVector<LoadCase> loadCasesOf(const Case &c);

// Whether a ticked entry stands for a result row (gastrResult: Serie, Gr, load, unit
// series): the series named as the row's series or unit series, the size as text or as
// the same number.
bool tickMatches(const QPair<QString, QString> &ticked, const QStringList &resultRow);
// Whether the case ticks the size box of a result row.
bool isTicked(const Case &c, const QStringList &resultRow);

// Whether the screens would take the case as it is: distances and force cells the input
// fields accept, a special roller shoe its editor would take over. The refusal names the
// field and the value (German).
std::optional<QString> screenRefusal(const Case &c);

// The file name with the suffix added when the user typed none ("anlage" ->
// "anlage.tcalc"); a name that ends in a dot or has a suffix stays as it is.
// The case with every number typed as text (distances, force cells, duty cycle, required
// life, motion, the special roller shoe's numbers) rewritten from the notation `from` into
// `to`, with the same value, decimals and grouping. A text that is no number in `from`
// (a name, an empty field, a slip the screen marks) stays as it is.
Case renotated(const Case &c, const QLocale &from, const QLocale &to);
// A calculation file of the screens: its numbers typed as text are kept in
// num::fileNotation() and come and go in the notation of the program's locale, so a
// file reads the same in either language.
bool readDocument(const QString &path, Case *out, Error *error);
bool writeDocument(const QString &path, const Case &c, QString *error);

QString withSuffix(const QString &path, const QString &suffix);

}  // namespace calcfile
