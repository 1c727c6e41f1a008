#include "PrintLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace tally::sheet {

namespace {

// The default font's widest digit is 7 pixels at 96 dpi, plus 5 pixels of padding.
constexpr double kPixelsPerCharacter = 7;
constexpr double kColumnPaddingPixels = 5;
constexpr double kPointsPerPixel = 0.75;
// 微软雅黑 and the fallbacks print Latin letters and digits wider than the default font.
constexpr double kNarrowCharacterUnits = 1.15;
constexpr double kWideCharacterUnits = 2;
// Line spacing of the sheet fonts (微软雅黑 is tall), and the cell's top and bottom room.
constexpr double kLineSpacing = 1.3;
constexpr double kRowPaddingPoints = 2.5;

// Decodes the code point at text[i] and moves i past it; a stray byte counts as itself.
std::uint32_t nextCodePoint(std::string_view text, std::size_t& i) {
    const auto b = static_cast<unsigned char>(text[i]);
    const std::size_t n = b < 0x80 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
    if (n == 1 || i + n > text.size()) {
        ++i;
        return b;
    }
    std::uint32_t c = b & (0x7F >> n);
    for (std::size_t k = 1; k < n; ++k) c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    i += n;
    return c;
}

bool isWide(std::uint32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || c >= 0x20000;
}

double unitsOf(std::uint32_t c, double scale) {
    return (isWide(c) ? kWideCharacterUnits : kNarrowCharacterUnits) * scale;
}

double scaleOf(double fontPoints) { return (fontPoints > 0 ? fontPoints : kDefaultFontPoints) / kDefaultFontPoints; }

// Lines of one paragraph (no line breaks): greedy, breaking after blanks and around wide
// characters, and inside a run that is longer than a line on its own.
int paragraphLines(std::string_view text, double width, double scale) {
    int lines = 1;
    double used = 0;  // on the current line
    double word = 0;  // the run since the last break opportunity
    for (std::size_t i = 0; i < text.size();) {
        const std::uint32_t c = nextCodePoint(text, i);
        const double w = unitsOf(c, scale);
        const bool breakBefore = isWide(c);
        if (breakBefore) {
            used += word;
            word = 0;
        }
        if (used + word + w > width) {
            if (used > 0) {
                // the run moves to a new line
                ++lines;
                used = 0;
            }
            if (word > 0 && word + w > width) {
                // a run longer than a line breaks where the line ends
                ++lines;
                word = 0;
                used = 0;
            }
        }
        word += w;
        if (c == ' ' || breakBefore) {
            used += word;
            word = 0;
        }
    }
    return lines;
}

}  // namespace

double columnPoints(double characters) {
    if (characters <= 0) return 0;
    return (std::floor(characters * kPixelsPerCharacter + 0.5) + kColumnPaddingPixels) * kPointsPerPixel;
}

Paper paperFor(double sheetPoints, double smallestFontPoints) {
    if (sheetPoints <= kA4PrintablePoints) return Paper::A4;
    const double printed = smallestFontPoints * kA4PrintablePoints / sheetPoints;
    return printed < kSmallestPrintedFont ? Paper::A3 : Paper::A4;
}

double textCharacters(std::string_view text, double fontPoints) {
    const double scale = scaleOf(fontPoints);
    double units = 0;
    for (std::size_t i = 0; i < text.size();) units += unitsOf(nextCodePoint(text, i), scale);
    return units;
}

int wrappedLines(std::string_view text, double columnCharacters, double fontPoints) {
    // A sliver of the width goes to the cell's padding; a line holds one character at least.
    const double width = std::max(columnCharacters - 0.5, 0.0);
    const double scale = scaleOf(fontPoints);
    int lines = 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find('\n', start);
        const std::string_view paragraph = text.substr(start, end == std::string_view::npos ? end : end - start);
        lines += paragraphLines(paragraph, width, scale);
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return lines;
}

double rowPoints(int lines, double fontPoints) {
    const double font = fontPoints > 0 ? fontPoints : kDefaultFontPoints;
    const double needed = std::max(lines, 1) * font * kLineSpacing + kRowPaddingPoints;
    // Whole quarter points, as the sheet stores them.
    return std::max(kDefaultRowPoints, std::ceil(needed * 4) / 4);
}

}  // namespace tally::sheet
