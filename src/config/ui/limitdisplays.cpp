#include "limitdisplays.h"

#include <QLabel>
#include <QLocale>

#include "config/limitlabels.h"
#include "config/ui/controlset.h"
#include "config/ui/optiongroup.h"

namespace orvex {
namespace {

void setLabels(ControlSet& c, const QStringList& names, const LimitLabels& labels) {
  c.label(names[0])->setText(labels.lowerVoltage);
  c.label(names[1])->setText(labels.upperVoltage);
  c.label(names[2])->setText(labels.lowerFrequency);
  c.label(names[3])->setText(labels.upperFrequency);
}

QChar decimalPoint() {
  const QString point = QLocale().decimalPoint();
  return point.isEmpty() ? QLatin1Char('.') : point.at(0);
}

}  // namespace

LimitDisplays::LimitDisplays(ControlSet& controls, std::function<QString()> noAlarmText)
    : controls_(controls), noAlarmText_(std::move(noAlarmText)) {}

void LimitDisplays::wire() {
  QObject::connect(controls_.group("RVN"), &OptionGroup::chosen, controls_.reactions(),
                   [this](int option) { onVoltageOption(option); });
  QObject::connect(controls_.group("RFN"), &OptionGroup::chosen, controls_.reactions(),
                   [this](int option) { onFrequencyOption(option); });
  for (const char* mains : {"RVLI", "RVLS", "RFL"})
    QObject::connect(controls_.group(mains), &OptionGroup::chosen, controls_.reactions(),
                     [this] { refreshMains(); });
  for (const char* alternator : {"AVLI", "AVLS", "AFL"})
    QObject::connect(controls_.group(alternator), &OptionGroup::chosen, controls_.reactions(),
                     [this] { refreshAlternator(); });
}

void LimitDisplays::onVoltageOption(int option) {
  controls_.label("PATEN")->setText(nominalVoltageText(option));
  refreshMains();
  refreshAlternator();
}

void LimitDisplays::onFrequencyOption(int option) {
  controls_.label("PAFRE")->setText(nominalFrequencyText(option));
  refreshMains();
  refreshAlternator();
}

void LimitDisplays::refreshMains() {
  const MainsOptions options{controls_.selectedOption("RVN"), controls_.selectedOption("RVLI"),
                             controls_.selectedOption("RVLS"), controls_.selectedOption("RFN"),
                             controls_.selectedOption("RFL")};
  nominalVolts_ = nominalVoltage(options.rvn);
  nominalHertz_ = nominalFrequency(options.rfn);
  setLabels(controls_, {"RALMINT", "RALMAXT", "RALMINF", "RALMAXF"},
            mainsLimitLabels(options, noAlarmText_(), decimalPoint()));
}

void LimitDisplays::refreshAlternator() {
  const AlternatorOptions options{controls_.selectedOption("AVLI"),
                                  controls_.selectedOption("AVLS"),
                                  controls_.selectedOption("AFL")};
  setLabels(controls_, {"AALMINT", "AALMAXT", "AALMINF", "AALMAXF"},
            alternatorLimitLabels(nominalVolts_, nominalHertz_, options, noAlarmText_(),
                                  decimalPoint()));
}

}  // namespace orvex
