#pragma once
// The desktop program's notifier: a modal message box over the active window.
#include <QMessageBox>

#include <memory>

#include "Notifier.h"

namespace tally::app {

// The box for a message, not yet shown.
std::unique_ptr<QMessageBox> buildMessageBox(const UserMessage& message, QWidget* parent);
// What the user's click means.
MessageAnswer answerFor(QMessageBox::StandardButton clicked, MessageButtons buttons);

// Shows each message as a modal box and returns the user's answer.
class MessageBoxNotifier : public Notifier {
public:
    MessageAnswer tell(const UserMessage& message) override;
};

}  // namespace tally::app
