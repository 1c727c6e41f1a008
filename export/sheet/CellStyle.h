#pragma once
// How a cell looks. A CellStyle is one styling step: each setting it gives replaces the
// earlier one, the others stay. A CellFormat is the end result for one cell; cells with
// equal formats share one workbook format.
#include <compare>
#include <cstdint>
#include <optional>
#include <string>

namespace tally::sheet {

enum class HAlign { General, Left, Centre, Right };

struct CellStyle {
    std::optional<std::string> fontName{};
    std::optional<double> fontSize{};  // points
    std::optional<bool> bold{};
    std::optional<HAlign> align{};
    std::optional<bool> wrap{};
    std::optional<long> fill{};  // system colour number: red in the low byte, blue in the high
    std::optional<bool> thinBorder{};
    std::optional<std::string> numberFormat{};

    // The settings of `later` win over this style's.
    void overlay(const CellStyle& later);
};

struct CellFormat {
    std::string fontName;  // empty: the workbook's default font
    double fontSize = 0;   // 0: the workbook's default size
    bool bold = false;
    HAlign align = HAlign::General;
    bool wrap = false;
    std::optional<std::uint32_t> fillRgb;  // 0xRRGGBB
    bool thinBorder = false;
    std::string numberFormat;

    void apply(const CellStyle& style);
    bool isPlain() const { return *this == CellFormat{}; }
    auto operator<=>(const CellFormat&) const = default;
};

// 12640511 (red 255, green 224, blue 192) -> 0xFFE0C0.
std::uint32_t systemColourToRgb(long systemColour);

}  // namespace tally::sheet
