#include "Notifier.h"

#include <iostream>

namespace tally {

MessageAnswer StandardErrorNotifier::tell(const UserMessage& message) {
    std::cerr << message.text << "\n";
    return message.buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
}

}  // namespace tally
