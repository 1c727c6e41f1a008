#pragma once
// The demo database behind `tallyvane --demo`: one SQLite file in the user's cache folder,
// generated on first use and reused afterwards.
#include <QString>

#include <functional>

namespace tally::app {

// <cache folder>/demo.sqlite
QString demoDatabasePath();

// Writes a complete demo database to the path; throws std::exception on failure.
using DemoGenerator = std::function<void(const QString& path)>;
// The demo library when the program links it, else the tallyvane-demo-db program.
DemoGenerator defaultDemoGenerator();

// Generates the file when it is missing (creating its folder). False with the reason in
// `whyNot` when it could not be made.
bool ensureDemoDatabase(const QString& path, const DemoGenerator& generate, QString* whyNot);

}  // namespace tally::app
