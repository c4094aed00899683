#pragma once
#include <QPointer>

#include "common/messageboxes.h"

class QMessageBox;

namespace orvex {

// Modal QMessageBox on the active window; a notice is the same box, not modal.
class QtMessageBoxes : public MessageBoxes {
 public:
  MessageAnswer show(MessageIcon icon, const QString& prompt, const QString& title,
                     MessageButtons buttons) override;
  void showNotice(MessageIcon icon, const QString& prompt, const QString& title) override;
  void closeNotice() override;

 private:
  QPointer<QMessageBox> notice_;
};

}  // namespace orvex
