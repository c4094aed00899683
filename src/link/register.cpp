#include "register.h"

#include "common/ui/appservices.h"
#include "link/configcom.h"
#include "link/transfers.h"
#include "link/ui/grabqvt.h"
#include "link/ui/registro.h"

namespace orvex {
namespace {

// Lee QVT and Graba QVT run the transfers over the program's port; the program's exit
// reaches a transfer in progress before the windows go.
void wireTransfers(AppServices& services) {
  if (!services.port || !services.waiter) return;
  InstrumentTransfers::Peers peers{[&services] {
                                     return dynamic_cast<TransferView*>(
                                         services.windows.window("GrabQVT"));
                                   },
                                   [&services] { return services.editor(); }};
  auto* transfers = new InstrumentTransfers(services.context, *services.port, *services.waiter,
                                            services.messages, std::move(peers), &services.events);
  services.instrument = transfers;
  services.frameLog = &transfers->log();
  AppEvents& events = services.events;
  QObject::connect(&events, &AppEvents::readInstrumentRequested, transfers,
                   &InstrumentTransfers::onReadRequested);
  QObject::connect(&events, &AppEvents::writeInstrumentRequested, transfers,
                   &InstrumentTransfers::onWriteRequested);
  QObject::connect(&events, &AppEvents::aboutToUnload, transfers,
                   &InstrumentTransfers::onAboutToUnload);
  QObject::connect(&events, &AppEvents::transferCancelRequested, transfers,
                   &InstrumentTransfers::onCancelRequested);
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
