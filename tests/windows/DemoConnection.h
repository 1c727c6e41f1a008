#pragma once
// A small demo database (one year, 2025) generated for a window test program and
// installed as the shared connection; removed again when the test program ends.
#include <QTemporaryDir>

#include <memory>
#include <string>

#include "DemoDatabase.h"
#include "SharedConnection.h"
#include "SqliteConnection.h"

namespace tally::testing {

class DemoConnection {
public:
    DemoConnection() {
        demo::DemoOptions options;
        options.invoicesPerYear = 400;
        options.years = 1;
        options.firstYear = 2025;
        path_ = folder_.filePath("demo.sqlite").toStdString();
        demo::generateDemoDatabase(path_, options);
        data::setSharedConnection(std::make_unique<data::SqliteConnection>(path_));
    }
    ~DemoConnection() { data::setSharedConnection(nullptr); }
    DemoConnection(const DemoConnection&) = delete;
    DemoConnection& operator=(const DemoConnection&) = delete;

    const std::string& path() const { return path_; }

private:
    QTemporaryDir folder_;
    std::string path_;
};

}  // namespace tally::testing
