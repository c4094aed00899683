// The report record: every setting value (including values no option stands for), the
// number box texts as typed, the serial number and the report texts of a language.
//
// Input: 63 slot values (two bytes each, high first), then counted strings (a length
// byte, then the bytes): the eight number boxes, the serial number, report texts 1..47.
#include "common/cp1252.h"
#include "fuzzsupport.h"
#include "reports/reportrender.h"

using namespace orvex;
using fuzz::expect;

namespace {

ReportInput reportInput(fuzz::InputCursor& in) {
  ReportInput input;
  for (int k = kFirstSlot; k <= kLastSlot; ++k) input.set[k] = static_cast<qint16>(in.word());
  for (const QString& name : reportNumberBoxNames())
    input.numberBoxes.insert(name, QString::fromUtf8(in.takeCounted()));  // typed: any text
  input.serialNumber = QString::fromUtf8(in.takeCounted());
  for (size_t n = 1; n <= 47; ++n) input.texts[n] = fromCp1252(in.takeCounted());  // textos.sys
  return input;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::InputCursor in(fuzz::inputBytes(data, size));
  const ReportInput input = reportInput(in);
  expect(renderReportValues(input).size() == reportFieldNames().size(), "one value per field");
  expect(renderReport(input).endsWith(QStringLiteral("\r\n")), "the record ends its line");
  return 0;
}
