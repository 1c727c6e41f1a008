// A report window while a 10-second statement runs off its thread: how long a posted
// event waits before the window's thread runs it, and how long after a click on 取消
// the window is usable again. The slowness comes from an SQL function that naps a
// millisecond per row, registered on this program's connection only.
//
//   window_bench --db FILE [--runs N]
//
// Prints the two measurements as bench/run reads them (BenchProgram.h); runs offscreen.
#include <sqlite3.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "BenchProgram.h"
#include "BusyPanel.h"
#include "Notifier.h"
#include "ReportWindow.h"
#include "ReportWindowFactory.h"
#include "SelectionPanel.h"
#include "SlowConnection.h"
#include "SqliteConnection.h"

namespace {

using namespace tally;
using tally::testing::addNapFunction;  // the window tests' nap(ms)

constexpr int kEventSamples = 20;  // posted events per run
constexpr const char* kTenSeconds =
    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 10000) "
    "SELECT count(*) FROM n WHERE nap(1) = 1";

// The benchmark database, where every statement waits behind the 10-second one while armed.
class NappingConnection : public data::Connection {
public:
    explicit NappingConnection(const std::string& path)
        : inner_(std::make_unique<data::SqliteConnection>(path, addNapFunction)) {}
    std::string engineName() const override { return inner_->engineName(); }
    std::atomic<bool> armed{false};
    std::atomic<int> started{0};

protected:
    std::unique_ptr<data::Recordset> execute(std::string_view sql, int timeoutSeconds) override {
        if (armed.load()) {
            ++started;
            inner_->open(kTenSeconds, kNoTimeout);
        }
        return inner_->open(sql, timeoutSeconds);
    }
    void stopRunningStatement() override { inner_->interrupt(); }
    void resumeStatements() override { inner_->clearInterrupt(); }

private:
    std::unique_ptr<data::SqliteConnection> inner_;
};

class SilentNotifier : public Notifier {
public:
    MessageAnswer tell(const UserMessage&) override { return MessageAnswer::Ok; }
};

// Runs the event loop until `done` holds or `seconds` pass; false on the timeout.
template <class Condition>
bool spinUntil(Condition done, double seconds) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > seconds * 1000) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void measure(const bench::BenchOptions& options) {
    NappingConnection connection(options.db);
    SilentNotifier notifier;
    std::unique_ptr<reportui::ReportWindow> window(
        reportui::createReportWindow("vat-invoicing", {&connection, &notifier, {}, {}, {}, {}}, nullptr));
    window->show();
    auto* panel = window->selectionPanel();
    panel->departmentList()->setCurrentRow(0);

    std::vector<double> latencies, latencyCpu, cancels, cancelCpu;
    for (int run = 0; run < options.runs; ++run) {
        const int before = connection.started.load();
        connection.armed = true;
        panel->extractButton()->click();
        if (!spinUntil([&] { return connection.started.load() > before; }, 30))
            throw std::runtime_error("the slow statement did not start");
        // Posted events, one after the other, while the statement runs.
        for (int i = 0; i < kEventSamples; ++i) {
            const double cpu = bench::processorSeconds();
            const auto posted = std::chrono::steady_clock::now();
            bool ran = false;
            double waited = 0;
            QTimer::singleShot(0, window.get(), [&] {
                waited = secondsSince(posted);
                ran = true;
            });
            if (!spinUntil([&] { return ran; }, 10)) throw std::runtime_error("a posted event never ran");
            latencies.push_back(waited);
            latencyCpu.push_back(bench::processorSeconds() - cpu);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        if (!window->busy()) throw std::runtime_error("the statement ended before 取消");
        const double cpu = bench::processorSeconds();
        const auto clicked = std::chrono::steady_clock::now();
        connection.armed = false;
        window->busyPanel()->cancelButton()->click();
        if (!spinUntil([&] { return !window->busy(); }, 30))
            throw std::runtime_error("取消 did not stop the statement");
        cancels.push_back(secondsSince(clicked));
        cancelCpu.push_back(bench::processorSeconds() - cpu);
    }
    bench::printMeasurement("window:event-latency", bench::summarize(latencies, latencyCpu),
                            std::to_string(kEventSamples) + " posted events a run during a 10 s statement");
    bench::printMeasurement("window:cancel", bench::summarize(cancels, cancelCpu),
                            "取消 until the window is usable, embedded engine");
}

bool parse(int argc, char** argv, bench::BenchOptions& options) {
    return bench::parseBenchOptions(argc, argv, options, [](const std::string&, const std::string&) { return false; });
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return bench::runBenchmark(argc, argv, "window_bench", "usage: window_bench --db FILE [--runs N]", &parse,
                               &measure);
}
