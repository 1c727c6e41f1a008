#include "FormatCache.h"

#include "SheetError.h"

namespace tally::sheet {

lxw_format* FormatCache::formatFor(const CellFormat& format) {
    if (format.isPlain()) return nullptr;
    auto found = formats_.find(format);
    if (found != formats_.end()) return found->second;
    lxw_format* created = create(format);
    formats_.emplace(format, created);
    return created;
}

lxw_format* FormatCache::create(const CellFormat& format) {
    lxw_format* f = workbook_add_format(workbook_);
    if (!f)
        throw SheetError(sheet_errors::kLibraryBase + LXW_ERROR_MEMORY_MALLOC_FAILED,
                         lxw_strerror(LXW_ERROR_MEMORY_MALLOC_FAILED));
    if (!format.fontName.empty()) format_set_font_name(f, format.fontName.c_str());
    if (format.fontSize > 0) format_set_font_size(f, format.fontSize);
    if (format.bold) format_set_bold(f);
    switch (format.align) {
    case HAlign::General: break;
    case HAlign::Left: format_set_align(f, LXW_ALIGN_LEFT); break;
    case HAlign::Centre: format_set_align(f, LXW_ALIGN_CENTER); break;
    case HAlign::Right: format_set_align(f, LXW_ALIGN_RIGHT); break;
    }
    if (format.wrap) format_set_text_wrap(f);
    if (format.fillRgb) {
        format_set_pattern(f, LXW_PATTERN_SOLID);
        // The library reads 0 as "no colour"; black has its own marker.
        format_set_bg_color(f, *format.fillRgb == 0 ? static_cast<lxw_color_t>(LXW_COLOR_BLACK) : *format.fillRgb);
    }
    if (format.thinBorder) format_set_border(f, LXW_BORDER_THIN);
    if (!format.numberFormat.empty()) format_set_num_format(f, format.numberFormat.c_str());
    return f;
}

}  // namespace tally::sheet
