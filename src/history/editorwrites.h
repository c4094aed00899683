#pragma once
#include <QDateTime>
#include <QObject>

namespace orvex {

struct AppServices;
class CopiedWrite;

// Graba QVT with its copy: what the controller holds is kept first (its last read, when that
// stands as what it holds, else a read now), then the link writes ConfigEditada, and the
// history records how the write ended. When no copy can be kept nothing is written, unless the
// installer, told why, confirms a write without one.
class EditorWrites : public QObject {
  Q_OBJECT
 public:
  explicit EditorWrites(AppServices& services, QObject* parent = nullptr);
  void write();

 private:
  bool keepCopyOrConsent(CopiedWrite& copy);
  bool consentWithoutCopy(const QString& why);
  void record(CopiedWrite& copy, quint64 writeAfter);
  QString text(int item) const;

  AppServices& services_;
  QDateTime lastWriteBegan_;  // a read before it no longer tells what the controller holds
};

}  // namespace orvex
