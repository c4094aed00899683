#include "register.h"

#include "common/ui/appservices.h"

namespace orvex {

void registerLinkWindows(AppServices& services) { (void)services; }

}  // namespace orvex
