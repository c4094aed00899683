#pragma once
#include "config/parameterset.h"

namespace orvex {

// Reads the connected instrument's configuration for a comparison: the same dialogue as
// "Lee QVT" (frames, pauses, attempts, messages, progress window) into a set of the caller's,
// leaving ConfigLeida and the editor as they are. False when the read did not succeed as a
// whole (the user has been told why) or another transfer is running.
class InstrumentReader {
 public:
  virtual ~InstrumentReader() = default;
  virtual bool readConfiguration(ParameterSet* set) = 0;
};

}  // namespace orvex
