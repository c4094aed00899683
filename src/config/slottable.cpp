#include "slottable.h"

#include <cstring>
#include <vector>

namespace orvex {
namespace {

using E = Encoding;

// clang-format off
const SlotInfo kSlots[kLastSlot] = {
    {1, "V_VOLTAGE_NOM", E::Option, 12},     {2, "V_LIMINF_VRED", E::Option, 12},
    {3, "V_LIMSUP_VRED", E::Option, 12},     {4, "V_FREC_NOM", E::Option, 3},
    {5, "V_LIM_FRED", E::Option, 6},         {6, "V_RET_DRED", E::Option, 9},
    {7, "V_RET_AGRP", E::Option, 12},        {8, "V_TIPO_PRE", E::Option, 3},
    {9, "V_TIEMPO_PRE", E::Option, 8},       {10, "V_TIEMPO_ARQ", E::Option, 8},
    {11, "V_TIEMPO_EARQ", E::Option, 8},     {12, "V_INT_ARQ", E::Option, 5},
    {13, "V_CA_OIL", E::Flag, 2},            {14, "V_CA_OIL_MOD", E::Combination, 2},
    {15, "V_CA_BORD", E::Flag, 2},           {16, "V_CA_BORD_MOD", E::Combination, 2},
    {17, "V_CA_FRECA", E::Flag, 2},          {18, "V_CA_FRECA_MOD", E::Combination, 2},
    {19, "V_CA_CW", E::Flag, 2},             {20, "V_CA_CW_MOD", E::Combination, 2},
    {21, "V_CA_PU", E::Flag, 2},             {22, "V_CA_PU_MOD", E::Combination, 2},
    {23, "V_RET_RED", E::Option, 12},        {24, "V_TIE_ENF", E::Option, 12},
    {25, "V_TIPO_PARADA", E::Option, 2},     {26, "V_TIE_PARADA", E::Option, 8},
    {27, "V_LIMINF_VGRP", E::Option, 9},     {28, "V_LIMSUP_VGRP", E::Option, 9},
    {29, "V_LIM_FGRP", E::Option, 9},        {30, "V_RET_DES_ALT", E::Option, 8},
    {31, "V_FUEL_SA", E::Level, 2},          {32, "V_FUEL_ACC", E::ActionCode, 6},
    {33, "V_OIL_SA", E::Level, 2},           {34, "V_OIL_ACC", E::ActionCode, 6},
    {35, "V_TEMP_SA", E::Level, 2},          {36, "V_TEMP_ACC", E::ActionCode, 6},
    {37, "V_EXT_SA", E::Level, 2},           {38, "V_EXT_ACC", E::ActionCode, 6},
    {39, "V_OVER_SA", E::Level, 2},          {40, "V_OVER_ACC", E::ActionCode, 6},
    {41, "V_RMTO_SA", E::Level, 2},          {42, "V_RMTO_SEC", E::Option, 2},
    {43, "V_TIPO_SIR", E::Option, 2},        {44, "V_TEST_CONT", E::Option, 2},
    {45, "V_MODELO", E::Model, 0},           {46, "V_RESERVA46", E::Reserved, 0},
    {47, "V_RESERVA47", E::Reserved, 0},     {48, "V_CA_BORD_VAL_H", E::BytePairHigh, 0},
    {49, "V_CA_BORD_VAL_L", E::BytePairLow, 0},  {50, "V_CA_FRECA_VAL_H", E::BytePairHigh, 0},
    {51, "V_CA_FRECA_VAL_L", E::BytePairLow, 0}, {52, "V_CA_CW_VAL_H", E::BytePairHigh, 0},
    {53, "V_CA_CW_VAL_L", E::BytePairLow, 0},    {54, "V_CA_PU_VAL_H", E::BytePairHigh, 0},
    {55, "V_CA_PU_VAL_L", E::BytePairLow, 0},    {56, "V_CA_PU_IMP_H", E::BytePairHigh, 0},
    {57, "V_CA_PU_IMP_L", E::BytePairLow, 0},    {58, "V_TSIR_ON_H", E::BytePairHigh, 0},
    {59, "V_TSIR_ON_L", E::BytePairLow, 0},      {60, "V_TSIR_OFF_H", E::BytePairHigh, 0},
    {61, "V_TSIR_OFF_L", E::BytePairLow, 0},     {62, "V_MIN_BAT_H", E::BytePairHigh, 0},
    {63, "V_MIN_BAT_L", E::BytePairLow, 0},
};
// clang-format on

constexpr int N = kNoAlarm;

// Values of the options of slots 1..45, in option order.
std::vector<int> optionValues(int slot) {
  static const std::vector<int> kPercentMains = {2, 5, 7, 10, 12, 15, 17, 20, 25, 30, 40, N};
  static const std::vector<int> kPercentAlt = {2, 5, 7, 10, 15, 20, 30, 40, N};
  static const std::vector<int> kDelays = {1, 3, 5, 10, 20, 30, 45, 60, 90, 100, 125, 150};
  static const std::vector<int> kOneTwo = {1, 2};
  switch (slot) {
    case 1: return {63, 100, 115, 125, 200, 215, 230, 240, 380, 400, 415, 480};
    case 2:
    case 3: return kPercentMains;
    case 4: return {50, 60, 400};
    case 5: return {5, 7, 10, 15, 20, N};
    case 6: return {1, 3, 5, 10, 15, 20, 30, 60, N};
    case 7:
    case 23: return kDelays;
    case 8: return {1, 2, 3};
    case 9: return {3, 5, 10, 15, 20, 30, 45, 60};
    case 10: return {2, 3, 4, 5, 6, 7, 10, 15};
    case 11: return {2, 5, 7, 10, 15, 20, 30, 60};
    case 12: return {1, 3, 6, 10, 15};
    case 24: return {5, 10, 15, 30, 45, 60, 90, 120, 240, 360, 480, 600};
    case 26: return {5, 10, 15, 30, 45, 60, 120, 180};
    case 27:
    case 28: return kPercentAlt;
    case 29: return {5, 10, 20, 50, 75, 83, 100, 150, N};
    case 30: return {1, 3, 5, 10, 15, 20, 30, 60};
    case 32:
    case 34:
    case 36:
    case 38:
    case 40: return {1, 2, 3, 4, 5, 6};
    case 45: return {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    default: break;
  }
  if ((slot >= 13 && slot <= 22) || slot == 25 || slot == 31 || slot == 33 || slot == 35 ||
      slot == 37 || slot == 39 || (slot >= 41 && slot <= 44))
    return kOneTwo;
  return {};
}

}  // namespace

const SlotInfo& slotInfo(int slot) { return kSlots[slot - 1]; }

int slotByName(const char* name) {
  for (const SlotInfo& info : kSlots)
    if (std::strcmp(info.name, name) == 0) return info.slot;
  return 0;
}

int valueTableEntry(int slot, int option) {
  if (slot < 1 || slot > 45 || option < 1) return 0;
  const std::vector<int> values = optionValues(slot);
  if (option > 14) return 0;
  return option <= static_cast<int>(values.size()) ? values[option - 1] : kBeyondLastOption;
}

bool actionBoxesForCode(int code, ActionBoxes* boxes) {
  switch (code) {
    case 1: *boxes = {true, false, false}; return true;
    case 2: *boxes = {false, false, true}; return true;
    case 3: *boxes = {true, false, true}; return true;
    case 4: *boxes = {false, true, false}; return true;
    case 5: *boxes = {false, true, true}; return true;
    case 6: *boxes = {false, false, false}; return true;
    default: return false;
  }
}

int actionCodeFromBoxes(const ActionBoxes& b, int previous) {
  // Six tests, each overwriting the result when it holds: a later test wins.
  int code = previous;
  if (b.immediate && !b.siren) code = 1;
  if (!b.immediate && !b.timed && b.siren) code = 2;
  if (b.immediate && b.siren) code = 3;
  if (b.timed && !b.siren) code = 4;
  if (b.timed && b.siren) code = 5;
  if (!b.immediate && !b.timed && !b.siren) code = 6;
  return code;
}

}  // namespace orvex
