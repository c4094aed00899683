#include "register.h"

#include "common/ui/appservices.h"
#include "files/grabfich.h"
#include "files/loadfich.h"

namespace orvex {

void registerFileWindows(AppServices& services) {
  services.windows.add(QStringLiteral("GrabFich"), [&services] { return new GrabFich(services); });
  services.windows.add(QStringLiteral("LoadFich"), [&services] { return new LoadFich(services); });
}

}  // namespace orvex
