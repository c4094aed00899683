// Default.fil: the name of the configuration shown at start (its first list item), and the
// load of CONFIG/NAME.QVT it leads to in a program folder that holds one configuration and,
// outside CONFIG, a decoy no name may reach; Default.fil also missing, unreadable or too large
// (fuzzsupport.h, placeInputFile).
#include "common/cp1252.h"
#include "common/textfile.h"
#include "files/qvtformat.h"
#include "fuzzsupport.h"

#include <QDir>

using namespace orvex;
using fuzz::expect;

namespace {

ParameterSet numberedSet(int offset) {
  ParameterSet set;
  for (int k = kFirstSlot; k <= kLastSlot; ++k) set[k] = static_cast<qint16>(k + offset);
  return set;
}

const QString& programDir() {
  static const QString dir = [] {
    const QString path = fuzz::scratchDir();
    QDir().mkpath(path + "CONFIG");
    fuzz::writeScratchFile(path + "CONFIG/FACTORY.QVT", formatQvt(numberedSet(0)).toLatin1());
    fuzz::writeScratchFile(path + "DECOY.QVT", formatQvt(numberedSet(100)).toLatin1());
    fuzz::writeScratchFile(path + "CONFIG/DECOY.QVT", "not a configuration");
    return path;
  }();
  return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes = fuzz::inputBytes(data, size);
  firstListItem(fromCp1252(bytes));
  const fuzz::FileShape shape =
      fuzz::placeInputFile(programDir() + "Default.fil", bytes, kSettingsFileLimit);
  ParameterSet set;
  QString problem;
  if (loadDefaultConfiguration(programDir(), &set, &problem)) {
    expect(set == numberedSet(0), "only CONFIG/FACTORY.QVT can be loaded");
    expect(!fuzz::cannotBeRead(shape), "a missing, unreadable or too large Default.fil names none");
  } else {
    expect(!problem.isEmpty() && set == ParameterSet(), "a failed load says why, changes nothing");
  }
  return 0;
}
