#pragma once
#include <QStringList>

namespace orvex {

struct AppServices;

// The order in which the exit sequence unloads the windows.
const QStringList& unloadOrder();

// The main window's load step: the language of conflang.sys (or English, with the message
// when the file is missing or damaged), the hidden windows, the texts of every window; then
// the main window is shown with its demonstration running.
void startShell(AppServices& services);

// Unloads every window in the exit order and ends the program, as soon as no wait of a
// transfer and no modal box is running (their callers must not return into freed windows).
void unloadWhenIdle(AppServices& services);

}  // namespace orvex
