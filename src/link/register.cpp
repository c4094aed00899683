#include "register.h"

#include <memory>

#include "common/ui/appservices.h"
#include "link/configcom.h"
#include "link/transfers.h"
#include "link/ui/grabqvt.h"
#include "link/ui/registro.h"

namespace orvex {
namespace {

// Lee QVT reads into ConfigLeida and shows it; Graba QVT, once a copy of what the controller
// holds is kept, writes what the editor collected into ConfigEditada and reads it back into
// ConfigLeida. Both run over the program's port;
// the program's exit reaches a transfer in progress before the windows go.
void wireTransfers(AppServices& services) {
  if (!services.port || !services.waiter) return;
  AppEvents& events = services.events;
  auto* transfers = new InstrumentTransfers(
      services.context.texts, *services.port, *services.waiter, services.messages,
      [&services] { return dynamic_cast<TransferView*>(services.windows.window("GrabQVT")); },
      &events);
  services.transfers = transfers;
  ProgramContext& context = services.context;
  // Every complete read is the controller's last read; Lee QVT's, and a write's read-back,
  // are also where the editor's values come from.
  auto forEditor = std::make_shared<bool>(false);
  QObject::connect(transfers, &InstrumentTransfers::configurationRead, transfers,
                   [transfers, &context, forEditor] {
                     context.lastRead = transfers->lastRead();
                     if (*forEditor) context.editorOrigin = context.lastRead;
                   });
  QObject::connect(&events, &AppEvents::readInstrumentRequested, transfers,
                   [transfers, &services, forEditor] {
                     *forEditor = true;
                     const bool read = transfers->readConfiguration(&services.context.configLeida);
                     *forEditor = false;
                     if (!read) return;
                     if (EditorAccess* editor = services.editor()) editor->showParameterSet();
                   });
  QObject::connect(&events, &AppEvents::writeNowRequested, transfers,
                   [transfers, &context, forEditor] {
                     *forEditor = true;
                     transfers->writeConfiguration(context.configEditada, &context.configLeida);
                     *forEditor = false;
                   });
  QObject::connect(&events, &AppEvents::aboutToUnload, transfers,
                   &InstrumentTransfers::onAboutToUnload);
  QObject::connect(&events, &AppEvents::transferCancelRequested, transfers,
                   &InstrumentTransfers::onCancelRequested);
  QObject::connect(transfers, &InstrumentTransfers::transferStarted, &events,
                   &AppEvents::transferStarted);
  QObject::connect(transfers, &InstrumentTransfers::transferEnded, &events,
                   &AppEvents::transferEnded);
  QObject::connect(&events, &AppEvents::languageApplied, transfers, &InstrumentTransfers::retell);
}

}  // namespace

void registerLinkWindows(AppServices& services) {
  services.windows.add("ConfigCOM", [&services] { return new ConfigCOM(services); });
  services.windows.add("GrabQVT", [&services] { return new GrabQVT(services); });
  services.windows.add("Registro", [&services] { return new Registro(services); });
  wireTransfers(services);
}

}  // namespace orvex
