#include "applyserialsettings.h"

#include "common/messageboxes.h"
#include "common/textfile.h"
#include "common/ui/context.h"
#include "lang/extratexts.h"
#include "link/serialport.h"
#include "link/serialsettings.h"

namespace orvex {
namespace {

// The settings stored in confcom.sys, or the default after telling the user and storing it.
QString readOrRestoreSettings(ProgramContext& context, MessageBoxes& messages) {
  const QString path = findFileNoCase(context.programDir, kSerialSettingsFile);
  QString content;
  QString error;
  // An empty file holds no settings at all: treated like a missing one.
  if (readTextFile(path, &content, &error) && !content.trimmed().isEmpty()) return content;

  messages.show(MessageIcon::Exclamation, context.texts.message[41], context.texts.message[42]);
  const QString fallback = kDefaultSerialSettings;
  if (!writeTextFileAtomic(path, fallback + "\r\n", &error)) {
    messages.show(MessageIcon::Exclamation,
                  context.texts.extra[extra::WriteFailed].arg(path, error),
                  context.texts.extra[extra::WriteFailedTitle]);
  }
  return fallback;
}

}  // namespace

void applySerialSettings(ProgramContext& context, SerialPort& port, MessageBoxes& messages) {
  context.serialSettings = readOrRestoreSettings(context, messages).left(kSerialSettingsLength);
  const SerialSettingsFields fields = splitSerialSettings(context.serialSettings);
  const QString title = context.texts.extra[extra::PortErrorTitle];
  QString error;
  if (port.portNumber() != fields.port) {
    if (port.isOpen()) port.close();
    if (!port.setPortNumber(fields.port, &error)) {  // the previous port stays selected
      messages.show(MessageIcon::Exclamation, error, title);
      return;
    }
    // Still selected: the adapter may be plugged in before the next transfer.
    if (!port.isPresent())
      messages.show(MessageIcon::Exclamation,
                    context.texts.extra[extra::PortAbsent].arg(describePort(port)), title);
  }
  if (!port.applySettings(fields.lineSettings, &error))
    messages.show(MessageIcon::Exclamation, error, title);
}

}  // namespace orvex
