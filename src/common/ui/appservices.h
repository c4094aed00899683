#pragma once
#include <QObject>

#include "common/messageboxes.h"
#include "common/ui/editoraccess.h"
#include "common/ui/context.h"
#include "common/ui/windowregistry.h"

namespace orvex {

class SerialPort;
class EventWaiter;
class InstrumentReader;
class FrameLog;

// Events one window raises and another reacts to, so windows need not know each other.
class AppEvents : public QObject {
  Q_OBJECT
 signals:
  void editorLeft();                // ConfigQVT's Salir: the main window resumes its demonstration
  void serialSettingsClosed();      // ConfigCOM's Salvar or Cancelar: the main window is enabled
  void languageApplied();           // LoadTexts ran: windows refresh what they derive from texts
  void readInstrumentRequested();   // ConfigQVT's Command4 ("Lee QVT")
  void writeInstrumentRequested();  // ConfigQVT's Command5 ("Graba QVT")
  void transferEnded();             // a read or write has ended: the port is free again
  void transferCancelRequested();   // GrabQVT's Cancel or its close control
  // The exit animation has ended and every window is about to be unloaded: a transfer with
  // the instrument must cancel its waits now (the unloading waits until no wait or modal
  // box is running any more).
  void aboutToUnload();
};

// What every window gets: the shared values, the windows, the message boxes, the serial
// port (MSComm1) and the waits' clock.
struct AppServices {
  ProgramContext& context;
  WindowRegistry& windows;
  MessageBoxes& messages;
  AppEvents& events;
  SerialPort* port = nullptr;
  EventWaiter* waiter = nullptr;
  InstrumentReader* instrument = nullptr;  // set once the link is wired
  const FrameLog* frameLog = nullptr;      // the last transfers' frames, likewise

  // The editor window (created on first use).
  EditorAccess* editor() { return dynamic_cast<EditorAccess*>(windows.window("ConfigQVT")); }
};

}  // namespace orvex
