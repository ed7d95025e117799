#pragma once
// Checking a catalogue file before it is shipped: everything the program reads from it,
// in the way the program reads it. The settings rows (required safeties, the counts and
// name lists of the table sets), every listed table with the columns its role needs,
// the numbers in every numeric cell, the sizes of each table set and the special series.
#include <QString>
#include <QVector>

namespace catalogue {

struct Problem {
  // An error keeps the program from using the catalogue as meant (a message box or
  // the end of the program); a note names something the program copes with, such as
  // a size that drops out of its table set.
  bool error = true;
  QString table;   // empty when the problem is no table's
  QString row;     // "Serie TLS, Gr 12", "Beschr StdSiko", "IDNr 3"; empty for a table
  QString column;  // empty when the problem is no column's
  QString text;
};

struct CheckReport {
  QVector<Problem> problems;
  int errors() const;
  int notes() const;
  bool usable() const { return errors() == 0; }
};

// Checks the catalogue file at `path` (opened read-only). A file that cannot be opened
// at all gives one error.
CheckReport checkCatalogue(const QString &path);

// One line of the check's output: "error: TLS_Basis: Serie TLS, Gr 12: column a1: ...".
QString problemLine(const Problem &p);

}  // namespace catalogue
