// .QVT configuration files: the program's reader (63 numbers, all or nothing) from the file,
// with its size limit, a missing and an unreadable file (fuzzsupport.h: placeInputFile), and
// the simulator's (--config) on the same bytes.
#include "files/qvtformat.h"
#include "common/cp1252.h"
#include "common/textfile.h"
#include "fuzzsupport.h"
#include "sim/instrumentmodel.h"

using namespace orvex;
using fuzz::expect;

namespace {

ParameterSet markedSet() {
  ParameterSet set;
  set.slot.fill(-7);
  return set;
}

void checkProgramReader(const QByteArray& bytes) {
  const QString path = fuzz::scratchDir() + "FUZZ.QVT";
  const fuzz::FileShape shape = fuzz::placeInputFile(path, bytes, kConfigFileLimit);
  ParameterSet set = markedSet();
  QString problem;
  if (!readQvtFile(path, &set, &problem)) {
    expect(!problem.isEmpty() && set == markedSet(), "a failed read says why, changes nothing");
    expect(problem.contains("FUZZ.QVT"), "a failed read names the file");
    if (shape == fuzz::FileShape::TooLarge)
      expect(problem.contains(QString::number(kConfigFileLimit + 1)), "too large says its size");
    return;
  }
  expect(!fuzz::cannotBeRead(shape), "a missing, unreadable or too large file is not read");
  expect(set[0] == -7 && set[kLastSlot + 1] == -7, "only slots 1..63 are read");
  // What was read must come back unchanged through a save.
  const QString copy = fuzz::scratchDir() + "COPY.QVT";
  QString error;
  expect(writeQvtFile(copy, set, &error), "the scratch copy can be saved");
  ParameterSet back = markedSet();
  expect(readQvtFile(copy, &back, &problem) && back == set, "a saved file reads back the same");
}

void checkSimulatorReader(const QByteArray& bytes) {
  sim::InstrumentModel model;
  QString error;
  if (!model.loadConfigurationText(fromCp1252(bytes), &error)) expect(!error.isEmpty(), "says why");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes = fuzz::inputBytes(data, size);
  checkProgramReader(bytes);
  checkSimulatorReader(bytes);
  return 0;
}
