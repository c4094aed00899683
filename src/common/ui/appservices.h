#pragma once
#include <QObject>

#include "common/context.h"
#include "common/messageboxes.h"
#include "common/ui/editoraccess.h"
#include "common/ui/windowregistry.h"

namespace orvex {

class SerialPort;
class EventWaiter;
class InstrumentTransfers;

// Events one window raises and another reacts to, so windows need not know each other.
class AppEvents : public QObject {
  Q_OBJECT
 signals:
  void editorLeft();                // ConfigQVT's Salir: the main window resumes its demonstration
  void serialSettingsClosed();      // ConfigCOM's Salvar or Cancelar: the main window is enabled
  void languageApplied();           // LoadTexts ran: windows refresh what they derive from texts
  void readInstrumentRequested();   // ConfigQVT's Command4 ("Lee QVT")
  void writeInstrumentRequested();  // ConfigQVT's Command5 ("Graba QVT"): a copy is kept first
  void writeNowRequested();         // the copy is kept (or declined): ConfigEditada goes out now
  void historyChanged();            // a write was added to the history of writes
  void transferStarted();           // a read or write takes the port
  void transferEnded();             // a read or write has ended: the port is free again
  void transferCancelRequested();   // GrabQVT's Cancel or its close control
  // The exit animation has ended and every window is about to be unloaded: a transfer with
  // the instrument must cancel its waits now (the unloading waits until no wait or modal
  // box is running any more).
  void aboutToUnload();
};

// What every window gets: the shared values, the windows, the message boxes, the serial
// port (MSComm1), the waits' clock and the transfers over that port.
struct AppServices {
  ProgramContext& context;
  WindowRegistry& windows;
  MessageBoxes& messages;
  AppEvents& events;
  SerialPort* port = nullptr;
  EventWaiter* waiter = nullptr;
  InstrumentTransfers* transfers = nullptr;  // set once the link is wired

  // The editor window (created on first use).
  EditorAccess* editor() { return dynamic_cast<EditorAccess*>(windows.window("ConfigQVT")); }
};

}  // namespace orvex
