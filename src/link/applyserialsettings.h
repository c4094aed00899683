#pragma once

namespace orvex {

struct ProgramContext;
class SerialPort;
class MessageBoxes;

// ApplySerialSettings: reads confcom.sys from the program directory into
// context.serialSettings and sets the port up with it (port number, then speed, parity,
// data bits and stop bits). A missing or unreadable file is reported (message texts 41/42)
// and replaced by the default "COM1:9600,N,8,1"; a port number or line settings the port
// rejects are reported with the port's own error text. Never opens the port.
void applySerialSettings(ProgramContext& context, SerialPort& port, MessageBoxes& messages);

}  // namespace orvex
