#pragma once
// The special roller shoe without its editor window: deriving the outer bearing
// distance, checking the 24 data fields and taking the entry over into the module
// state, exactly as the editor's "Ok" does.
#include <QString>
#include <QStringList>

#include "core/common/Session.h"

namespace sonder {
constexpr int kFieldCount = 24;
// The bearings list "4", "6", "8": list index of a text, or -1.
int bearingsIndex(const QString &text);
// The list text of an index ("4" for 0), empty for an index outside the list.
QString bearingsText(int index);
}  // namespace sonder

// Outer bearing distance a2 from the distances of the bearing rows 1..4 (mm) and the
// number of bearings: row 2 for 4 bearings, the mean of rows 2 and 3 for 6, the mean
// of rows 3 and 4 for 8 (two places, ties to even); 0 when a2 cannot be derived.
float Ber_A2(float Tragabstand_a1, float Tragabstand_a2, float Tragabstand_a3,
             float Tragabstand_a4, int Lageranzahl);

// Checks the data fields in order: fields 0..3 (series, size, order numbers) need at
// least two characters, fields 4..23 a number other than 0. The first empty field shows
// "In dem Eingabefeld: "<label>" wurden keine Daten eingegeben. ..." titled
// "Datenübernahme abgebrochen" and its index is returned; -1 when all are filled.
// A field that holds no number throws AppError(err::typeMismatch()).
int sonderFirstMissingField(const QStringList &fields);

// Com_OK_Click without the window: checks the fields and, when all are filled, sets
// gintAnzSonder = 1, gastrSonderGeo, gastrSonderAusw and the entry memory
// gastrSonderEingabe. A field that holds no number shows its description in a critical
// box without title and nothing is taken over. Returns the index of the field that
// refused the entry (to give it the focus), -1 when the entry was taken over.
int takeOverSonder(Session &s, const QStringList &fields, int bearingsListIndex,
                    const QString &typeCode);
