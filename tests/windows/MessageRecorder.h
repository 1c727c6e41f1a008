#pragma once
// Records every tellUser() message while alive, so no window test waits on a box.
// The handler it replaced comes back when it goes.
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

#include "UserMessage.h"

namespace tally::testing {

class MessageRecorder {
public:
    MessageRecorder()
        : previous_(setMessageHandler([this](const UserMessage& m) {
              messages.push_back(m);
              return MessageAnswer::Ok;
          })) {}
    ~MessageRecorder() { setMessageHandler(previous_); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    QStringList texts() const {
        QStringList out;
        for (const auto& m : messages) out << QString::fromStdString(m.text);
        return out;
    }
    void clear() { messages.clear(); }

    std::vector<UserMessage> messages;

private:
    MessageHandler previous_;
};

}  // namespace tally::testing
