#pragma once

namespace orvex {
struct AppServices;
void registerCompareWindows(AppServices& services);
}  // namespace orvex
