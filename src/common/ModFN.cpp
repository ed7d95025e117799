#include "ModFN.h"

ModFNState &Mod_FN() {
  static ModFNState state;
  return state;
}

void resetModFN() { Mod_FN() = ModFNState(); }
