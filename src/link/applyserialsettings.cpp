#include "applyserialsettings.h"

#include <QDir>

#include "common/messageboxes.h"
#include "common/textfile.h"
#include "common/ui/context.h"
#include "lang/extratexts.h"
#include "lang/writefailure.h"
#include "link/serialport.h"
#include "link/serialsettings.h"

namespace orvex {
namespace {

// The settings stored in confcom.sys, or the default after telling the user and storing it.
QString readOrRestoreSettings(ProgramContext& context, MessageBoxes& messages) {
  const QString path = findFileNoCase(context.programDir, kSerialSettingsFile);
  QString content;
  // An empty file holds no settings at all, and one too large is no settings file: both are
  // treated like a missing one.
  if (readTextFile(path, kSettingsFileLimit, &content) && !content.trimmed().isEmpty())
    return content;

  messages.show(MessageIcon::Exclamation, context.texts.message[41], context.texts.message[42]);
  QString fallback = kDefaultSerialSettings;
  QString error;
  if (!writeTextFileAtomic(path, fallback + "\r\n", &error)) {
    messages.show(MessageIcon::Exclamation,
                  context.texts.extra[extra::WriteFailed].arg(path,
                                                              writeFailureReason(&context.texts,
                                                                                 path, error)),
                  context.texts.extra[extra::WriteFailedTitle]);
  }
  return fallback;
}

// Selects the port even when its device is absent now (the adapter may come later).
void selectPort(ProgramContext& context, SerialPort& port, MessageBoxes& messages, int number) {
  const QString title = context.texts.extra[extra::PortErrorTitle];
  if (port.isOpen()) port.close();
  QString error;
  if (!port.setPortNumber(number, &error)) {
    messages.show(MessageIcon::Exclamation, error, title);
    return;
  }
  if (!port.isPresent())
    messages.show(MessageIcon::Exclamation,
                  context.texts.extra[extra::PortAbsent].arg(describePort(port)), title);
}

}  // namespace

void applySerialSettings(ProgramContext& context, SerialPort& port, MessageBoxes& messages) {
  context.serialSettings = readOrRestoreSettings(context, messages).left(kSerialSettingsLength);
  const SerialSettingsFields fields = splitSerialSettings(context.serialSettings);
  LineSettings line;
  const bool portUnderstood = fields.port >= 1;
  const bool lineUnderstood = parseLineSettings(fields.lineSettings, &line, nullptr);
  // One message that names the file and says what to do, instead of the port's own texts.
  if (!portUnderstood || !lineUnderstood) {
    const QString path =
        QDir::toNativeSeparators(findFileNoCase(context.programDir, kSerialSettingsFile));
    messages.show(MessageIcon::Exclamation,
                  context.texts.extra[extra::SettingsDamaged].arg(context.serialSettings, path),
                  context.texts.message[42]);
  }
  if (!portUnderstood) return;  // the previous port stays selected, its settings applied
  if (port.portNumber() != fields.port) selectPort(context, port, messages, fields.port);
  QString error;
  if (lineUnderstood && !port.applySettings(fields.lineSettings, &error))
    messages.show(MessageIcon::Exclamation, error, context.texts.extra[extra::PortErrorTitle]);
}

}  // namespace orvex
