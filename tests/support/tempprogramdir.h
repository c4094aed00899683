#pragma once
#include <QString>
#include <QTemporaryDir>

namespace orvex::test {

// A throw-away program directory, optionally filled with the delivered data files.
class TempProgramDir {
 public:
  explicit TempProgramDir(bool withDeliveredData = true);
  QString path() const;  // with a trailing '/'
  QString file(const QString& relative) const { return path() + relative; }
  void write(const QString& relative, const QByteArray& bytes) const;
  QByteArray read(const QString& relative) const;

 private:
  QTemporaryDir dir_;
};

// The repository's data/ folder (what is delivered beside the program).
QString deliveredDataDir();

}  // namespace orvex::test
