#pragma once
#include <QString>

#include "common/parameterset.h"
#include "common/texttables.h"
#include "common/valuesorigin.h"

namespace orvex {

// Values every window shares. Windows get it by reference from AppServices.
struct ProgramContext {
  QString programDir;      // start-up folder, or installed the user's (app/programdir.h); ends in /
  QString languageMarker;  // one of the five markers of conflang.sys
  QString serialSettings;  // "COM1:9600,N,8,1" layout, from confcom.sys or ConfigCOM
  TextTables texts;
  ParameterSet configLeida;    // filled by a read, a load, the default configuration
  ParameterSet configEditada;  // filled only by collecting the editor
  ValuesOrigin editorOrigin;   // where the editor's values were last read, loaded or saved
  ValuesOrigin lastRead;       // the last complete read of the controller (kind Editor: none)

  QString path(const QString& relative) const { return programDir + relative; }
};

}  // namespace orvex
