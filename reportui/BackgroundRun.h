#pragma once
// Runs a window's database or file work on a thread of its own, so the window keeps
// repainting, moving and answering 取消 meanwhile. One run at a time per object; the
// windows own one each. A run on a connection holds the connection's turn for the whole
// of its work: two windows sharing a connection take turns, and the one waiting is told.
//
// The work never touches a widget: it reads what it was handed, hands drawing back
// through post(), and its result goes to `done` on the window's thread. Destroying the
// object cancels the run and waits for its thread, so nothing reaches a window that is gone.
#include <QObject>

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>

namespace tally::data {
class Connection;
}  // namespace tally::data

namespace tally::reportui {

class BackgroundRun : public QObject {
    Q_OBJECT
public:
    explicit BackgroundRun(QObject* parent = nullptr);
    ~BackgroundRun() override;
    BackgroundRun(const BackgroundRun&) = delete;
    BackgroundRun& operator=(const BackgroundRun&) = delete;

    // Starts `work` on a new thread, with `connection`'s turn held when there is one
    // (work without a database passes null). `done(cancelled)` follows on this object's
    // thread, `cancelled` true when cancel() came before the work ended. Refused (false)
    // while a run is going: a second click never starts a second run.
    bool start(data::Connection* connection, std::function<void()> work, std::function<void(bool cancelled)> done);

    // Stops the run: a wait for the connection ends, a running statement is interrupted,
    // and the work sees cancelRequested(). Does nothing between runs.
    void cancel();
    // Cancels and waits for the thread; `done` is not called.
    void stopAndWait();

    bool running() const { return running_; }
    // Thread-safe: for work that checks between its own steps (an export between rows).
    bool cancelRequested() const { return cancelled_.load(); }

    // From the work: runs `step` on this object's thread, after whatever was posted
    // before it; dropped when the object is gone first.
    void post(std::function<void()> step);
    // The same, and waits until `step` has run (or the run is cancelled): for what must
    // be on screen before the work goes on.
    void postAndWait(std::function<void()> step);

signals:
    // The connection is busy with another window's run: this one waits for its turn.
    void waitingForConnection();
    // The turn has come after a wait.
    void connectionTaken();
    // The work ended with an exception it did not handle itself (a fault of the program):
    // what it said. The run ends as usual; the connection's log has the same line.
    void workFailed(const QString& what);

private:
    void work(data::Connection* connection, const std::function<void()>& task);
    void join();

    std::thread thread_;
    std::function<void(bool)> done_;
    bool running_ = false;  // on this object's thread only
    std::atomic<bool> cancelled_{false};
    // Guards holding_ and connection_: cancel() interrupts only a connection whose turn
    // this run holds, never another window's statement.
    std::mutex mutex_;
    bool holding_ = false;
    data::Connection* connection_ = nullptr;
};

}  // namespace tally::reportui
