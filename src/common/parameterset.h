#pragma once
#include <QtGlobal>

#include <array>

namespace orvex {

// The instrument's configuration: slot k is holding register k. Entries 0..80 exist, only
// 1..63 carry data.
constexpr int kFirstSlot = 1;
constexpr int kLastSlot = 63;
constexpr int kModelSlot = 45;

struct ParameterSet {
  std::array<qint16, 81> slot{};

  qint16& operator[](int k) { return slot.at(static_cast<size_t>(k)); }
  qint16 operator[](int k) const { return slot.at(static_cast<size_t>(k)); }
  bool operator==(const ParameterSet&) const = default;
};

}  // namespace orvex
