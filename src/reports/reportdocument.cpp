#include "reportdocument.h"

#include <QLocale>

#include "lang/extratexts.h"
#include "lang/languages.h"
#include "lang/textlookup.h"

namespace orvex {
namespace {

// The alarm inputs in the record's order, with the word that names each.
struct AlarmInput {
  const char* field;  // V_<field>_SA, _PI, _PT, _SIR
  int name;           // extra:: text
};
constexpr AlarmInput kAlarmInputs[] = {{"FUEL", extra::DocInputFuel},
                                       {"TEMP", extra::DocInputTemperature},
                                       {"EXT", extra::DocInputExternal},
                                       {"OVER", extra::DocInputOverload},
                                       {"OIL", extra::DocInputOil}};

const char* const kStyle =
    "h1 { font-size: 15pt; margin: 0; } "
    "h2 { font-size: 10.5pt; margin-top: 7px; margin-bottom: 2px; color: #1a3a6b; } "
    "table.rows { border-collapse: collapse; } "
    "table.rows td, table.rows th { border: 1px solid #b8c2d0; padding: 2px 5px; } "
    "th { background-color: #e8edf4; font-weight: bold; } "
    "td.label { color: #333333; } "
    "td.sign { border-bottom: 1px solid #000000; font-size: 8pt; color: #333333; } ";

QString escaped(const QString& text) { return text.toHtmlEscaped(); }

// Lines break after a separator ("-", "/", a blank); a run without one that is longer than
// a line would be cut wherever the line ends, leaving a digit or two on a line of their own,
// so such a run goes on lines of equal length instead.
QString wrappedWord(const QString& word) {
  constexpr qsizetype kLongestRun = 60;
  QString html;
  qsizetype start = 0;
  for (qsizetype i = 0; i <= word.size(); ++i) {
    if (i < word.size() && word[i].isLetterOrNumber()) continue;
    const QString run = word.mid(start, i - start);
    const qsizetype lines = (run.size() + kLongestRun - 1) / kLongestRun;
    const qsizetype length = lines > 1 ? (run.size() + lines - 1) / lines : run.size();
    QStringList pieces;
    for (qsizetype p = 0; p < run.size(); p += length) pieces << escaped(run.mid(p, length));
    html += pieces.join(QStringLiteral("<br>")) + escaped(word.mid(i, 1));
    start = i + 1;
  }
  return html;
}

class DocumentBuilder {
 public:
  DocumentBuilder(const QStringList& values, const TextTables& texts)
      : values_(values), texts_(texts) {}

  QString build(const ReportDocumentHeader& header) {
    html_ = QStringLiteral("<html><head><style>%1</style></head><body>").arg(kStyle);
    titleBlock(header);
    mains();
    startSequence();
    stopSequence();
    alternator();
    digitalInputs();
    signatureBlock();
    html_ += QStringLiteral("</body></html>");
    return html_;
  }

 private:
  QString value(const char* field) const {
    return values_.value(reportFieldNames().indexOf(QString::fromUtf8(field)));
  }
  QString word(int item) const { return extraText(&texts_, item); }

  // The serial number and the document number on lines of their own, where long ones have
  // room; a table of six columns, so that rows of one, two and three cells line up.
  void titleBlock(const ReportDocumentHeader& header) {
    html_ += QStringLiteral("<h1>%1</h1>").arg(escaped(value("TITULO")));
    html_ += QStringLiteral("<table class='rows' width='100%' cellspacing='0'>");
    const QString serial = value("V_NUM_SERIE");
    line(messageText(&texts_, 48), wrappedWord(serial));
    line(word(extra::DocNumber), wrappedWord(reportDocumentNumber(serial, header.made)));
    // The short ones share a row, so that a common configuration stays on one page.
    cells({{word(extra::DocModel), escaped(reportModelName(header.source.set, texts_))},
           {word(extra::DocDate), header.made.toString(QStringLiteral("yyyy-MM-dd HH:mm"))},
           {word(extra::DocVersion), escaped(header.programVersion)}});
    // Where the values came from, and for whom and where they were put in, when typed.
    line(word(extra::DocSource), escaped(reportSourceText(header.source, texts_)));
    if (!header.customer.isEmpty() || !header.site.isEmpty())
      cells({{word(extra::DocCustomer), escaped(header.customer)},
             {word(extra::DocSite), escaped(header.site)}});
    html_ += QStringLiteral("</table>");
  }
  // A row of one cell across the table's six columns.
  void line(const QString& label, const QString& html) { cells({{label, html}}); }
  // A row of labelled cells sharing the width: (label, rich text) each.
  void cells(const QList<std::pair<QString, QString>>& labelled) {
    const auto span = static_cast<int>(6 / labelled.size());
    html_ += QStringLiteral("<tr>");
    for (const auto& [label, html] : labelled)
      html_ += QStringLiteral("<td colspan='%1' width='%2%'><b>%3:</b> %4</td>")
                   .arg(span)
                   .arg(100 / labelled.size())
                   .arg(escaped(label), html);
    html_ += QStringLiteral("</tr>");
  }

  void beginSection(const char* titleField, const char* anchor = "") {
    const QString title = escaped(value(titleField));
    html_ +=
        QStringLiteral("<h2>%1</h2>")
            .arg(*anchor ? QStringLiteral("<a name='%1'>%2</a>").arg(QLatin1String(anchor), title)
                         : title);
    html_ += QStringLiteral("<table class='rows' width='100%' cellspacing='0'>");
  }
  void endSection() { html_ += QStringLiteral("</table>"); }
  void row(const QString& label, const QString& valueHtml) {
    html_ += QStringLiteral("<tr><td class='label' width='42%'>%1</td><td>%2</td></tr>")
                 .arg(escaped(label), valueHtml);
  }
  void row(const char* labelField, const char* valueField) {
    row(value(labelField), escaped(value(valueField)));
  }
  // A limit of voltage and frequency, one to a line.
  void limitRow(const char* labelField, const char* voltageField, const char* frequencyField) {
    row(value(labelField),
        QStringLiteral("%1: %2<br>%3: %4")
            .arg(escaped(word(extra::DocVoltage)), escaped(value(voltageField)),
                 escaped(word(extra::DocFrequency)), escaped(value(frequencyField))));
  }
  // Several values of one setting, one to a line, the empty ones left out.
  QString lines(std::initializer_list<const char*> fields) const {
    QStringList shown;
    for (const char* field : fields)
      if (!value(field).isEmpty()) shown << escaped(value(field));
    return shown.join(QStringLiteral("<br>"));
  }

  void mains() {
    beginSection("L_PARAMETROS_RED");
    row("L_VOLTAGE_NOM", "V_VOLTAGE_NOM");
    row("L_FREC_NOMINAL", "V_FREC_NOM");
    limitRow("L_LIMITE_INF", "V_LIMINF_VRED", "V_LIMINF_FRED");
    limitRow("L_LIMITE_SUP", "V_LIMSUP_VRED", "V_LIMSUP_FRED");
    row("L_RETARDO_DES", "V_RET_DRED");
    row("L_RETARDO_ARR", "V_RET_AGRP");
    endSection();
  }

  void startSequence() {
    beginSection("L_PARAMETROS_ARR");
    row(word(extra::DocPreheating), lines({"V_TIPO_PRE", "V_TIEMPO_PRE"}));
    row("L_TIEMPO_MAX_ARR", "V_TIEMPO_ARQ");
    row("L_TIEMPO_ENTRE_ARR", "V_TIEMPO_EARQ");
    row("L_MAX_INT_ARR", "V_INT_ARQ");
    row(value("L_CTRL_ARR"), lines({"V_CA_OIL", "V_CA_BORD", "V_CA_FRECA", "V_CA_CW_PU"}));
    endSection();
  }

  void stopSequence() {
    beginSection("L_PARAMETROS_PARO");
    row("L_TIE_RET_RED", "V_RET_RED");
    row("L_TIE_ENF", "V_TIE_ENF");
    row(word(extra::DocStopType), escaped(value("V_TIPO_PARADA")));
    row("L_TIE_ORD_PARO", "V_TIE_PARADA");
    endSection();
  }

  void alternator() {
    beginSection("L_PARAMETROS_ALT");
    limitRow("L_LIMITE_INF", "V_LIMINF_VGRP", "V_LIMINF_FGRP");
    limitRow("L_LIMITE_SUP", "V_LIMSUP_VGRP", "V_LIMSUP_FGRP");
    row("L_TIE_DES_ALT", "V_RET_DES_ALT");
    endSection();
  }

  // The last group: the signature block is kept on its page.
  void digitalInputs() {
    beginSection("L_ENTRADAS_DIG", kLastGroupAnchor);
    html_ += QStringLiteral(
                 "<tr><th rowspan='2'>%1</th><th rowspan='2'>%2</th><th colspan='3'>%3</th></tr>")
                 .arg(escaped(word(extra::DocInput)), escaped(value("L_SEÑAL_ALR")),
                      escaped(value("L_ACCION_SA")));
    html_ += QStringLiteral("<tr><th>%1</th><th>%2</th><th>%3</th></tr>")
                 .arg(escaped(value("L_PARO_INM")), escaped(value("L_PARO_TEMP")),
                      escaped(value("L_SIRENA")));
    for (const AlarmInput& input : kAlarmInputs) {
      html_ += QStringLiteral("<tr><td>%1</td>").arg(escaped(word(input.name)));
      for (const char* action : {"_SA", "_PI", "_PT", "_SIR"}) {
        const QByteArray field = QByteArray("V_") + input.field + action;
        html_ +=
            QStringLiteral("<td align='center'>%1</td>").arg(escaped(value(field.constData())));
      }
      html_ += QStringLiteral("</tr>");
    }
    endSection();
    html_ += QStringLiteral("<p></p><table class='rows' width='100%' cellspacing='0'>");
    row("L_SEC_CR", "V_CTROL_RMTO");
    row("L_ACTIVA_SIR", "V_TIPO_SIR");
    row("L_TEST_CONT", "V_TEST_CONT");
    row("L_MIN_BAT", "V_MIN_BAT");
    endSection();
  }

  // Lines for the hand: who commissioned it, where, when, and the signature.
  void signatureBlock() {
    // Each word stands small over its line, as on a printed form.
    html_ += QStringLiteral("<table width='100%' cellspacing='10' cellpadding='2'>");
    for (const auto& pair : {std::pair{extra::DocInstaller, extra::DocSite},
                             std::pair{extra::DocDate, extra::DocSignature}}) {
      html_ += QStringLiteral("<tr>");
      for (const int item : {pair.first, pair.second})
        html_ += QStringLiteral("<td class='sign' width='50%' valign='top'>%1<br><br>&nbsp;</td>")
                     .arg(escaped(word(item)));
      html_ += QStringLiteral("</tr>");
    }
    html_ += QStringLiteral("</table>");
  }

  const QStringList& values_;
  const TextTables& texts_;
  QString html_;
};

}  // namespace

QString reportDocumentHtml(const QStringList& values, const TextTables& texts,
                           const ReportDocumentHeader& header) {
  return DocumentBuilder(values, texts).build(header);
}

QString reportDocumentNumber(const QString& serialNumber, const QDateTime& made) {
  return serialNumber + made.toString(QStringLiteral("-yyyyMMdd-HHmm"));
}

QString reportModelName(const ParameterSet& values, const TextTables& texts) {
  switch (values[kModelSlot]) {
    case 1: return QStringLiteral("ORVEX");
    case 2: return QStringLiteral("ORVEX-LT");
    case 0: return extraText(&texts, extra::DocModelUnknown);
    default:
      return QStringLiteral("%1 (%2)")
          .arg(extraText(&texts, extra::DocModelUnknown))
          .arg(values[kModelSlot]);
  }
}

QString reportSourceText(const ValuesOrigin& source, const TextTables& texts) {
  switch (source.kind) {
    case ValuesOrigin::Kind::Controller:
      return extraText(&texts, extra::DocSourceController)
          .arg(source.name, source.time.toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    case ValuesOrigin::Kind::File: return extraText(&texts, extra::DocSourceFile).arg(source.name);
    case ValuesOrigin::Kind::Editor: break;
  }
  return extraText(&texts, extra::DocSourceEditor);
}

ReportNotation reportNotation(const TextTables& texts) {
  ReportNotation notation;
  if (const Language* language = languageForBase(texts.languageBase))
    notation.decimalPoint = QLocale(QLatin1String(language->qtLocale)).decimalPoint().at(0);
  const auto unit = [&texts](int item, QString* word) {
    if (!texts.extra[static_cast<size_t>(item)].isEmpty())
      *word = texts.extra[static_cast<size_t>(item)];
  };
  unit(extra::DocUnitSeconds, &notation.seconds);
  unit(extra::DocUnitRpm, &notation.revolutionsPerMinute);
  unit(extra::DocUnitPulses, &notation.pulsesPerRevolution);
  return notation;
}

}  // namespace orvex
