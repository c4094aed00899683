// confcom.sys: the serial settings string as the start-up applies it to the port (fields
// at fixed positions, then the line settings the port parses) and as ConfigCOM preselects
// its options from it (fields by separators), with the file read from a program folder.
#include "common/context.h"
#include "common/cp1252.h"
#include "fuzzsupport.h"
#include "lang/extratexts.h"
#include "link/applyserialsettings.h"
#include "link/serialsettings.h"
#include "support/recordingmessageboxes.h"
#include "testing/inmemoryserialport.h"

using namespace orvex;
using fuzz::expect;

namespace {

void checkLineSettings(const QString& text) {
  LineSettings line;
  QString error;
  if (parseLineSettings(text, &line, &error))
    expect(line.bitsPerCharacter() >= 7 && line.bitsPerCharacter() <= 12,
           "accepted line settings are 5..8 data bits, parity or none, 1..2 stop bits");
  else expect(!error.isEmpty(), "a rejected setting says why");
}

void checkChoice(const QString& settings) {
  const SerialChoice choice = choiceFromSettings(settings);
  // What Salvar stores from a preselection must preselect the same options again.
  expect(choiceFromSettings(settingsFromChoice(choice)) == choice, "the choice survives saving");
}

void checkStartup(const QByteArray& file) {
  ProgramContext context;
  context.programDir = fuzz::scratchDir();
  context.texts.extra[extra::PortAbsent] = QStringLiteral("absent %1");
  context.texts.extra[extra::WriteFailed] = QStringLiteral("not written %1: %2");
  fuzz::writeScratchFile(context.path(kSerialSettingsFile), file);
  test::VirtualTimeWaiter clock;
  test::InMemorySerialPort port(clock);
  test::RecordingMessageBoxes messages;
  applySerialSettings(context, port, messages);
  expect(context.serialSettings.size() <= kSerialSettingsLength, "only 15 characters are kept");
  expect(!port.isOpen(), "applying settings never opens the port");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes = fuzz::inputBytes(data, size);
  const QString content = fromCp1252(bytes);
  checkLineSettings(splitSerialSettings(content).lineSettings);
  checkLineSettings(content);
  checkChoice(content);
  checkStartup(bytes);
  return 0;
}
