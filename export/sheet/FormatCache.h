#pragma once
// One workbook format per distinct CellFormat: the workbook keeps every format it is
// given until it is closed, so a format per cell would grow with the sheet.
#include <map>

#include <xlsxwriter.h>

#include "CellStyle.h"

namespace tally::sheet {

class FormatCache {
public:
    explicit FormatCache(lxw_workbook* workbook) : workbook_(workbook) {}

    // nullptr for the plain format (the library's default).
    lxw_format* formatFor(const CellFormat& format);
    std::size_t size() const { return formats_.size(); }

private:
    lxw_format* create(const CellFormat& format);

    lxw_workbook* workbook_;
    std::map<CellFormat, lxw_format*> formats_;
};

}  // namespace tally::sheet
