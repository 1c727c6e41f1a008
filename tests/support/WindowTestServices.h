#pragma once
// What a window test hands the windows it opens: a database it may replace between
// windows, and a notifier that records every message. Derive the test class from it
// beside QObject; the windows, members of the test class, go before the connection.
#include <memory>

#include "Connection.h"
#include "WindowServices.h"
#include "support/RecordingNotifier.h"

namespace tally::testing {

class WindowTestServices {
protected:
    std::unique_ptr<data::Connection> connection_;
    RecordingNotifier notifier_;

    // The services of a window opened now.
    reportui::WindowServices services() { return {connection_.get(), &notifier_, {}, {}, {}, {}}; }
};

}  // namespace tally::testing
