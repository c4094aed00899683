#pragma once
#include <QString>
#include <QStringList>

#include "common/texttables.h"

// The files a command will write, checked before the first byte goes to a controller: a
// result that cannot be kept is better refused at once than found after minutes of transfers.
namespace orvex::cli {

class OutputCheck {
 public:
  explicit OutputCheck(const TextTables& texts) : texts_(texts) {}
  // Folders made for the run that hold nothing at its end (a refused run, controllers that
  // all failed) are removed again.
  ~OutputCheck();
  OutputCheck(const OutputCheck&) = delete;
  OutputCheck& operator=(const OutputCheck&) = delete;

  // The file can be written: its folder, made when missing, takes a new file, and the file is
  // not itself a folder. False with problem() set.
  bool file(const QString& path);
  const QString& problem() const { return problem_; }

 private:
  bool fail(const QString& path, const QString& systemText);

  const TextTables& texts_;
  QStringList made_;  // the folders made, deepest last
  QString problem_;
};

}  // namespace orvex::cli
