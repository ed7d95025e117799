#pragma once
// What the special-series editor computes from its fields, without the window: the
// check of the bearing-row distances before a1 and a2 are derived, and the load factors
// and moment capacities shown for the entry.
#include <QString>
#include <QStringList>
#include <array>

namespace sonder {

// Checks the distances of the bearing rows 1..4 (enabled: the rows the bearing count
// uses). Returns the message that refuses them ("Für den Abstand der 2. Lagerreihe wurde
// Null eingegeben! ..." or "Der Abstand der 2. Lagerreihe ist kleiner oder gleich als
// die der 1. . ! ..."), empty when they may be used.
QString bearingRowsMessage(const std::array<float, 4> &rows, const std::array<bool, 4> &enabled);

// Reads a field as a number; an empty field counts as 0. Throws AppError (type
// mismatch) for text that is no number.
float fieldValue(const QString &text);
// A load rating as 32-bit integer (rounded half to even); AppError on overflow.
qint32 ratingValue(const QString &text);

// Whether a1, a2, b1, b2, C and Co (fields 7, 8, 9, 10, 4, 5) are all non-zero, as the
// factors need them. Throws AppError for a field that holds no number.
bool resultInputsComplete(const QStringList &fields);

// The five result texts k1, k2, Mocx/Mcx, Mocy/Mcy, Mocz/Mcz for the 24 data fields and
// the number of bearings. A cassette takes its moment support width B (field 11); a
// roller-shoe pair at single-rail distance railDistance takes railDistance + 2 b' (field
// 12). Zero divisors show the factor functions' own messages and give 0. Throws AppError
// for a field that holds no number.
QStringList results(const QStringList &fields, int bearings, bool cassette, float railDistance);

}  // namespace sonder
