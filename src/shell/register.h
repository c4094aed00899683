#pragma once

namespace orvex {
struct AppServices;
// Adds this subsystem's windows to the registry and wires its events.
void registerShellWindows(AppServices& services);
}  // namespace orvex
