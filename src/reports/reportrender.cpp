#include "reportrender.h"

#include <functional>

#include "config/editormodel.h"
#include "config/slottable.h"

namespace orvex {

namespace {

// Field names with the value each takes; labels carry their report text number.
struct FieldSpec {
  const char* name;
  int labelText;  // report text for L_ fields and TITULO; 0 for rendered fields
};

const std::array<FieldSpec, 80>& fieldSpecs() {
  // clang-format off
  static const std::array<FieldSpec, 80> specs = {{
      {"TITULO", 1},
      {"L_PARAMETROS_RED", 2}, {"L_VOLTAGE_NOM", 3}, {"L_LIMITE_INF", 4},
      {"L_LIMITE_SUP", 5}, {"L_FREC_NOMINAL", 6}, {"L_RETARDO_DES", 7},
      {"L_RETARDO_ARR", 8}, {"L_PARAMETROS_ARR", 9}, {"L_TIEMPO_MAX_ARR", 10},
      {"L_TIEMPO_ENTRE_ARR", 11}, {"L_MAX_INT_ARR", 12},
      {"L_CTRL_ARR", 16},
      {"L_PARAMETROS_PARO", 22}, {"L_TIE_RET_RED", 23}, {"L_TIE_ENF", 24},
      {"L_TIE_ORD_PARO", 27}, {"L_PARAMETROS_ALT", 28}, {"L_TIE_DES_ALT", 29},
      {"L_ENTRADAS_DIG", 30}, {"L_ACCION_SA", 31}, {"L_PARO_INM", 32},
      {"L_PARO_TEMP", 33}, {"L_SIRENA", 34}, {"L_SEÑAL_ALR", 35}, {"L_SEC_CR", 36},
      {"L_ACTIVA_SIR", 39}, {"L_TEST_CONT", 42}, {"L_MIN_BAT", 45},
      {"V_VOLTAGE_NOM", 0}, {"V_LIMINF_VRED", 0}, {"V_LIMSUP_VRED", 0}, {"V_FREC_NOM", 0},
      {"V_LIMINF_FRED", 0}, {"V_LIMSUP_FRED", 0}, {"V_RET_DRED", 0}, {"V_RET_AGRP", 0},
      {"V_TIPO_PRE", 0}, {"V_TIEMPO_PRE", 0}, {"V_TIEMPO_ARQ", 0}, {"V_TIEMPO_EARQ", 0},
      {"V_INT_ARQ", 0}, {"V_CA_OIL", 0}, {"V_CA_BORD", 0}, {"V_CA_FRECA", 0},
      {"V_CA_CW_PU", 0}, {"V_RET_RED", 0}, {"V_TIE_ENF", 0}, {"V_TIPO_PARADA", 0},
      {"V_TIE_PARADA", 0}, {"V_LIMINF_VGRP", 0}, {"V_LIMSUP_VGRP", 0},
      {"V_LIMINF_FGRP", 0}, {"V_LIMSUP_FGRP", 0}, {"V_RET_DES_ALT", 0},
      {"V_FUEL_SA", 0}, {"V_FUEL_PI", 0}, {"V_FUEL_PT", 0}, {"V_FUEL_SIR", 0},
      {"V_TEMP_SA", 0}, {"V_TEMP_PI", 0}, {"V_TEMP_PT", 0}, {"V_TEMP_SIR", 0},
      {"V_EXT_SA", 0}, {"V_EXT_PI", 0}, {"V_EXT_PT", 0}, {"V_EXT_SIR", 0},
      {"V_OVER_SA", 0}, {"V_OVER_PI", 0}, {"V_OVER_PT", 0}, {"V_OVER_SIR", 0},
      {"V_OIL_SA", 0}, {"V_OIL_PI", 0}, {"V_OIL_PT", 0}, {"V_OIL_SIR", 0},
      {"V_CTROL_RMTO", 0}, {"V_TIPO_SIR", 0}, {"V_TEST_CONT", 0}, {"V_MIN_BAT", 0},
      {"V_NUM_SERIE", 0},
  }};
  // clang-format on
  return specs;
}

// Renders the V_ fields of one configuration into a name -> value map.
class Renderer {
 public:
  Renderer(const ReportInput& in, const ReportNotation& notation) : in_(in), notation_(notation) {}

  QHash<QString, QString> render() {
    renderMains();
    renderStartSequence();
    renderStartConditions();
    renderStopSequence();
    renderAlternator();
    renderAlarmInputs();
    renderOthers();
    out_[QStringLiteral("V_NUM_SERIE")] = in_.serialNumber;
    return out_;
  }

 private:
  int entry(int slot) const { return valueTableEntry(slot, in_.set[slot]); }
  const QString& text(int n) const { return in_.texts[static_cast<size_t>(n)]; }
  void put(const char* field, const QString& value) { out_[QLatin1String(field)] = value; }
  QString number(int value) const { return QString::number(value); }
  QString decimal(double value) const {
    return reportNumber(value).replace(QLatin1Char('.'), notation_.decimalPoint);
  }
  QString unit(const QString& word) const { return QLatin1Char(' ') + word; }
  QString seconds(int slot) const { return number(entry(slot)) + unit(notation_.seconds); }
  QString box(const char* name) const {
    return decimal(numberFromText(in_.numberBoxes.value(QLatin1String(name))));
  }
  QString connective(int combinationSlot) const {
    return entry(combinationSlot) == 1 ? QStringLiteral(", OR") : QStringLiteral(", AND");
  }
  bool selected(int flagSlot) const { return entry(flagSlot) == 1; }

  int nominalVoltage() const { return entry(1); }
  int nominalFrequency() const { return entry(4); }

  // "-p% (v V)" with v the integer part of the nominal voltage moved by p percent, worked
  // in whole numbers so 100 V at -7 % gives 93 V, not the 92 V of a binary fraction.
  QString voltageLimit(int slot, int sign) const {
    const int p = entry(slot);
    if (p == kNoAlarm) return text(46);
    const qint64 scaled = static_cast<qint64>(nominalVoltage()) * (100 + sign * p);
    return QString(sign < 0 ? QStringLiteral("-") : QStringLiteral("+")) + number(p) +
           QStringLiteral("% (") + QString::number(scaled / 100) + QStringLiteral(" V)");
  }
  // One slot in tenths of a percent gives the lower and the upper frequency limit.
  void frequencyLimits(int slot, const char* lowerField, const char* upperField) {
    const int e = entry(slot);
    if (e == kNoAlarm) {
      put(lowerField, text(46));
      put(upperField, text(46));
      return;
    }
    const double f = nominalFrequency();
    const QString percent = decimal(e / 10.0) + QStringLiteral("% (");
    put(lowerField,
        QStringLiteral("-") + percent + decimal(f * (1000 - e) / 1000.0) + QStringLiteral(" Hz)"));
    put(upperField,
        QStringLiteral("+") + percent + decimal(f * (1000 + e) / 1000.0) + QStringLiteral(" Hz)"));
  }

  void renderMains() {
    put("V_VOLTAGE_NOM", number(nominalVoltage()) + QStringLiteral(" V"));
    put("V_LIMINF_VRED", voltageLimit(2, -1));
    put("V_LIMSUP_VRED", voltageLimit(3, +1));
    put("V_FREC_NOM", number(nominalFrequency()) + QStringLiteral(" Hz"));
    frequencyLimits(5, "V_LIMINF_FRED", "V_LIMSUP_FRED");
    put("V_RET_DRED", entry(6) == kNoAlarm ? text(47) : seconds(6));
    put("V_RET_AGRP", seconds(7));
  }

  void renderStartSequence() {
    QString mode, time;
    switch (entry(8)) {
      case 1: mode = text(15); break;
      case 2:
        mode = text(14);
        time = seconds(9);
        break;
      case 3:
        mode = text(13);
        time = seconds(9);
        break;
      default: break;
    }
    put("V_TIPO_PRE", mode);
    put("V_TIEMPO_PRE", time);
    put("V_TIEMPO_ARQ", seconds(10));
    put("V_TIEMPO_EARQ", seconds(11));
    put("V_INT_ARQ", number(entry(12)));
  }

  void renderStartConditions() {
    put("V_CA_OIL", selected(13) ? text(17) + connective(14) : QString());
    put("V_CA_BORD", selected(15)
                         ? text(19) + box("MCABDVAL") + QStringLiteral(" V") + connective(16)
                         : QString());
    put("V_CA_FRECA", selected(17)
                          ? text(21) + box("MCAFAVAL") + QStringLiteral(" Hz") + connective(18)
                          : QString());
    QString wOrPickUp;
    if (selected(19))
      wOrPickUp = text(20) + box("MCACWVAL") + QStringLiteral(" Hz") + connective(20);
    else if (selected(21))
      wOrPickUp = text(18) + box("MCAPUVAL") + unit(notation_.revolutionsPerMinute) +
                  QStringLiteral(", ") + box("MCAIVVAL") + unit(notation_.pulsesPerRevolution) +
                  connective(22);
    put("V_CA_CW_PU", wOrPickUp);
  }

  void renderStopSequence() {
    put("V_RET_RED", seconds(23));
    put("V_TIE_ENF", seconds(24));
    put("V_TIPO_PARADA", entry(25) == 1 ? text(25) : text(26));
    put("V_TIE_PARADA", seconds(26));
  }

  void renderAlternator() {
    put("V_LIMINF_VGRP", voltageLimit(27, -1));
    put("V_LIMSUP_VGRP", voltageLimit(28, +1));
    frequencyLimits(29, "V_LIMINF_FGRP", "V_LIMSUP_FGRP");
    put("V_RET_DES_ALT", seconds(30));
  }

  void renderAlarmInputs() {
    struct Input {
      const char* prefix;
      int levelSlot;
    };
    static const Input inputs[] = {
        {"V_FUEL_", 31}, {"V_OIL_", 33}, {"V_TEMP_", 35}, {"V_EXT_", 37}, {"V_OVER_", 39}};
    for (const Input& input : inputs) {
      const QString prefix = QLatin1String(input.prefix);
      out_[prefix + QStringLiteral("SA")] =
          entry(input.levelSlot) == 1 ? QStringLiteral("+Vbat") : QStringLiteral("GND");
      const int action = entry(input.levelSlot + 1);
      const bool immediate = action == 1 || action == 3;
      const bool timed = action == 4 || action == 5;
      const bool siren = action == 2 || action == 3 || action == 5;
      const QString mark = QStringLiteral("x");
      out_[prefix + QStringLiteral("PI")] = immediate ? mark : QString();
      out_[prefix + QStringLiteral("PT")] = timed ? mark : QString();
      out_[prefix + QStringLiteral("SIR")] = siren ? mark : QString();
    }
  }

  void renderOthers() {
    // The remote-control field shows the sequence the remote signal runs.
    put("V_CTROL_RMTO", entry(42) == 1 ? text(37) : text(38));
    const QString on = QStringLiteral("Ton = ") + box("TSIRON");
    const QString sec = unit(notation_.seconds);
    put("V_TIPO_SIR", entry(43) == 1 ? text(41) + on + sec
                                     : text(40) + on + sec + QStringLiteral("     &    Toff = ") +
                                           box("TSIROFF") + sec);
    put("V_TEST_CONT", entry(44) == 1 ? text(43) : text(44));
    put("V_MIN_BAT", box("VBAT") + QStringLiteral(" V"));
  }

  const ReportInput& in_;
  const ReportNotation& notation_;
  QHash<QString, QString> out_;
};

// A TAB, CR or LF inside a text or the serial number would split the record.
QString recordField(QString value) {
  for (QChar& c : value)
    if (c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
      c = QLatin1Char(' ');
  return value;
}

}  // namespace

const QStringList& reportNumberBoxNames() {
  static const QStringList names = {"MCABDVAL", "MCAFAVAL", "MCACWVAL", "MCAPUVAL",
                                    "MCAIVVAL", "TSIRON",   "TSIROFF",  "VBAT"};
  return names;
}

const QStringList& reportFieldNames() {
  static const QStringList names = [] {
    QStringList list;
    for (const FieldSpec& spec : fieldSpecs()) list.append(QString::fromUtf8(spec.name));
    return list;
  }();
  return names;
}

QStringList renderReportValues(const ReportInput& input, const ReportNotation& notation) {
  const QHash<QString, QString> rendered = Renderer(input, notation).render();
  QStringList values;
  for (const FieldSpec& spec : fieldSpecs()) {
    values.append(spec.labelText > 0 ? input.texts[static_cast<size_t>(spec.labelText)]
                                     : rendered.value(QString::fromUtf8(spec.name)));
  }
  return values;
}

QString renderReport(const ReportInput& input) {
  const QString lineEnd = QStringLiteral("\r\n");
  QStringList values = renderReportValues(input);
  for (QString& value : values) value = recordField(value);
  return reportFieldNames().join(QLatin1Char('\t')) + lineEnd + values.join(QLatin1Char('\t')) +
         lineEnd;
}

ReportInput editorReportInput(const ParameterSet& set, QList<int>* unshown) {
  EditorModel editor;
  *unshown = showParameterSet(set, editor);
  ReportInput input;
  input.set = set;
  collectParameterSet(editor, &input.set);
  for (const QString& name : reportNumberBoxNames())
    input.numberBoxes.insert(name, editor.text(name));
  return input;
}

// Adding 0.0 turns a negative zero into 0, so "-0" never reaches the report.
QString reportNumber(double value) { return QString::number(value + 0.0, 'g', 15); }

double numberFromText(const QString& text) {
  const QString trimmed = text.trimmed();
  int end = 0;
  if (end < trimmed.size() && (trimmed[end] == '-' || trimmed[end] == '+')) ++end;
  while (end < trimmed.size() && trimmed[end].isDigit()) ++end;
  if (end < trimmed.size() && trimmed[end] == '.') {
    ++end;
    while (end < trimmed.size() && trimmed[end].isDigit()) ++end;
  }
  bool ok = false;
  const double value = trimmed.left(end).toDouble(&ok);
  return ok ? value : 0.0;
}

}  // namespace orvex
