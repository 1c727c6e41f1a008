#pragma once
// A notifier that records every message instead of showing a box, and answers Yes/No
// questions as told, so no test ever waits on a modal box. Hand it to the windows
// through their services.
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

#include "Notifier.h"

namespace tally::testing {

class RecordingNotifier : public Notifier {
public:
    explicit RecordingNotifier(MessageAnswer answerToQuestions = MessageAnswer::No)
        : answerToQuestions_(answerToQuestions) {}

    MessageAnswer tell(const UserMessage& message) override {
        messages.push_back(message);
        return message.buttons == MessageButtons::YesNo ? answerToQuestions_ : MessageAnswer::Ok;
    }

    QStringList texts() const {
        QStringList out;
        for (const auto& m : messages) out << QString::fromStdString(m.text);
        return out;
    }
    void clear() { messages.clear(); }
    // Forgets what was said so far; questions from now on get `answer`.
    RecordingNotifier& fresh(MessageAnswer answer = MessageAnswer::No) {
        messages.clear();
        answerToQuestions_ = answer;
        return *this;
    }

    std::vector<UserMessage> messages;

private:
    MessageAnswer answerToQuestions_;
};

}  // namespace tally::testing
