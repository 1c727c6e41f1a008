#include "SheetError.h"

#include <cerrno>
#include <cstring>

namespace tally::sheet {

SheetError::SheetError(int number, std::string description)
    : std::runtime_error(description), number(number), description(std::move(description)) {}

std::string exportErrorText(int number, const std::string& description) {
    return "错误号: " + std::to_string(number) + "错误描述: " + description;
}

std::string fileCauseText(int number) {
    switch (number) {
    case ENOSPC:
#ifdef EDQUOT  // not on Windows
    case EDQUOT:
#endif
        return "磁盘已满";
    case EROFS:
    case EACCES:
    case EPERM: return "文件只读";
    case ENOENT:
    case ENOTDIR: return "文件不存在或无法打开";
    case EBUSY:
#ifdef ETXTBSY
    case ETXTBSY:
#endif
        return "文件被锁定";
    default: return "";
    }
}

std::string SheetError::messageText() const {
    const std::string cause = fileCauseText(number);
    const std::string text = exportErrorText(number, description);
    return cause.empty() ? text : cause + ": " + text;
}

SheetError fileError(int errnoValue, const std::string& what, const std::string& path) {
    return SheetError(errnoValue, what + " " + path + ": " + std::strerror(errnoValue));
}

}  // namespace tally::sheet
