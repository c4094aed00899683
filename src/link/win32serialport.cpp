#include "win32serialport.h"

#include <windows.h>

#include <QMetaObject>
#include <QStringList>

namespace orvex {
namespace {

// A read ends when the line has been quiet this long after a byte (what arrived goes up at
// once, well inside the frame layer's 25 ms quiet gap), or after kReadWakeMs with nothing,
// so the reader sees a stop request even on a silent line. (Wine ignores the "return at
// the first byte" setting of MAXDWORD intervals and waits the whole constant; an interval
// behaves the same on Windows and under Wine.)
constexpr DWORD kQuietIntervalMs = 2;
constexpr DWORD kReadWakeMs = 250;
constexpr DWORD kWriteLimitMs = 2000;

QString systemText(DWORD code) {
  wchar_t* text = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                         FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  QString result = length ? QString::fromWCharArray(text, length).trimmed()
                          : QStringLiteral("Windows error %1").arg(code);
  LocalFree(text);
  return result;
}

// "COM12" and "\\.\COM12" both open as \\.\COM12, the only form that reaches COM10 and up.
std::wstring devicePath(const QString& name) {
  const QString path = name.startsWith(QLatin1String("\\\\.\\")) ? name : "\\\\.\\" + name;
  return path.toStdWString();
}

BYTE parityCode(char parity) {
  return parity == 'O' ? ODDPARITY : parity == 'E' ? EVENPARITY : NOPARITY;
}

// A serial port is opened by one program at a time: "access denied" means another holds it.
PortFailure openFailureKind(DWORD code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return PortFailure::Absent;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION: return PortFailure::Busy;
    default: return PortFailure::Refused;
  }
}

}  // namespace

QString comDevicePath(const QString& programDir, int portNumber) {
  (void)programDir;
  return QStringLiteral("COM%1").arg(portNumber);
}

// Windows has no device groups; a port is refused to a user only when another program has
// it, which the open's own message says.
QString deviceGroup(const SerialPort&) { return {}; }

QString userName() { return qEnvironmentVariable("USERNAME"); }

QStringList systemComPorts() {
  QStringList ports;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
      ERROR_SUCCESS)
    return ports;
  for (DWORD index = 0;; ++index) {
    wchar_t name[256];
    wchar_t value[256];
    DWORD nameLength = 256;
    DWORD valueBytes = sizeof value;
    DWORD type = 0;
    const LONG status = RegEnumValueW(key, index, name, &nameLength, nullptr, &type,
                                      reinterpret_cast<BYTE*>(value), &valueBytes);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status != ERROR_SUCCESS || type != REG_SZ) continue;
    ports << QString::fromWCharArray(value, int(valueBytes / sizeof(wchar_t)))
                 .section(QChar(0), 0, 0);
  }
  RegCloseKey(key);
  return ports;
}

Win32SerialPort::Win32SerialPort(const QString& programDir, QObject* parent) : SerialPort(parent) {
  (void)programDir;
}

Win32SerialPort::~Win32SerialPort() { close(); }

bool Win32SerialPort::setPortNumber(int n, QString* error) {
  if (n < 1 || n > 99) {
    if (error) *error = QStringLiteral("Invalid port number %1: ports are COM1 to COM99.").arg(n);
    return false;
  }
  close();
  number_ = n;
  device_.clear();
  return true;
}

QString Win32SerialPort::deviceName() const {
  return device_.isEmpty() ? comDevicePath({}, number_) : device_;
}

void Win32SerialPort::setDevice(const QString& device) {
  close();
  device_ = device.startsWith(QLatin1String("\\\\.\\")) ? device.mid(4) : device;
  number_ = 0;
}

bool Win32SerialPort::isPresent() const {
  if (systemComPorts().contains(deviceName(), Qt::CaseInsensitive)) return true;
  wchar_t target[512];
  return QueryDosDeviceW(deviceName().toStdWString().c_str(), target, 512) != 0;
}

bool Win32SerialPort::applySettings(const QString& settings, QString* error) {
  LineSettings parsed;
  if (!parseLineSettings(settings, &parsed, error)) return false;
  if (isOpen() && !configure(parsed, error)) return false;
  line_ = parsed;
  return true;
}

bool Win32SerialPort::configure(const LineSettings& line, QString* error) {
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  COMMTIMEOUTS timeouts{kQuietIntervalMs, 0, kReadWakeMs, 0, kWriteLimitMs};
  const bool ok = GetCommState(handle_, &dcb) && [&] {
    dcb.BaudRate = DWORD(line.baud);
    dcb.ByteSize = BYTE(line.dataBits);
    dcb.Parity = parityCode(line.parity);
    dcb.StopBits = line.stopBits == 2 ? TWOSTOPBITS : ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fParity = line.parity != 'N';
    dcb.fOutxCtsFlow = dcb.fOutxDsrFlow = dcb.fDsrSensitivity = FALSE;
    dcb.fOutX = dcb.fInX = dcb.fNull = dcb.fAbortOnError = FALSE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    return SetCommState(handle_, &dcb) && SetCommTimeouts(handle_, &timeouts);
  }();
  if (!ok && error) *error = systemText(GetLastError());
  return ok;
}

bool Win32SerialPort::open(QString* error) {
  if (isOpen()) return true;
  openFailure_ = PortFailure::None;
  HANDLE handle = CreateFileW(devicePath(deviceName()).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                              nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD code = GetLastError();
    if (error) *error = systemText(code);
    openFailure_ = openFailureKind(code);
    return false;
  }
  handle_ = handle;
  if (!configure(line_, error)) {
    // The communication calls do not apply: the name leads to something else than a port.
    openFailure_ = PortFailure::NotSerial;
    close();
    return false;
  }
  PurgeComm(handle_, PURGE_RXCLEAR | PURGE_TXCLEAR | PURGE_RXABORT | PURGE_TXABORT);
  arrived_.clear();
  stopEvent_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  const quint64 generation = ++generation_;
  reader_ = std::thread(
      [this, handle, stop = stopEvent_, generation] { readLoop(handle, stop, generation); });
  return true;
}

void Win32SerialPort::close() {
  if (!handle_) return;
  ++generation_;
  SetEvent(stopEvent_);
  if (reader_.joinable()) reader_.join();
  CloseHandle(stopEvent_);
  CloseHandle(handle_);
  stopEvent_ = handle_ = nullptr;
  arrived_.clear();
}

// The reader thread: one overlapped read at a time, ended by the line going quiet after a
// byte, the wake time-out or the stop event.
void Win32SerialPort::readLoop(void* handle, void* stopEvent, quint64 generation) {
  OVERLAPPED overlapped{};
  overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  char buffer[512];
  for (;;) {
    ResetEvent(overlapped.hEvent);
    DWORD count = 0;
    bool done = ReadFile(handle, buffer, sizeof buffer, &count, &overlapped);
    DWORD error = done ? 0 : GetLastError();
    if (error == ERROR_IO_PENDING) {
      HANDLE waits[2] = {overlapped.hEvent, stopEvent};
      if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0) {
        CancelIoEx(handle, &overlapped);
        GetOverlappedResult(handle, &overlapped, &count, TRUE);
        break;
      }
      done = GetOverlappedResult(handle, &overlapped, &count, FALSE);
      error = done ? 0 : GetLastError();
    }
    if (WaitForSingleObject(stopEvent, 0) == WAIT_OBJECT_0) break;
    // A read that timed out with nothing is no failure (Wine says so with ERROR_TIMEOUT).
    if (error == ERROR_TIMEOUT) continue;
    if (!done) {
      const QString reason = systemText(error);
      QMetaObject::invokeMethod(
          this, [this, generation, reason] { lose(generation, reason); }, Qt::QueuedConnection);
      break;
    }
    if (count == 0) continue;
    const QByteArray bytes(buffer, int(count));
    QMetaObject::invokeMethod(
        this, [this, generation, bytes] { arrive(generation, bytes); }, Qt::QueuedConnection);
  }
  CloseHandle(overlapped.hEvent);
}

void Win32SerialPort::arrive(quint64 generation, const QByteArray& bytes) {
  if (generation != generation_ || !isOpen()) return;
  arrived_ += bytes;
  emit dataArrived();
}

void Win32SerialPort::lose(quint64 generation, const QString& reason) {
  if (generation != generation_ || !isOpen()) return;
  close();
  emit failed(reason);
}

bool Win32SerialPort::write(const QByteArray& bytes) {
  if (!isOpen()) return false;
  OVERLAPPED overlapped{};
  overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  DWORD written = 0;
  bool done = WriteFile(handle_, bytes.constData(), DWORD(bytes.size()), &written, &overlapped);
  if (!done && GetLastError() == ERROR_IO_PENDING)
    done = GetOverlappedResult(handle_, &overlapped, &written, TRUE);
  const DWORD code = done ? 0 : GetLastError();
  CloseHandle(overlapped.hEvent);
  if (done && written == DWORD(bytes.size())) return true;
  lose(generation_, done ? QStringLiteral("write time-out") : systemText(code));
  return false;
}

qint64 Win32SerialPort::bytesWaiting() { return arrived_.size(); }

QByteArray Win32SerialPort::readAll() { return std::exchange(arrived_, {}); }

}  // namespace orvex
