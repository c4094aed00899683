#include "register.h"

#include "common/ui/appservices.h"
#include "reports/reportwindow.h"

namespace orvex {

void registerReportWindows(AppServices& services) {
  services.windows.add(QStringLiteral("Report"), [&services] { return new Report(services); });
}

}  // namespace orvex
