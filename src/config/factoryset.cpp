#include "factoryset.h"

namespace orvex {

ParameterSet factoryParameterSet() {
  // Slots 1..63; 45..47 are 0 as in every collected set.
  // clang-format off
  static constexpr qint16 kValues[kLastSlot] = {
      7, 4, 4, 1, 3, 3, 3, 1, 2, 4,    // 1..10: 230 V, -10 %, +10 %, 50 Hz, 1 %, 5 s, 5 s ...
      4, 2, 2, 1, 1, 1, 2, 1, 2, 1,    // 11..20: running on D+ only
      2, 1, 6, 6, 1, 3, 4, 4, 4, 3,    // 21..30
      2, 2, 2, 3, 2, 3, 2, 5, 2, 5,    // 31..40: alarm inputs at GND
      2, 1, 1, 1, 0, 0, 0, 0, 8, 0,    // 41..50
      30, 0, 100, 2, 88, 0, 100, 0, 60, 0,  // 51..60: 30 Hz, 100 Hz, 600 RPM, 100 imp, 60 s
      30, 0, 10,                       // 61..63: 30 s, 10 V
      // clang-format on
  };
  ParameterSet set;
  for (int k = kFirstSlot; k <= kLastSlot; ++k) set[k] = kValues[k - 1];
  return set;
}

}  // namespace orvex
