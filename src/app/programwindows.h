#pragma once

namespace orvex {

struct AppServices;

// The editor window ConfigQVT, loading the serial settings and the default configuration.
void registerEditorWindow(AppServices& services);

// Every window of the program in the registry, with the events that tie them together
// (the transfers included when the services carry a port and a waiter).
void registerProgramWindows(AppServices& services);

}  // namespace orvex
