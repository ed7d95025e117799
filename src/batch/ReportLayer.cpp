#include "batch/ReportLayer.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <string>

// Defined where the report layer is linked into the program (the fuzz target builds the
// tool's sources together with it); the tool leaves it out and loads the module.
extern "C" const batch::ReportLayer *tarvelcalcReportLayer() __attribute__((weak));

namespace batch {

namespace {

struct Loaded {
  const ReportLayer *layer = nullptr;
  QString error;
};

// The folder of the running executable (the tool may be started through a link or
// from any folder).
std::string executableDir() {
  char path[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return ".";
  const std::string p(path, static_cast<size_t>(n));
  const size_t slash = p.rfind('/');
  return slash == std::string::npos ? "." : p.substr(0, slash);
}

Loaded load() {
  if (tarvelcalcReportLayer) return {tarvelcalcReportLayer(), {}};
  const std::string dir = executableDir();
  const std::string candidates[] = {dir + "/" TARVEL_REPORT_MODULE,
                                    dir + "/" TARVEL_REPORT_MODULE_DIR "/" TARVEL_REPORT_MODULE};
  for (const std::string &path : candidates) {
    if (::access(path.c_str(), F_OK) != 0) continue;
    // Bound at once: a module that does not fit the tool fails here, not in mid-run.
    void *module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) return {nullptr, QString::fromLocal8Bit(::dlerror())};
    const auto entry = reinterpret_cast<const ReportLayer *(*)()>(::dlsym(module, "tarvelcalcReportLayer"));
    if (!entry) return {nullptr, QString::fromLocal8Bit(path.c_str()) + QStringLiteral(" has no report layer")};
    return {entry(), {}};
  }
  return {nullptr, QStringLiteral("%1 not found in %2 nor %3")
                       .arg(QStringLiteral(TARVEL_REPORT_MODULE), QString::fromLocal8Bit(dir.c_str()),
                            QString::fromLocal8Bit((dir + "/" TARVEL_REPORT_MODULE_DIR).c_str()))};
}

}  // namespace

const ReportLayer *reportLayer(QString *error) {
  static const Loaded loaded = load();
  if (!loaded.layer && error) *error = loaded.error;
  return loaded.layer;
}

}  // namespace batch
