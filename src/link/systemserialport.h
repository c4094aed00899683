#pragma once
#include <QtGlobal>

// The serial port the program and orvex-cli use on this platform: the Win32 API on Windows
// (\\.\COMn), Qt Serial Port elsewhere (COMn links in the program directory).
#ifdef Q_OS_WIN
#include "link/win32serialport.h"
namespace orvex {
using SystemSerialPort = Win32SerialPort;
}
#else
#include "link/qtserialport.h"
namespace orvex {
using SystemSerialPort = QtSerialPort;
}
#endif
