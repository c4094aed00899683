#pragma once
#include <QString>

namespace orvex {

class SerialPort;
struct TextTables;

// Why a serial port could not be used, in the program's terms. Each serial backend sorts its
// platform's errors into these kinds; the user is told the program's own words for the kind,
// in the chosen language, while the platform's text (in English whatever the language, and
// seldom telling an installer what to do) goes to the frame log only.
enum class PortFailure {
  None,
  Absent,        // the device is not there: adapter not plugged in, COMn leads nowhere
  Busy,          // another program holds the port
  NoPermission,  // this user may not use the device
  NotSerial,     // the device is no serial port: COMn leads to a file, a folder, /dev/null
  Lost,          // unplugged or stopped answering while open
  Refused,       // any other refusal
};

// The whole prompt for a port that failed, naming it as describePort does.
QString portFailurePrompt(const TextTables& texts, PortFailure failure, const SerialPort& port);

}  // namespace orvex
