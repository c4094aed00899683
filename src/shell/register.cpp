#include "register.h"

#include "common/ui/appservices.h"

namespace orvex {

void registerShellWindows(AppServices& services) { (void)services; }

}  // namespace orvex
