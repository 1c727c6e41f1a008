#pragma once
// Every message to the user goes through tellUser(). The desktop program installs a
// handler that shows a modal box; the command-line tool prints; tests record.
#include <functional>
#include <string>

namespace tally {

enum class MessageIcon { None, Information };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

struct UserMessage {
    std::string text;
    std::string title;
    MessageIcon icon = MessageIcon::Information;
    MessageButtons buttons = MessageButtons::Ok;
};

using MessageHandler = std::function<MessageAnswer(const UserMessage&)>;

MessageAnswer tellUser(const UserMessage& message);
// Shorthand for the report windows' boxes: title "系统提示", information icon, OK.
void tellSystemNotice(const std::string& text);

// Installs a handler and returns the one it replaces (restore it when done).
MessageHandler setMessageHandler(MessageHandler handler);

}  // namespace tally
