#include "qtmessageboxes.h"

#include <QApplication>
#include <QMessageBox>

namespace orvex {
namespace {

QMessageBox::Icon toQt(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Question: return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

MessageAnswer QtMessageBoxes::show(MessageIcon icon, const QString& prompt, const QString& title,
                                   MessageButtons buttons) {
  QMessageBox box(toQt(icon), title, prompt, QMessageBox::NoButton, QApplication::activeWindow());
  if (buttons == MessageButtons::YesNoDefaultNo) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
  }
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
  return MessageAnswer::Ok;
}

void QtMessageBoxes::showNotice(MessageIcon icon, const QString& prompt, const QString& title) {
  closeNotice();
  notice_ =
      new QMessageBox(toQt(icon), title, prompt, QMessageBox::Ok, QApplication::activeWindow());
  notice_->setAttribute(Qt::WA_DeleteOnClose);
  notice_->setWindowModality(Qt::NonModal);
  notice_->show();
}

void QtMessageBoxes::closeNotice() {
  if (notice_) notice_->close();
}

}  // namespace orvex
