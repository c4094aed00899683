#include "register.h"

#include "common/ui/appservices.h"

namespace orvex {

void registerFileWindows(AppServices& services) { (void)services; }

}  // namespace orvex
