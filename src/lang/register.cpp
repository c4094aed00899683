#include "register.h"

#include "common/ui/appservices.h"

namespace orvex {

void registerLanguageWindows(AppServices& services) { (void)services; }

}  // namespace orvex
