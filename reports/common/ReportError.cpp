#include "ReportError.h"

namespace tally::reports {

std::string runErrorText(long number, const std::string& description) { return std::to_string(number) + description; }

std::string listErrorText(long number, const std::string& description) {
    return "错误码: " + std::to_string(number) + " 错误描述: " + description;
}

std::string databaseCauseText(long number) {
    // SQLite's primary result codes (its connection does not turn on the extended ones).
    // The server's own numbers start far above these.
    switch (number) {
    case 5:  // SQLITE_BUSY
    case 6:  // SQLITE_LOCKED
        return "数据库被锁定";
    case 14:  // SQLITE_CANTOPEN
        return "文件不存在或无法打开";
    case 8:  // SQLITE_READONLY
        return "文件只读";
    case 13:  // SQLITE_FULL
        return "磁盘已满";
    default: return "";
    }
}

std::string ReportError::messageText() const {
    if (refusedSelection) return description;
    const std::string text =
        form == Form::List ? listErrorText(number, description) : runErrorText(number, description);
    const std::string cause = databaseCauseText(number);
    return cause.empty() ? text : cause + ": " + text;
}

}  // namespace tally::reports
