#include "register.h"

#include "common/ui/appservices.h"
#include "shell/presentacion.h"

namespace orvex {

void registerShellWindows(AppServices& services) {
  services.windows.add("Presentacion", [&services] { return new Presentacion(services); });
}

}  // namespace orvex
