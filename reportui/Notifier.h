#pragma once
// Every message to the user goes through a Notifier handed to the windows by the program
// that opens them: the desktop program shows modal boxes, tests record what was said
// and answer questions themselves, so no test ever waits on a box.
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

class Notifier {
public:
    virtual ~Notifier() = default;

    // Tells the user and returns the answer (Ok for a box with only OK).
    virtual MessageAnswer tell(const UserMessage& message) = 0;

    // The report windows' box: title "系统提示", information icon, OK.
    void notice(const std::string& text) { tell({text, "系统提示"}); }
};

// Prints each message on standard error and answers Yes to questions: for the moments
// before any window exists (a wrong command line).
class StandardErrorNotifier : public Notifier {
public:
    MessageAnswer tell(const UserMessage& message) override;
};

}  // namespace tally
