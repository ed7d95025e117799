#include "ModFN.h"

Session &Mod_FN() {
  static Session state;
  return state;
}

// A fresh start over the catalogue in use.
void resetModFN() {
  auto catalogue = Mod_FN().catalogue;
  Mod_FN() = Session();
  Mod_FN().catalogue = std::move(catalogue);
}
