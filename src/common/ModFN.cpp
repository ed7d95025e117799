#include "ModFN.h"

#include "LoadCaseState.h"

ModFNState &Mod_FN() {
  static ModFNState state;
  return state;
}

LoadCaseState &Mod_FN_LoadCases() {
  static LoadCaseState state;
  return state;
}

void resetModFN() {
  Mod_FN() = ModFNState();
  Mod_FN_LoadCases() = LoadCaseState();
}
