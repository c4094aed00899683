#pragma once
#include "files/configfilewindow.h"

class QLabel;

namespace orvex {

// Load dialog: reads CONFIG/NAME.QVT into ConfigLeida and shows it in the editor.
class LoadFich : public ConfigFileWindow {
  Q_OBJECT
 public:
  explicit LoadFich(AppServices& services);

  void load();  // Command1

 protected:
  QString keptLeaveCaption() const override;
  void filePicked(const QString& name) override;

 private:
  void buildLayout();

  QLabel* pickedName_;  // Label2
};

}  // namespace orvex
