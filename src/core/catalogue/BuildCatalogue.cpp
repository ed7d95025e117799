#include "core/catalogue/BuildCatalogue.h"

#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace catalogue {

namespace {
bool fail(std::string *error, const std::string &why) {
  if (error) *error = why;
  return false;
}
}  // namespace

bool buildCatalogueFile(const std::string &sql, const std::string &path, std::string *error) {
  namespace fs = std::filesystem;
  const std::string tmp = path + ".tmp";
  std::error_code ec;
  fs::remove(tmp, ec);

  sqlite3 *db = nullptr;
  int rc = sqlite3_open_v2(tmp.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  if (rc != SQLITE_OK) {
    const std::string why = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    sqlite3_close_v2(db);
    fs::remove(tmp, ec);
    return fail(error, "cannot create " + tmp + ": " + why);
  }
  char *message = nullptr;
  const std::string script = "PRAGMA journal_mode=OFF;\nBEGIN;\n" + sql + "\n;COMMIT;";
  rc = sqlite3_exec(db, script.c_str(), nullptr, nullptr, &message);
  std::string why;
  if (rc != SQLITE_OK) why = message ? message : sqlite3_errstr(rc);
  sqlite3_free(message);
  if (sqlite3_close_v2(db) != SQLITE_OK && why.empty()) why = "cannot close " + tmp;
  if (!why.empty()) {
    fs::remove(tmp, ec);
    return fail(error, why);
  }
  fs::rename(tmp, path, ec);
  if (ec) {
    fs::remove(tmp, ec);
    return fail(error, "cannot rename " + tmp + " to " + path);
  }
  return true;
}

}  // namespace catalogue
