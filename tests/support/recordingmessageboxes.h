#pragma once
#include <QList>
#include <QString>
#include <QStringList>

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

  // One line a message: icon letter (Critical, Information, Exclamation, Question), "/yn" for
  // Yes/No with No as default, then prompt|title: "E m47|m48", "Q/yn m38|m37".
  QStringList shown() const {
    QStringList out;
    for (const Call& call : calls)
      out << QStringLiteral("%1%2 %3|%4")
                 .arg(QChar("CIEQ"[static_cast<int>(call.icon)]),
                      call.buttons == MessageButtons::Ok ? "" : "/yn", call.prompt, call.title);
    return out;
  }

  void showNotice(MessageIcon icon, const QString& prompt, const QString& title) override {
    notices << QStringLiteral("%1 %2|%3").arg(QChar("CIEQ"[static_cast<int>(icon)]), prompt, title);
    noticeOpen = true;
  }
  void closeNotice() override { noticeOpen = false; }

  QList<Call> calls;
  QStringList notices;  // as shown(), without waiting for an answer
  bool noticeOpen = false;
  MessageAnswer answer = MessageAnswer::No;
  std::function<void(const Call&)> onShow;  // e.g. to act while the "box" is up
};

}  // namespace orvex::test
