#include "LoggingConnection.h"

#include "AppendFile.h"

#include <cerrno>
#include <cstring>

namespace tally::data {
namespace {

using Clock = std::chrono::steady_clock;

struct LogEntry {
    std::shared_ptr<std::FILE> log;
    std::string sql;
    Clock::time_point started;

    void write(const std::string& outcome) const {
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - started).count();
        std::fprintf(log.get(), "-- %.1f ms, %s\n%s\n\n", ms, outcome.c_str(), sql.c_str());
        std::fflush(log.get());
    }
};

// Reads the inner rows one by one, counting them; the entry is written once, at the end
// of the rows, at a failure or when the rows are let go.
class LoggingRecordset : public Recordset {
public:
    LoggingRecordset(std::unique_ptr<Recordset> inner, LogEntry entry)
        : inner_(std::move(inner)), entry_(std::move(entry)) {
        std::vector<std::string> names;
        for (int i = 0; i < inner_->fieldCount(); ++i) names.push_back(inner_->fieldName(i));
        start(std::move(names));
    }
    ~LoggingRecordset() override { finish(rowsText()); }
    LoggingRecordset(const LoggingRecordset&) = delete;
    LoggingRecordset& operator=(const LoggingRecordset&) = delete;

protected:
    bool fetchRow(std::vector<Value>& row) override {
        try {
            // The inner set already stands on its first row; later rows are moved to here.
            if (started_) inner_->moveNext();
            started_ = true;
        } catch (const DbError& e) {
            finish(rowsText() + ", failed: " + e.description());
            throw;
        }
        if (inner_->eof()) {
            finish(rowsText());
            return false;
        }
        for (int i = 0; i < fieldCount(); ++i) row[static_cast<std::size_t>(i)] = inner_->field(i);
        ++rows_;
        return true;
    }

private:
    std::string rowsText() const { return std::to_string(rows_) + (rows_ == 1 ? " row" : " rows"); }

    void finish(const std::string& outcome) {
        if (written_) return;
        written_ = true;
        entry_.write(outcome);
    }

    std::unique_ptr<Recordset> inner_;
    LogEntry entry_;
    long long rows_ = 0;
    bool started_ = false;
    bool written_ = false;
};

}  // namespace

LoggingConnection::LoggingConnection(std::unique_ptr<Connection> inner, const std::string& logPath)
    : owned_(std::move(inner)), inner_(owned_.get()) {
    std::FILE* file = openForAppending(logPath);
    if (!file) throw DbError(errno, "cannot open the SQL log " + logPath + ": " + std::strerror(errno));
    log_.reset(file, [](std::FILE* f) { std::fclose(f); });
}

LoggingConnection::LoggingConnection(Connection& inner, std::shared_ptr<std::FILE> log)
    : inner_(&inner), log_(std::move(log)) {}

LoggingConnection::~LoggingConnection() = default;

void LoggingConnection::note(const std::string& text) {
    std::fprintf(log_.get(), "-- %s\n\n", text.c_str());
    std::fflush(log_.get());
}

// Each entry is written by one fprintf, which holds the file's lock: the entries of two
// threads do not mix.
Connection* LoggingConnection::sibling() {
    if (!sibling_) {
        Connection* inner = inner_->sibling();
        if (!inner) return nullptr;
        sibling_.reset(new LoggingConnection(*inner, log_));
    }
    return sibling_.get();
}

std::unique_ptr<Recordset> LoggingConnection::execute(std::string_view sql, int timeoutSeconds) {
    LogEntry entry{log_, std::string(sql), Clock::now()};
    std::unique_ptr<Recordset> rows;
    try {
        rows = inner_->open(sql, timeoutSeconds);
    } catch (const DbError& e) {
        entry.write("failed: " + e.description());
        throw;
    }
    return std::make_unique<LoggingRecordset>(std::move(rows), std::move(entry));
}

}  // namespace tally::data
