#pragma once
#include <QString>

#include "config/parameterset.h"
#include "lang/texttables.h"

namespace orvex {

// Values every window shares. Windows get it by reference from AppServices.
struct ProgramContext {
  QString programDir;      // start-up folder, or installed the user's (app/programdir.h); ends in /
  QString languageMarker;  // one of the five markers of conflang.sys
  QString serialSettings;  // "COM1:9600,N,8,1" layout, from confcom.sys or ConfigCOM
  TextTables texts;
  ParameterSet configLeida;    // filled by a read, a load, the default configuration
  ParameterSet configEditada;  // filled only by collecting the editor
  // Outcome of the last exchange with the instrument.
  QString replyText;
  qint16 linkStatus = 0;         // 0 sound, 1 CRC error, 2 time-out, 3 refused
  qint16 transferDirection = 0;  // 1 model check and write, 0 block read
  qint16 identityFailed = 0;     // once 1, stays 1 until the program restarts
  bool transferRunning = false;  // a read or write owns the port until it ends

  QString path(const QString& relative) const { return programDir + relative; }
};

}  // namespace orvex
