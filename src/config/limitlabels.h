#pragma once
#include <QChar>
#include <QString>

// The absolute limits shown beside the mains and alternator percentage options. Products are
// computed in double from the whole nominal value and the multiplier, voltages rounded down.
namespace orvex {

int nominalVoltage(int rvnOption);            // volts, 0 outside 1..12
int nominalFrequency(int rfnOption);          // hertz, 0 outside 1..3
QString nominalVoltageText(int rvnOption);    // "230V"
QString nominalFrequencyText(int rfnOption);  // "50Hz"

// A double as the program writes numbers: at most 15 significant digits, no trailing zeros,
// no thousands separator.
QString formatNumber(double value, QChar decimalPoint = QLatin1Char('.'));

struct MainsOptions {
  int rvn = 0, rvli = 0, rvls = 0, rfn = 0, rfl = 0;
};
struct AlternatorOptions {
  int avli = 0, avls = 0, afl = 0;
};

struct LimitLabels {
  QString lowerVoltage, upperVoltage, lowerFrequency, upperFrequency;
  bool operator==(const LimitLabels&) const = default;
};

// The mains routine: RALMINT, RALMAXT, RALMINF, RALMAXF. `noAlarm` is the text for the
// no-alarm options.
LimitLabels mainsLimitLabels(const MainsOptions& options, const QString& noAlarm,
                             QChar decimalPoint = QLatin1Char('.'));

// The alternator routine: AALMINT, AALMAXT, AALMINF, AALMAXF, from the mains nominal values.
LimitLabels alternatorLimitLabels(int nominalVolts, int nominalHertz,
                                  const AlternatorOptions& options, const QString& noAlarm,
                                  QChar decimalPoint = QLatin1Char('.'));

}  // namespace orvex
