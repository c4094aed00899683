#include "programwindows.h"

#include "common/ui/appservices.h"
#include "compare/register.h"
#include "config/ui/configqvt.h"
#include "files/qvtformat.h"
#include "files/register.h"
#include "history/register.h"
#include "lang/register.h"
#include "link/applyserialsettings.h"
#include "link/register.h"
#include "reports/register.h"
#include "shell/register.h"

namespace orvex {

// The editor's loading reaches into the files and the link, which the editor itself does not
// know: the port takes the serial settings and the default configuration is read.
void registerEditorWindow(AppServices& services) {
  services.windows.add("ConfigQVT", [&services]() -> QWidget* {
    ConfigQVT::LoadSteps steps;
    steps.applySerialSettings = [&services] {
      if (services.port) applySerialSettings(services.context, *services.port, services.messages);
    };
    steps.readDefaultConfiguration = [&services](ParameterSet* set, QString* problem) {
      QString name;
      if (!loadDefaultConfiguration(services.context.programDir, set, problem,
                                    &services.context.texts, &name))
        return false;
      services.context.editorOrigin = {ValuesOrigin::Kind::File, name, {}, *set};
      return true;
    };
    return new ConfigQVT(services, steps);
  });
}

void registerProgramWindows(AppServices& services) {
  registerEditorWindow(services);
  registerLinkWindows(services);
  registerFileWindows(services);
  registerReportWindows(services);
  registerCompareWindows(services);
  registerHistoryWindows(services);
  registerLanguageWindows(services);
  registerShellWindows(services);
}

}  // namespace orvex
