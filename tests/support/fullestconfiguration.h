#pragma once
#include "common/parameterset.h"

namespace orvex::test {

// The configuration whose report is longest: oil pressure, alternator frequency and pick-up as
// running conditions, preheating, a repetitive siren, every alarm input acting; an ORVEX.
inline ParameterSet fullestConfiguration() {
  const int values[63] = {10, 1, 1, 1, 1, 8, 12, 3, 8,  8, 8,  5, 1,   1, 2, 2, 1,  1, 2,  1, 1,
                          2,  6, 6, 2, 3, 1, 1,  1, 3,  1, 5,  2, 3,   1, 5, 2, 3,  1, 5,  1, 2,
                          2,  2, 1, 0, 0, 0, 12, 0, 45, 0, 30, 5, 220, 0, 4, 0, 10, 0, 20, 0, 9};
  ParameterSet set;
  for (int k = kFirstSlot; k <= kLastSlot; ++k) set[k] = static_cast<qint16>(values[k - 1]);
  return set;
}

}  // namespace orvex::test
