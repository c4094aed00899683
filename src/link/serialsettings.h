#pragma once
#include <QString>

// The serial settings string of confcom.sys and the line settings applied to the port.
namespace orvex {

inline constexpr char kSerialSettingsFile[] = "confcom.sys";
inline constexpr char kDefaultSerialSettings[] = "COM1:9600,N,8,1";
constexpr int kSerialSettingsLength = 15;  // only the first 15 characters carry settings

// Speed, parity, data bits and stop bits as the port takes them ("19200,O,7,2").
struct LineSettings {
  int baud = 9600;
  char parity = 'N';  // 'N', 'O', 'E'
  int dataBits = 8;
  int stopBits = 1;
  bool operator==(const LineSettings&) const = default;
  // Bits on the wire per character: start, data, parity, stop.
  int bitsPerCharacter() const { return 1 + dataBits + (parity == 'N' ? 0 : 1) + stopBits; }
};

// Parses "9600,N,8,1"; on failure *error says which field is wrong.
bool parseLineSettings(const QString& text, LineSettings* settings, QString* error);

// The fields cut out of the 15-character layout "COMp:bbbb,P,D,S" at fixed positions. The
// stored baud field "1920" stands for 19200. A damaged string yields whatever stands at the
// positions; the port then rejects it with its own error text.
struct SerialSettingsFields {
  int port = 0;          // numeric value of position 4, 0 when it is no digit
  QString lineSettings;  // "19200,O,7,2"
};
SerialSettingsFields splitSerialSettings(const QString& settings);

// The five window variables of ConfigCOM, as its options set them ("COM3", "1920", "O",
// "7", "2"); an empty one matched no option.
struct SerialChoice {
  QString port;
  QString baud;
  QString parity;
  QString dataBits;
  QString stopBits;
  bool operator==(const SerialChoice&) const = default;
};
// The choice a settings string preselects, read field by field from its separators.
SerialChoice choiceFromSettings(const QString& settings);
// "COM3:1920,O,7,2#000#": the text Salvar stores (without the line end).
QString settingsFromChoice(const SerialChoice& choice);

}  // namespace orvex
