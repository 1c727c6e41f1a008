#include "UserMessage.h"

#include <iostream>

namespace tally {
namespace {

MessageAnswer printToStandardError(const UserMessage& m) {
    std::cerr << m.text << "\n";
    return m.buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
}

MessageHandler& currentHandler() {
    static MessageHandler handler = printToStandardError;
    return handler;
}

}  // namespace

MessageAnswer tellUser(const UserMessage& message) { return currentHandler()(message); }

void tellSystemNotice(const std::string& text) { tellUser({text, "系统提示"}); }

MessageHandler setMessageHandler(MessageHandler handler) {
    MessageHandler previous = currentHandler();
    currentHandler() = handler ? std::move(handler) : MessageHandler(printToStandardError);
    return previous;
}

}  // namespace tally
