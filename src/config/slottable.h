#pragma once
#include "common/parameterset.h"

// What the slots of a parameter set mean: their encodings, the report's value table, the
// alarm action codes and the byte pairs.
namespace orvex {

enum class Encoding {
  Option,        // 1..options: position of the selected option button
  Flag,          // 1 enabled, 2 disabled
  Combination,   // 1 OR, 2 AND
  Level,         // 1 active at +V, 2 active at GND
  ActionCode,    // 1..6, see ActionCode below; 0 = never set
  BytePairHigh,  // high byte of a whole number 0..65535, the next slot holds the low byte
  BytePairLow,
  Model,     // instrument model code, never shown, collected or written
  Reserved,  // always 0 when collected
};

struct SlotInfo {
  int slot;
  const char* name;
  Encoding encoding;
  int options;  // number of options for Option/Flag/Combination/Level/ActionCode, else 0
};

const SlotInfo& slotInfo(int slot);  // slot 1..63
int slotByName(const char* name);    // 0 when unknown

// Report value table: the physical value that option `option` of slot `slot` (1..45)
// stands for. 9999 = no alarm / "when alternator voltage is available", 5555 = beyond
// the slot's last option, 0 for option 0 and for slots without a table.
constexpr int kNoAlarm = 9999;
constexpr int kBeyondLastOption = 5555;
int valueTableEntry(int slot, int option);

// Alarm action codes, as the three check boxes (immediate stop, timed stop, siren) give them.
struct ActionBoxes {
  bool immediate = false;
  bool timed = false;
  bool siren = false;
  bool operator==(const ActionBoxes&) const = default;
};
// The boxes a code ticks; false for codes outside 1..6 (the boxes stay as they are).
bool actionBoxesForCode(int code, ActionBoxes* boxes);
// The code collected from the boxes; `previous` when no rule applies (immediate and timed
// both ticked without siren cannot be produced by the editor).
int actionCodeFromBoxes(const ActionBoxes& boxes, int previous);

// A whole number 0..65535 kept as a high and a low byte in two consecutive slots.
inline int bytePairValue(qint16 high, qint16 low) {
  return (static_cast<quint16>(high) & 0xFF) * 256 + (static_cast<quint16>(low) & 0xFF);
}
inline void splitBytePair(int value, qint16* high, qint16* low) {
  const quint16 v = static_cast<quint16>(value);
  *high = static_cast<qint16>(v >> 8);
  *low = static_cast<qint16>(v & 0xFF);
}

}  // namespace orvex
