#include "RecordingConnection.h"

#include "SqliteConnection.h"

namespace tally::testing {

RecordingConnection::RecordingConnection(std::unique_ptr<data::Connection> inner) : inner_(std::move(inner)) {}

std::unique_ptr<data::Recordset> RecordingConnection::execute(std::string_view sql, int timeoutSeconds) {
    statements.emplace_back(sql);
    timeouts.push_back(timeoutSeconds);
    if (!inner_) throw data::DbError(1, "not expected");
    if (auto* sqlite = dynamic_cast<data::SqliteConnection*>(inner_.get())) {
        try {
            translated.push_back(sqlite->translate(sql));
        } catch (const data::DbError&) {
            // the open below reports the same failure
        }
    }
    return inner_->open(sql, timeoutSeconds);
}

}  // namespace tally::testing
