#include "CellStyle.h"

namespace tally::sheet {

namespace {
template <typename T>
void take(std::optional<T>& mine, const std::optional<T>& later) {
    if (later) mine = later;
}
}  // namespace

void CellStyle::overlay(const CellStyle& later) {
    take(fontName, later.fontName);
    take(fontSize, later.fontSize);
    take(bold, later.bold);
    take(align, later.align);
    take(wrap, later.wrap);
    take(fill, later.fill);
    take(thinBorder, later.thinBorder);
    take(numberFormat, later.numberFormat);
}

void CellFormat::apply(const CellStyle& style) {
    if (style.fontName) fontName = *style.fontName;
    if (style.fontSize) fontSize = *style.fontSize;
    if (style.bold) bold = *style.bold;
    if (style.align) align = *style.align;
    if (style.wrap) wrap = *style.wrap;
    if (style.fill) fillRgb = systemColourToRgb(*style.fill);
    if (style.thinBorder) thinBorder = *style.thinBorder;
    if (style.numberFormat) numberFormat = *style.numberFormat;
}

std::uint32_t systemColourToRgb(long systemColour) {
    const auto bgr = static_cast<std::uint32_t>(systemColour) & 0xFFFFFFu;
    const std::uint32_t red = bgr & 0xFFu;
    const std::uint32_t green = (bgr >> 8) & 0xFFu;
    const std::uint32_t blue = (bgr >> 16) & 0xFFu;
    return (red << 16) | (green << 8) | blue;
}

}  // namespace tally::sheet
