#include "limitlabels.h"

#include <array>
#include <cmath>
#include <optional>

namespace orvex {
namespace {

constexpr std::array<int, 12> kVolts = {63, 100, 115, 125, 200, 215, 230, 240, 380, 400, 415, 480};
constexpr std::array<int, 3> kHertz = {50, 60, 400};

// Multipliers by option; the entry after the last one is the no-alarm option.
constexpr std::array<double, 11> kMainsLower = {0.98, 0.95, 0.93, 0.9, 0.88, 0.85,
                                                0.83, 0.8,  0.75, 0.7, 0.6};
constexpr std::array<double, 11> kMainsUpper = {1.02, 1.05, 1.07, 1.1, 1.12, 1.15,
                                                1.17, 1.2,  1.25, 1.3, 1.4};
constexpr std::array<double, 5> kMainsBandLower = {0.995, 0.993, 0.99, 0.985, 0.98};
constexpr std::array<double, 5> kMainsBandUpper = {1.005, 1.007, 1.01, 1.015, 1.02};
constexpr std::array<double, 8> kAltLower = {0.98, 0.95, 0.93, 0.9, 0.85, 0.8, 0.7, 0.6};
constexpr std::array<double, 8> kAltUpper = {1.02, 1.05, 1.07, 1.1, 1.15, 1.2, 1.3, 1.4};
constexpr std::array<double, 8> kAltBandLower = {0.995, 0.99, 0.98, 0.95, 0.925, 0.917, 0.9, 0.85};
constexpr std::array<double, 8> kAltBandUpper = {1.005, 1.01, 1.02, 1.05, 1.075, 1.084, 1.1, 1.15};
constexpr int kAltWholeHertzOption = 6;  // the 8.3 % band shows whole hertz

template <size_t N>
std::optional<double> multiplier(const std::array<double, N>& table, int option) {
  if (option < 1 || option > static_cast<int>(N)) return std::nullopt;
  return table[static_cast<size_t>(option - 1)];
}

QString voltageText(int nominal, std::optional<double> factor, const QString& noAlarm,
                    QChar point) {
  if (!factor) return noAlarm;
  return formatNumber(std::floor(nominal * *factor), point) + "V";
}

QString frequencyText(int nominal, std::optional<double> factor, bool wholeHertz,
                      const QString& noAlarm, QChar point) {
  if (!factor) return noAlarm;
  const double product = nominal * *factor;
  return formatNumber(wholeHertz ? std::floor(product) : product, point) + "Hz";
}

}  // namespace

int nominalVoltage(int option) {
  return option >= 1 && option <= 12 ? kVolts[static_cast<size_t>(option - 1)] : 0;
}

int nominalFrequency(int option) {
  return option >= 1 && option <= 3 ? kHertz[static_cast<size_t>(option - 1)] : 0;
}

QString nominalVoltageText(int option) {
  const int volts = nominalVoltage(option);
  return volts ? QString::number(volts) + "V" : QString();
}

QString nominalFrequencyText(int option) {
  const int hertz = nominalFrequency(option);
  return hertz ? QString::number(hertz) + "Hz" : QString();
}

QString formatNumber(double value, QChar decimalPoint) {
  QString text = QString::number(value, 'g', 15);
  if (text.contains('e')) text = QString::number(value, 'f', 15);  // never scientific
  if (text.contains('.')) {
    while (text.endsWith('0')) text.chop(1);
    if (text.endsWith('.')) text.chop(1);
  }
  if (text == "-0") text = "0";
  text.replace('.', decimalPoint);
  return text;
}

LimitLabels mainsLimitLabels(const MainsOptions& o, const QString& noAlarm, QChar point) {
  const int volts = nominalVoltage(o.rvn);
  const int hertz = nominalFrequency(o.rfn);
  return {voltageText(volts, multiplier(kMainsLower, o.rvli), noAlarm, point),
          voltageText(volts, multiplier(kMainsUpper, o.rvls), noAlarm, point),
          frequencyText(hertz, multiplier(kMainsBandLower, o.rfl), false, noAlarm, point),
          frequencyText(hertz, multiplier(kMainsBandUpper, o.rfl), false, noAlarm, point)};
}

LimitLabels alternatorLimitLabels(int volts, int hertz, const AlternatorOptions& o,
                                  const QString& noAlarm, QChar point) {
  const bool whole = o.afl == kAltWholeHertzOption;
  return {voltageText(volts, multiplier(kAltLower, o.avli), noAlarm, point),
          voltageText(volts, multiplier(kAltUpper, o.avls), noAlarm, point),
          frequencyText(hertz, multiplier(kAltBandLower, o.afl), whole, noAlarm, point),
          frequencyText(hertz, multiplier(kAltBandUpper, o.afl), whole, noAlarm, point)};
}

}  // namespace orvex
