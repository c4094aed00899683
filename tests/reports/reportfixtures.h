#pragma once
#include "reports/reportrender.h"

namespace orvex::test {

// Report texts of a language, made distinguishable: "<lang>:<n>" (e.g. "en:46").
inline ReportTexts taggedReportTexts(const QString& language) {
  ReportTexts texts;
  for (int n = 1; n <= 47; ++n) texts[static_cast<size_t>(n)] = language + ':' + QString::number(n);
  return texts;
}

// A configuration worked through by hand in the report tests (option numbers per slot).
inline ReportInput handWorkedInput(const QString& language) {
  ReportInput in;
  const int options[45] = {7, 4, 12, 1, 1, 9, 3, 2, 4, 1, 2, 3,  // 1..12
                           1, 1, 1,  2, 2, 1, 2, 1, 1, 1,        // 13..22
                           5, 4, 2,  1, 2, 9, 6, 8,              // 23..30
                           1, 1, 2,  2, 1, 3, 2, 4, 1, 5,        // 31..40
                           1, 2, 2,  1, 1};                      // 41..45
  for (int k = 1; k <= 45; ++k) in.set[k] = static_cast<qint16>(options[k - 1]);
  in.texts = taggedReportTexts(language);
  in.numberBoxes = {{"MCABDVAL", "12"},   {"MCAFAVAL", "45"}, {"MCACWVAL", "30"},
                    {"MCAPUVAL", "1500"}, {"MCAIVVAL", "4"},  {"TSIRON", "10"},
                    {"TSIROFF", "20"},    {"VBAT", "9"}};
  in.serialNumber = QStringLiteral("SN 0042");
  return in;
}

}  // namespace orvex::test
