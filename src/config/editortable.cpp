#include "editortable.h"

#include <QHash>

#include "config/slottable.h"

namespace orvex {
namespace {

using K = ControlKind;

// clang-format off
const std::vector<MappingStep> kSteps = {
    {K::OptionGroup, 1, "RVN"},       {K::OptionGroup, 2, "RVLI"},
    {K::OptionGroup, 3, "RVLS"},      {K::OptionGroup, 4, "RFN"},
    {K::OptionGroup, 5, "RFL"},       {K::OptionGroup, 6, "RDR"},
    {K::OptionGroup, 7, "RIA"},       {K::OptionGroup, 8, "MPCM"},
    {K::OptionGroup, 9, "MPC"},       {K::OptionGroup, 10, "MTA"},
    {K::OptionGroup, 11, "MTEA"},     {K::OptionGroup, 12, "MIAM"},
    {K::Flag, 13, "MCAPA"},           {K::OptionGroup, 14, "MCAPAMOD"},
    {K::Flag, 15, "MCABD"},           {K::NumberBox, 48, "MCABDVAL"},
    {K::OptionGroup, 16, "MCABDMOD"}, {K::Flag, 17, "MCAFA"},
    {K::NumberBox, 50, "MCAFAVAL"},   {K::OptionGroup, 18, "MCAFAMOD"},
    {K::Flag, 19, "MCACW"},           {K::NumberBox, 52, "MCACWVAL"},
    {K::OptionGroup, 20, "MCACWMOD"}, {K::Flag, 21, "MCAPU"},
    {K::NumberBox, 54, "MCAPUVAL"},   {K::NumberBox, 56, "MCAIVVAL"},
    {K::OptionGroup, 22, "MCAPUMOD"}, {K::OptionGroup, 23, "TRR"},
    {K::OptionGroup, 24, "TENF"},     {K::OptionGroup, 25, "TIPPRD"},
    {K::OptionGroup, 26, "TPRD"},     {K::OptionGroup, 27, "AVLI"},
    {K::OptionGroup, 28, "AVLS"},     {K::OptionGroup, 29, "AFL"},
    {K::OptionGroup, 30, "ADA"},      {K::OptionGroup, 31, "ALARFUE"},
    {K::ActionBoxes, 32, "ALARFUE"},  {K::OptionGroup, 33, "ALAROIL"},
    {K::ActionBoxes, 34, "ALAROIL"},  {K::OptionGroup, 35, "ALARTEM"},
    {K::ActionBoxes, 36, "ALARTEM"},  {K::OptionGroup, 37, "ALAREXT"},
    {K::ActionBoxes, 38, "ALAREXT"},  {K::OptionGroup, 39, "ALAROVE"},
    {K::ActionBoxes, 40, "ALAROVE"},  {K::OptionGroup, 41, "INCR"},
    {K::OptionGroup, 42, "ACCR"},     {K::NumberBox, 58, "TSIRON"},
    {K::OptionGroup, 43, "TIPSIR"},   {K::NumberBox, 60, "TSIROFF"},
    {K::OptionGroup, 44, "TESCON"},   {K::NumberBox, 62, "VBAT"},
};
// clang-format on

enum class Style { Volts, Minus, Plus, Band, Hertz, Seconds, Count };

QString numberCaption(int slot, int option, Style style) {
  const int value = valueTableEntry(slot, option);
  const bool tenths = slot == 5 || slot == 29;
  QString number = tenths ? QString::number(value / 10.0, 'f', 1) : QString::number(value);
  switch (style) {
    case Style::Volts: return number + " V";
    case Style::Minus: return "-" + number + " %";
    case Style::Plus: return "+" + number + " %";
    case Style::Band: return QString::fromUtf8("\u00B1") + number + " %";
    case Style::Hertz: return number + " Hz";
    case Style::Seconds: return number + " s";
    case Style::Count: return number;
  }
  return number;
}

// Captions of groups whose options are physical values; the no-alarm option (and the
// "when alternator voltage is available" delay) carry a text instead.
QStringList valueCaptions(int slot, Style style) {
  QStringList captions;
  for (int n = 1; n <= slotInfo(slot).options; ++n) {
    if (valueTableEntry(slot, n) == kNoAlarm)
      captions << (slot == 6 ? QString::fromUtf8("Con Tensión ALT") : QString("Sin Alarma"));
    else captions << numberCaption(slot, n, style);
  }
  return captions;
}

// clang-format off
QStringList textCaptions(int slot) {
  switch (slot) {
    case 8:
      return {"Sin Precaltmto.", "En 1er Intento", "En cada Intento"};
    case 14: case 16: case 18: case 20: case 22:
      return {"OR", "AND"};
    case 25:
      return {"Por EXCITACION", "Por DESEXCITACION"};
    case 31: case 33: case 35: case 37: case 39: case 41:
      return {"+V", "GND"};
    case 42:
      return {"Desconecta  RED, Arranca GRP, Conecta ALT.",
              "Arranca GRP,  Desconecta RED, Conecta ALT."};
    case 43:
      return {"Una vez", "Repetitivo"};
    case 44:
      return {"Sin Control", "Con Contrl"};
    default:
      return {};
  }
}
// clang-format on

}  // namespace

const std::vector<MappingStep>& mappingSteps() { return kSteps; }

const MappingStep* optionGroupStep(const QString& control) {
  for (const MappingStep& step : kSteps)
    if (step.kind == ControlKind::OptionGroup && control == QLatin1String(step.control))
      return &step;
  return nullptr;
}

int optionCount(const MappingStep& step) { return slotInfo(step.slot).options; }

// clang-format off
QStringList optionCaptions(int slot) {
  switch (slot) {
    case 1: return valueCaptions(slot, Style::Volts);
    case 2: case 27: return valueCaptions(slot, Style::Minus);
    case 3: case 28: return valueCaptions(slot, Style::Plus);
    case 4: return valueCaptions(slot, Style::Hertz);
    case 5: case 29: return valueCaptions(slot, Style::Band);
    case 6: case 7: case 9: case 10: case 11: case 23: case 24: case 26: case 30:
      return valueCaptions(slot, Style::Seconds);
    case 12: return valueCaptions(slot, Style::Count);
    default: return textCaptions(slot);
  }
}
// clang-format on

QString numberBoxLabelCaption(const QString& label) {
  // clang-format off
  static const QHash<QString, QString> kCaptions = {
      {"MCALABBD", "V"},    {"MCALABFA", "Hz"},   {"MCALABCW", "Hz"},
      {"MCALABPU", "RPM"},  {"MCALABIV", "Imp/Vuelta"},
      {"Label43", "Ton"},   {"Label44", "Sec"},   {"Label45", "Toff"},
      {"Label46", "Sec"},   {"Label47", "Vbat"},  {"Label48", "V"}};
  // clang-format on
  return kCaptions.value(label);
}

QString immediateStopBox(const QString& input) { return input + "_PI"; }
QString timedStopBox(const QString& input) { return input + "_PT"; }
QString sirenBox(const QString& input) { return input + "_SIR"; }

QStringList checksClearedBy(const QString& check) {
  if (check == QLatin1String("MCABD")) return {"MCACW", "MCAPU"};
  if (check == QLatin1String("MCACW")) return {"MCAPU", "MCABD"};
  if (check == QLatin1String("MCAPU")) return {"MCACW", "MCABD"};
  if (check.endsWith(QLatin1String("_PI"))) return {timedStopBox(check.chopped(3))};
  if (check.endsWith(QLatin1String("_PT"))) return {immediateStopBox(check.chopped(3))};
  return {};
}

QString memberName(const QString& array, int index) {
  return QStringLiteral("%1(%2)").arg(array).arg(index);
}

}  // namespace orvex
