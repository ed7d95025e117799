#pragma once
// Turns the SQL text of a catalogue (CREATE TABLE and INSERT statements) into a
// catalogue file. Used by the build step that makes DBFN.db and by the tests, which
// build small catalogues of their own. Needs nothing but sqlite3.
#include <string>

namespace catalogue {

// Runs the SQL text on a new file `path`. The file is first written under a temporary
// name beside it and renamed only when everything succeeded, so a failure never leaves
// half a catalogue behind; an existing file at `path` is replaced. On failure returns
// false and, when `error` is given, the reason.
bool buildCatalogueFile(const std::string &sql, const std::string &path, std::string *error);

}  // namespace catalogue
