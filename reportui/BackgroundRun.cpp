#include "BackgroundRun.h"

#include <chrono>
#include <condition_variable>
#include <exception>
#include <string>

#include "Connection.h"

namespace tally::reportui {
namespace {

// How often a run waiting for the connection looks whether it was cancelled.
constexpr std::chrono::milliseconds kTurnPoll{20};

}  // namespace

BackgroundRun::BackgroundRun(QObject* parent) : QObject(parent) {}

BackgroundRun::~BackgroundRun() { stopAndWait(); }

bool BackgroundRun::start(data::Connection* connection, std::function<void()> work,
                          std::function<void(bool cancelled)> done) {
    if (running_) return false;
    join();  // the last run's thread has posted its end and is leaving
    running_ = true;
    cancelled_.store(false);
    done_ = std::move(done);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        connection_ = connection;
        holding_ = false;
    }
    thread_ = std::thread([this, connection, task = std::move(work)] { this->work(connection, task); });
    return true;
}

void BackgroundRun::work(data::Connection* connection, const std::function<void()>& task) {
    std::unique_lock<std::timed_mutex> turn;
    if (connection) {
        turn = std::unique_lock<std::timed_mutex>(connection->turn(), std::defer_lock);
        if (!turn.try_lock()) {
            post([this] { emit waitingForConnection(); });
            while (!turn.try_lock_for(kTurnPoll))
                if (cancelled_.load()) break;
            if (turn.owns_lock()) post([this] { emit connectionTaken(); });
        }
        if (turn.owns_lock()) {
            connection->clearInterrupt();  // whatever the last holder's cancel left
            std::lock_guard<std::mutex> lock(mutex_);
            holding_ = true;
        }
    }
    // A cancel before the turn came: the work does not start.
    const bool skip = cancelled_.load();
    // The work tells its own failures; one that escapes it must not end the program, and
    // is told here instead.
    std::string failure;
    if (!skip) {
        try {
            task();
        } catch (const std::exception& e) {
            failure = e.what();
        } catch (...) {
            failure = "unknown exception";
        }
    }
    if (!failure.empty()) {
        if (connection) connection->note("background work failed: " + failure);
        post([this, what = QString::fromStdString(failure)] { emit workFailed(what); });
    }
    if (turn.owns_lock()) {
        std::lock_guard<std::mutex> lock(mutex_);
        holding_ = false;
        connection->clearInterrupt();  // the next holder starts clean
    }
    if (turn.owns_lock()) turn.unlock();
    post([this] {
        join();
        running_ = false;
        auto done = std::move(done_);
        done_ = nullptr;
        if (done) done(cancelled_.load());
    });
}

void BackgroundRun::cancel() {
    if (!running_) return;
    cancelled_.store(true);
    std::lock_guard<std::mutex> lock(mutex_);
    if (holding_ && connection_) connection_->interrupt();
}

void BackgroundRun::stopAndWait() {
    cancel();
    join();
    running_ = false;
    done_ = nullptr;
}

void BackgroundRun::post(std::function<void()> step) {
    QMetaObject::invokeMethod(this, std::move(step), Qt::QueuedConnection);
}

void BackgroundRun::postAndWait(std::function<void()> step) {
    struct Handshake {
        std::mutex mutex;
        std::condition_variable ran;
        bool done = false;
    };
    auto handshake = std::make_shared<Handshake>();
    post([handshake, step = std::move(step)] {
        step();
        std::lock_guard<std::mutex> lock(handshake->mutex);
        handshake->done = true;
        handshake->ran.notify_all();
    });
    // A window that goes cancels first: the wait never holds up its destructor.
    std::unique_lock<std::mutex> lock(handshake->mutex);
    while (!handshake->done && !cancelled_.load()) handshake->ran.wait_for(lock, kTurnPoll);
}

void BackgroundRun::join() {
    if (thread_.joinable()) thread_.join();
}

}  // namespace tally::reportui
