#pragma once
#include <QList>
#include <QString>

#include <functional>

#include "common/messageboxes.h"

namespace orvex::test {

// Records every message instead of showing a modal box; answers Yes/No from `answer`.
class RecordingMessageBoxes : public MessageBoxes {
 public:
  struct Call {
    MessageIcon icon;
    QString prompt;
    QString title;
    MessageButtons buttons;
  };

  MessageAnswer show(MessageIcon icon, const QString& prompt, const QString& title,
                     MessageButtons buttons) override {
    calls.append({icon, prompt, title, buttons});
    if (onShow) onShow(calls.last());
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    return answer;
  }

  QList<Call> calls;
  MessageAnswer answer = MessageAnswer::No;
  std::function<void(const Call&)> onShow;  // e.g. to act while the "box" is up
};

}  // namespace orvex::test
