#pragma once

namespace orvex {
struct AppServices;
// The Historial window, and Graba QVT with its copy before the write (after the link's
// wiring: it writes through the program's transfers).
void registerHistoryWindows(AppServices& services);
}  // namespace orvex
