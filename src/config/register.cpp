#include "register.h"

#include "common/ui/appservices.h"

namespace orvex {

void registerConfigWindows(AppServices& services) { (void)services; }

}  // namespace orvex
