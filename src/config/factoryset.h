#pragma once
#include "common/parameterset.h"

namespace orvex {

// The selection the editor starts with before any configuration is shown, and what it keeps
// when the default configuration cannot be read: 230 V, 50 Hz, every option valid. The same
// set is delivered as CONFIG/FACTORY.QVT.
ParameterSet factoryParameterSet();

}  // namespace orvex
