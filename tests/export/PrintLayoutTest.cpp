// The measures behind row heights and paper: wrapped lines of Chinese, digits and words,
// and the A4/A3 rule at its edge.
#include <gtest/gtest.h>

#include <string>

#include "PrintLayout.h"

using namespace tally::sheet;

namespace {

TEST(WrappedLines, CountsWideCharactersTwiceAndBreaksLongRunsWhereTheLineEnds) {
    // 10 Chinese characters at 11 pt are 20 units; half a unit of the width is the cell's padding.
    const std::string ten = "翠湖花园业主委员会代";
    EXPECT_EQ(wrappedLines(ten, 20.5, 11), 1);
    EXPECT_EQ(wrappedLines(ten, 20, 11), 2);
    EXPECT_EQ(wrappedLines(ten, 10.5, 11), 2);
    EXPECT_EQ(wrappedLines(ten, 8, 11), 4);  // three characters a line
    // A smaller font needs fewer lines.
    EXPECT_EQ(wrappedLines(ten + ten, 20, 9), 2);
    EXPECT_EQ(wrappedLines(ten + ten, 20, 11), 3);
    // A 20-digit electronic invoice number has no blank to break at: it breaks where the line ends.
    EXPECT_EQ(wrappedLines("24442000000012345678", 10.9, 9), 2);
    EXPECT_EQ(wrappedLines("24442000000012345678", 25, 9), 1);
}

TEST(WrappedLines, WordsMoveToTheNextLineWholeAndLineBreaksCount) {
    // "aaaa bbbb": 9 characters of 1.15 units; at 8 units "bbbb" moves down whole.
    EXPECT_EQ(wrappedLines("aaaa bbbb", 12, 11), 1);
    EXPECT_EQ(wrappedLines("aaaa bbbb", 8, 11), 2);
    EXPECT_EQ(wrappedLines("aaaa\nbbbb", 20, 11), 2);
    EXPECT_EQ(wrappedLines("", 20, 11), 1);
    EXPECT_EQ(wrappedLines("a\n\nb", 20, 11), 3);
}

TEST(RowPoints, GrowsWithLinesAndFontAndNeverGoesUnderTheDefault) {
    EXPECT_EQ(rowPoints(1, 9), kDefaultRowPoints);
    EXPECT_GT(rowPoints(1, 11), kDefaultRowPoints);  // 微软雅黑 at 11 pt is taller than the default row
    EXPECT_GE(rowPoints(2, 9), 2 * 9 * 1.2);
    EXPECT_GT(rowPoints(3, 9), rowPoints(2, 9));
    EXPECT_GT(rowPoints(2, 11), rowPoints(2, 9));
}

TEST(Paper, A4UntilFittingItsWidthWouldPrintUnderSixPoints) {
    EXPECT_EQ(paperFor(500, 9), Paper::A4);
    EXPECT_EQ(paperFor(kA4PrintablePoints * 1.5, 9), Paper::A4);  // 9 pt shrinks to exactly 6 pt
    EXPECT_EQ(paperFor(kA4PrintablePoints * 1.5 + 1, 9), Paper::A3);
    // The smallest font decides: 12 pt can shrink further than 9 pt.
    EXPECT_EQ(paperFor(kA4PrintablePoints * 1.9, 12), Paper::A4);
    EXPECT_EQ(paperFor(kA4PrintablePoints * 1.9, 9), Paper::A3);
}

TEST(Paper, ColumnWidthsPrintAtSevenPixelsACharacterPlusPadding) {
    EXPECT_DOUBLE_EQ(columnPoints(0), 0);
    EXPECT_DOUBLE_EQ(columnPoints(10), (70 + 5) * 0.75);
    EXPECT_DOUBLE_EQ(columnPoints(8.43), (59 + 5) * 0.75);
}

}  // namespace
