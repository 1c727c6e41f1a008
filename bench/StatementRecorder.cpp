#include "StatementRecorder.h"

namespace tally::bench {

std::unique_ptr<data::Recordset> StatementRecorder::open(std::string_view sql) {
    statements_.emplace_back(sql);
    target_.setCommandTimeout(commandTimeout());
    return target_.open(sql);
}

}  // namespace tally::bench
