#pragma once
// Writing a catalogue file as SQL text in the form of the demo catalogue's source
// (src/resources/catalogue.sql): each table's CREATE TABLE statement as the file holds
// it, then one INSERT per row. Building that text again (mkcatalogue) gives the same
// tables with the same values, so a catalogue can be kept under version control.
#include <QString>

namespace catalogue {

// The SQL text of every table of the file at `path`, in the order the file lists them.
// On failure returns false with the reason in `error`.
bool exportSql(const QString &path, QString *sql, QString *error);

}  // namespace catalogue
