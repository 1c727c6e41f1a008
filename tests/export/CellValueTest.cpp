#include <gtest/gtest.h>

#include <sstream>

#include "CellStyle.h"
#include "CellValue.h"
#include "CsvRecords.h"

using namespace tally::sheet;

TEST(SheetDate, ReadsCalendarDatesOnly) {
    EXPECT_EQ(parseSheetDate("2024-03-05"), (SheetDate{2024, 3, 5}));
    EXPECT_EQ(parseSheetDate("2024-02-29"), (SheetDate{2024, 2, 29}));
    EXPECT_EQ(parseSheetDate("2024-03-05 10:20:30"), (SheetDate{2024, 3, 5}));
    EXPECT_EQ(parseSheetDate("2000-02-29"), (SheetDate{2000, 2, 29}));
    for (const char* bad : {"2023-02-29", "1900-02-29", "2024-04-31", "2024-13-01", "2024-00-10", "1899-12-31",
                            "合  计", "", "2024-3-5", "20240305", "2024-03-05x"})
        EXPECT_FALSE(parseSheetDate(bad).has_value()) << bad;
}

TEST(EnteredValue, ReadsLikeTypingIntoACell) {
    EXPECT_EQ(enteredValue("'00012345"), CellValue{std::string("00012345")});
    EXPECT_EQ(enteredValue("00012345"), CellValue{12345.0});
    EXPECT_EQ(enteredValue("-1234.50"), CellValue{-1234.5});
    EXPECT_EQ(enteredValue("+3"), CellValue{3.0});
    EXPECT_EQ(enteredValue(" 0.09 "), CellValue{0.09});
    EXPECT_EQ(enteredValue("1e3"), CellValue{1000.0});
    EXPECT_EQ(enteredValue("小计"), CellValue{std::string("小计")});
    EXPECT_EQ(enteredValue(""), CellValue{});
    for (const char* text : {"inf", "nan", "0x10", "1.2.3", "12%", "1e", ".", "-", "1 2"})
        EXPECT_EQ(enteredValue(text), CellValue{std::string(text)}) << text;
}

TEST(SystemColour, RedInTheLowByteBecomesRgb) {
    EXPECT_EQ(systemColourToRgb(12640511), 0xFFE0C0u);  // red 255, green 224, blue 192
    EXPECT_EQ(systemColourToRgb(16761024), 0xC0C0FFu);  // red 192, green 192, blue 255
    EXPECT_EQ(systemColourToRgb(0x0000FF), 0xFF0000u);
    EXPECT_EQ(systemColourToRgb(0), 0u);
}

TEST(CsvRecords, CountsRecordsNotLines) {
    auto count = [](const std::string& text) {
        std::istringstream in(text);
        return countCsvRecords(in);
    };
    EXPECT_EQ(count(""), 0);
    EXPECT_EQ(count("a,b\n"), 1);
    EXPECT_EQ(count("a,b\nc,d"), 2);
    EXPECT_EQ(count("a\r\nb\r\n"), 2);
    EXPECT_EQ(count("\"line one\nline two\",x\ny\n"), 2);
    EXPECT_EQ(count("\"say \"\"hi\"\"\n\",x\n"), 1);
    EXPECT_EQ(count(",,,\n,,,\n"), 2);
}
