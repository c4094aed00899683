#pragma once
#include <QString>

namespace orvex {

enum class MessageIcon { Critical, Information, Exclamation, Question };
enum class MessageButtons { Ok, YesNoDefaultNo };
enum class MessageAnswer { Ok, Yes, No };

// Every message of the program goes through this, so tests can record the calls instead of
// blocking on a box.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual MessageAnswer show(MessageIcon icon, const QString& prompt, const QString& title,
                             MessageButtons buttons = MessageButtons::Ok) = 0;
  // A message that does not wait for its OK, so the program goes on under it (a transfer
  // that must run to its end); it goes with its OK or with closeNotice().
  virtual void showNotice(MessageIcon icon, const QString& prompt, const QString& title) = 0;
  virtual void closeNotice() = 0;
};

}  // namespace orvex
