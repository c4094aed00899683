#include "register.h"

#include "common/ui/appservices.h"
#include "lang/idioma.h"

namespace orvex {

void registerLanguageWindows(AppServices& services) {
  services.windows.add("Idioma", [&services] { return new Idioma(services); });
}

}  // namespace orvex
