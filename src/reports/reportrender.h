#pragma once
#include <QHash>
#include <QString>
#include <QStringList>

#include <array>

#include "common/parameterset.h"

// The report record: a header line of 80 field names, the same in every language, and a
// value line with the labels, the rendered settings and the serial number in the current
// language. Plain logic; the Report window only gathers the inputs.
namespace orvex {

using ReportTexts = std::array<QString, 51>;  // report text n at index n

// The editor's number boxes the report prints (objectName -> text as typed).
const QStringList& reportNumberBoxNames();

struct ReportInput {
  ParameterSet set;                     // ConfigEditada, freshly collected
  ReportTexts texts;                    // report texts of the current language
  QHash<QString, QString> numberBoxes;  // see reportNumberBoxNames()
  QString serialNumber;                 // as typed
};

// How numbers and units are written: the data file's fixed notation by default; the printed
// document writes them as the reader does (decimal comma, the language's unit words).
struct ReportNotation {
  QChar decimalPoint = QLatin1Char('.');
  QString seconds = QStringLiteral("sec");
  QString revolutionsPerMinute = QStringLiteral("RPM");
  QString pulsesPerRevolution = QStringLiteral("P/T");
};

const QStringList& reportFieldNames();  // the 80 names, in file order
// The 80 values, same order.
QStringList renderReportValues(const ReportInput& input, const ReportNotation& notation = {});
// Both lines, fields separated by TAB, each line ended by CR LF; a TAB, CR or LF inside a
// field is written as a blank.
QString renderReport(const ReportInput& input);

// The input of a report of `set` as the editor would show and collect it: the settings and
// the number boxes; *unshown gets the slots no control can show. The model slot is kept.
ReportInput editorReportInput(const ParameterSet& set, QList<int>* unshown);

// Helpers, exposed for their own tests.
QString reportNumber(double value);          // at most 15 significant digits, no trailing 0
double numberFromText(const QString& text);  // leading decimal number, 0 when none

}  // namespace orvex
