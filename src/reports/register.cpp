#include "register.h"

#include "common/ui/appservices.h"

namespace orvex {

void registerReportWindows(AppServices& services) { (void)services; }

}  // namespace orvex
