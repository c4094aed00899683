#include "serialdevices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtGlobal>
#ifndef Q_OS_WIN
#include <QSerialPortInfo>
#endif

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "common/textfile.h"
#include "link/systemserialport.h"

namespace orvex {
namespace {

// The same device however it is reached (a link in /dev/serial/by-id, the COMn link).
QString canonical(const QString& path) {
  const QString resolved = QFileInfo(path).canonicalFilePath();
  return resolved.isEmpty() ? path : resolved;
}

const SerialDevice* findDevice(const QList<SerialDevice>& devices, const QString& location) {
  for (const SerialDevice& device : devices)
    if (device.location == location || canonical(device.location) == canonical(location))
      return &device;
  return nullptr;
}

QString details(const SerialDevice& device) {
  QStringList parts;
  const QString name =
      QStringList{device.manufacturer, device.description}.join(QLatin1Char(' ')).trimmed();
  if (!name.isEmpty()) parts << name;
  if (!device.serialNumber.isEmpty()) parts << device.serialNumber;
  return parts.join(QStringLiteral(", "));
}

}  // namespace

QList<SerialDevice> SystemSerialDevices::devices() const {
  QList<SerialDevice> list;
#ifdef Q_OS_WIN
  for (const QString& name : systemComPorts()) list.append({name, {}, {}, {}, false});
#else
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
    list.append({info.systemLocation(), info.description(), info.manufacturer(),
                 info.serialNumber(), info.hasVendorIdentifier()});
#endif
  return list;
}

QString describeComTarget(const QString& programDir, int number, const SerialDeviceSource& source,
                          const QString& absent) {
  const QString location = comDevicePath(programDir, number);
  const QList<SerialDevice> devices = source.devices();
  const SerialDevice* device = findDevice(devices, location);
#ifdef Q_OS_WIN
  if (!device) return absent;
#else
  if (!QFileInfo::exists(location)) return location + QStringLiteral(" \u2014 ") + absent;
#endif
  const QString more = device ? details(*device) : QString();
  return more.isEmpty() ? location : location + QStringLiteral(" \u2014 ") + more;
}

bool comLinksSupported() {
#ifdef Q_OS_WIN
  return false;
#else
  return true;
#endif
}

LinkFailure linkComPort(const QString& programDir, int number, const QString& device,
                        QString* systemText) {
  const QString name = QStringLiteral("COM%1").arg(number);
  const QString link = findFileNoCase(programDir, name);
  const QFileInfo existing(link);
  if (existing.exists() && !existing.isSymLink()) return LinkFailure::NotALink;
  // A new link beside it, renamed over the old one: COMn is never missing in between.
  const QString temporary = QDir(programDir).filePath(QStringLiteral(".%1.new").arg(name));
  QFile::remove(temporary);
  QFile target(device);
  if (!target.link(temporary)) {
    *systemText = target.errorString();
    return LinkFailure::Refused;
  }
  if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(link).constData()) !=
      0) {
    *systemText = QString::fromLocal8Bit(std::strerror(errno));
    QFile::remove(temporary);
    return LinkFailure::Refused;
  }
  return LinkFailure::None;
}

}  // namespace orvex
