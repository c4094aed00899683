#pragma once
#include <QString>

namespace orvex {

enum class MessageIcon { Critical, Information, Exclamation, Question };
enum class MessageButtons { Ok, YesNoDefaultNo };
enum class MessageAnswer { Ok, Yes, No };

// Every modal message of the program goes through this, so tests can record the calls
// instead of blocking on a box.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual MessageAnswer show(MessageIcon icon, const QString& prompt, const QString& title,
                             MessageButtons buttons = MessageButtons::Ok) = 0;
};

}  // namespace orvex
