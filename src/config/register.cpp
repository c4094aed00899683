#include "register.h"

#include "common/ui/appservices.h"
#include "config/ui/configqvt.h"
#include "files/qvtformat.h"
#include "link/applyserialsettings.h"

namespace orvex {

void registerConfigWindows(AppServices& services) {
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

}  // namespace orvex
