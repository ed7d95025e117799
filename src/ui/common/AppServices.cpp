#include "ui/common/AppServices.h"

namespace app {

AppServices &services() {
  static AppServices installed;
  return installed;
}

void install(AppServices services) { app::services() = std::move(services); }

}  // namespace app
