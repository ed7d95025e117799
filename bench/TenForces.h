#pragma once
// Ten force rows of a typical handling axis: payload, tool, acceleration and side loads.
#include "core/common/SessionTypes.h"

inline TextRows tenForces() {
  return {{"- Z", "2500", "50", "-30", "80"},  {"- Z", "400", "-120", "60", "20"},
          {"Z +", "150", "180", "-90", "0"},   {"X +", "600", "0", "0", "150"},
          {"- X", "250", "0", "40", "90"},     {"Y +", "400", "120", "0", "100"},
          {"- Y", "180", "-60", "0", "40"},    {"- Z", "900", "210", "160", "10"},
          {"X +", "320", "0", "-170", "60"},   {"Y +", "90", "-220", "0", "250"}};
}
