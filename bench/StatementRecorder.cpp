#include "StatementRecorder.h"

namespace tally::bench {

std::unique_ptr<data::Recordset> StatementRecorder::execute(std::string_view sql, int timeoutSeconds) {
    statements_.emplace_back(sql);
    return target_.open(sql, timeoutSeconds);
}

}  // namespace tally::bench
