#pragma once
// Transitional: the program's one session while the screens move to sessions of their own.
#include "common/Session.h"

using ModFNState = Session;
Session &Mod_FN();
void resetModFN();
