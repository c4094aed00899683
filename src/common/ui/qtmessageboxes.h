#pragma once
#include "common/messageboxes.h"

namespace orvex {

// Modal QMessageBox on the active window.
class QtMessageBoxes : public MessageBoxes {
 public:
  MessageAnswer show(MessageIcon icon, const QString& prompt, const QString& title,
                     MessageButtons buttons) override;
};

}  // namespace orvex
