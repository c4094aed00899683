#include "programwindows.h"

#include "compare/register.h"
#include "config/register.h"
#include "files/register.h"
#include "lang/register.h"
#include "link/register.h"
#include "reports/register.h"
#include "shell/register.h"

namespace orvex {

void registerProgramWindows(AppServices& services) {
  registerConfigWindows(services);
  registerLinkWindows(services);
  registerFileWindows(services);
  registerReportWindows(services);
  registerCompareWindows(services);
  registerLanguageWindows(services);
  registerShellWindows(services);
}

}  // namespace orvex
