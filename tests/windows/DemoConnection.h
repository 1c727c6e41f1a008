#pragma once
// A small demo database (one year, 2025) with the connection the windows under test are
// given. Under CTest every window test program reads the one file the window_demo fixture
// made (TALLY_WINDOW_DEMO_DB); run by hand, a program generates its own and removes it again.
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>
#include <string>

#include "DemoDatabase.h"
#include "SqliteConnection.h"
#include "WindowServices.h"
#include "support/RecordingNotifier.h"

namespace tally::testing {

class DemoConnection {
public:
    // The same options as the window_demo fixture's command line.
    DemoConnection() {
        if (const char* shared = std::getenv("TALLY_WINDOW_DEMO_DB"); shared && *shared) {
            path_ = shared;
        } else {
            demo::DemoOptions options;
            options.invoicesPerYear = 400;
            options.years = 1;
            options.firstYear = 2025;
            path_ = folder_.filePath("demo.sqlite").toStdString();
            demo::generateDemoDatabase(path_, options);
        }
        connection_ = std::make_unique<data::SqliteConnection>(path_);
    }
    DemoConnection(const DemoConnection&) = delete;
    DemoConnection& operator=(const DemoConnection&) = delete;

    const std::string& path() const { return path_; }
    data::Connection& connection() { return *connection_; }
    // The services of a window on this database that tells `notifier`.
    reportui::WindowServices services(Notifier& notifier) { return {connection_.get(), &notifier, {}, {}, {}, {}}; }

private:
    QTemporaryDir folder_;
    std::string path_;
    std::unique_ptr<data::Connection> connection_;
};

// What a window test on the demo database hands the windows it opens. Derive the test
// class from it beside QObject and make demo_ in initTestCase; the windows, members of
// the test class, go before it.
class DemoWindowTestServices {
protected:
    std::unique_ptr<DemoConnection> demo_;
    // Every window of the test tells this notifier.
    RecordingNotifier notifier_;

    reportui::WindowServices services() { return demo_->services(notifier_); }
};

}  // namespace tally::testing
