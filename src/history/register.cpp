#include "register.h"

#include "common/ui/appservices.h"
#include "history/editorwrites.h"
#include "history/historial.h"

namespace orvex {

void registerHistoryWindows(AppServices& services) {
  services.windows.add(QStringLiteral("Historial"),
                       [&services] { return new Historial(services); });
  if (!services.transfers) return;
  auto* writes = new EditorWrites(services, &services.events);
  QObject::connect(&services.events, &AppEvents::writeInstrumentRequested, writes,
                   &EditorWrites::write);
}

}  // namespace orvex
