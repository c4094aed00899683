#pragma once
#include <QDateTime>
#include <QString>

#include "common/parameterset.h"

namespace orvex {

// Where a set of values came from: a complete read of a controller, a configuration file, or
// the editor as it stands (values changed there and not saved). The set keeps the values as
// they came, the model slot included, which the editor never collects.
struct ValuesOrigin {
  enum class Kind { Editor, Controller, File };
  Kind kind = Kind::Editor;
  QString name;    // the port (COM1) or the file (NAME.QVT)
  QDateTime time;  // when the controller was read
  ParameterSet set;
};

// True when `edited` holds the settings of `origin`: the slots the editor collects, that is
// all but the model slot and the two reserved ones after it.
inline bool sameSettings(const ParameterSet& edited, const ParameterSet& origin) {
  for (int k = kFirstSlot; k <= kLastSlot; ++k)
    if ((k < kModelSlot || k > kModelSlot + 2) && edited[k] != origin[k]) return false;
  return true;
}

}  // namespace orvex
