#pragma once
#include "files/configfilewindow.h"

class QLabel;
class QLineEdit;

namespace orvex {

// Save dialog: writes the editor's configuration to CONFIG/NAME.QVT and names the default.
class GrabFich : public ConfigFileWindow {
  Q_OBJECT
 public:
  explicit GrabFich(AppServices& services);

  void save();         // Command3
  void makeDefault();  // Command1

 protected:
  QString keptLeaveCaption() const override;
  void filePicked(const QString& name) override;

 private:
  void buildLayout();
  void showWriteFailure(const QString& path, const QString& systemText);

  QLineEdit* nameEdit_;
};

}  // namespace orvex
