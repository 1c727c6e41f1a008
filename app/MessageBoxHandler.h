#pragma once
// The desktop program's answer to tellUser(): a modal message box over the active window.
#include <QMessageBox>

#include <memory>

#include "UserMessage.h"

namespace tally::app {

// The box for a message, not yet shown.
std::unique_ptr<QMessageBox> buildMessageBox(const UserMessage& message, QWidget* parent);
// What the user's click means.
MessageAnswer answerFor(QMessageBox::StandardButton clicked, MessageButtons buttons);

// Shows the box modally and returns the answer.
MessageAnswer showMessageBox(const UserMessage& message);
// Makes every later tellUser() show a box.
void installMessageBoxHandler();

}  // namespace tally::app
