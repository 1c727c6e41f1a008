#include "MessageBoxNotifier.h"

#include <QApplication>

namespace tally::app {

std::unique_ptr<QMessageBox> buildMessageBox(const UserMessage& message, QWidget* parent) {
    const bool yesNo = message.buttons == MessageButtons::YesNo;
    auto box = std::make_unique<QMessageBox>(
        message.icon == MessageIcon::Information ? QMessageBox::Information : QMessageBox::NoIcon,
        QString::fromStdString(message.title), QString::fromStdString(message.text),
        yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent);
    box->setDefaultButton(yesNo ? QMessageBox::Yes : QMessageBox::Ok);
    box->setTextFormat(Qt::PlainText);  // texts from the database must not turn into markup
    return box;
}

MessageAnswer answerFor(QMessageBox::StandardButton clicked, MessageButtons buttons) {
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    // Closing a Yes/No box by other means is no consent.
    return clicked == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

MessageAnswer MessageBoxNotifier::tell(const UserMessage& message) {
    auto box = buildMessageBox(message, QApplication::activeWindow());
    const auto clicked = static_cast<QMessageBox::StandardButton>(box->exec());
    return answerFor(clicked, message.buttons);
}

}  // namespace tally::app
