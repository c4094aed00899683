#include "register.h"

#include "common/ui/appservices.h"
#include "link/configcom.h"

namespace orvex {

void registerLinkWindows(AppServices& services) {
  services.windows.add("ConfigCOM", [&services] { return new ConfigCOM(services); });
}

}  // namespace orvex
