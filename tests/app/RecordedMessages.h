#pragma once
// Records every tellUser() message while in scope and answers Yes/No questions as told,
// so no test ever waits on a modal box. Restores the previous handler when it goes.
#include <string>
#include <vector>

#include "UserMessage.h"

namespace tally::testing {

class RecordedMessages {
public:
    explicit RecordedMessages(MessageAnswer answerToQuestions = MessageAnswer::No)
        : previous_(setMessageHandler([this, answerToQuestions](const UserMessage& m) {
              messages.push_back(m);
              return m.buttons == MessageButtons::YesNo ? answerToQuestions : MessageAnswer::Ok;
          })) {}
    ~RecordedMessages() { setMessageHandler(previous_); }
    RecordedMessages(const RecordedMessages&) = delete;
    RecordedMessages& operator=(const RecordedMessages&) = delete;

    std::vector<UserMessage> messages;

private:
    MessageHandler previous_;
};

}  // namespace tally::testing
