#include "register.h"

#include "common/ui/appservices.h"
#include "compare/compara.h"

namespace orvex {

void registerCompareWindows(AppServices& services) {
  services.windows.add(QStringLiteral("Compara"), [&services] { return new Compara(services); });
}

}  // namespace orvex
