#pragma once
// The one formatter of evaluated sizes: the texts of an EvaluationRow as the evaluation
// grid shows them, the report and the text export print them and the batch tool writes
// them. Every text is made here from the row's figures, in the program's locale (German
// notation; the English report converts the notation of the same texts).
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

#include "core/common/SessionTypes.h"

namespace eval {

// The verdict in German ("Sicherheit ausreichend.") or English; empty for a blank row.
QString verdictText(Verdict verdict, bool english);

// The ten fields of a row: unit series, Gr, order number, Co and C ("11.200 N"), the
// load ("520 N"), the safety to one decimal ("21,5"), the lifetime ("1.234 km") and the
// German and English verdict. A blank row gives ten empty fields.
QStringList fields(const EvaluationRow &row);
// The same ten fields handed to a writer one by one, without a text object for the
// numbers: the row's own texts (unit series, Gr, order number) and the verdicts as they
// are, the numbers ("11.200 N", "21,5", "1.234 km") as UTF-8. For writers of many rows
// (the batch tool's JSON); fields() is made through it.
class FieldWriter {
 public:
  virtual void text(const QString &s) = 0;
  virtual void utf8(const char *begin, const char *end) = 0;

 protected:
  ~FieldWriter() = default;
};
void writeFields(const EvaluationRow &row, FieldWriter &out);
QString staticRatingText(const EvaluationRow &row);
QString dynamicRatingText(const EvaluationRow &row);
QString loadText(const EvaluationRow &row);
QString safetyText(const EvaluationRow &row);
QString lifeText(const EvaluationRow &row);

// The figures behind those texts, rounded as they are shown: the safety to one decimal,
// the lifetime in whole km and in whole hours (none without hours). The charts of the
// evaluation draw exactly these.
double safetyShown(const EvaluationRow &row);
double lifeKmShown(const EvaluationRow &row);
std::optional<double> lifeHoursShown(const EvaluationRow &row);

// The texts of the extra columns in force (German heading ids 1300 equivalent load,
// 1301 hours, 1302 years), in the order of `extraHead`.
QStringList extraTexts(const EvaluationRow &row, const QVector<int> &extraHead);

// The life verdict against the required life: "Lebensdauer ausreichend." or
// "Lebensdauer zu gering!" (English with `english`); empty when no life is required or
// the row is blank.
QString lifeVerdictText(const EvaluationRow &row, bool english);

// The life as the sizing lines name it: in hours where the duty cycle gives them
// ("18.525 h"), otherwise in km.
QString sizingLifeText(const EvaluationRow &row);

// "Empfehlung: KD20 — Sicherheit 4,4; Lebensdauer 18.525 h", the recommended size of a
// series; and the overall suggestion, "Vorschlag: …" (row nullptr: none of the sizes
// passes). Numbers in German notation, words in the chosen language.
QString recommendationText(const EvaluationRow &row, bool english);
QString suggestionText(const EvaluationRow *row, bool english);
// "Keine Größe der Serie KX erfüllt die Anforderungen"
QString noPassText(const QString &series, bool english);

// The fields of every row, as the session's text view of an evaluation.
TextRows fieldRows(const QVector<EvaluationRow> &rows);

// Whether a row's size fails: its verdict is not "Sicherheit ausreichend." (load too
// high, or units or rails too close). A blank row does not fail.
bool fails(const EvaluationRow &row);

}  // namespace eval
