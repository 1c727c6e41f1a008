// Writes the sample workbook that check_sample_sheet.py reads back: a small detail report
// with every kind of cell and format the export layouts use.
#include <cstdio>
#include <filesystem>

#include "SampleWriterMain.h"
#include "SheetWriter.h"

using namespace tally::sheet;

namespace {

constexpr int C = 7;          // 序, 开票日期, 发票号, three parking columns, 合计
constexpr int kLastRow = 11;  // rows 6-8 invoices, 9 grand total, 10 subtotal, 11 signatures
constexpr long kHeadingBlue = 16761024;
constexpr long kSubtotalOrange = 12640511;

void write(SheetWriter& sheet) {
    const double widths[C] = {800, 1200, 2500, 1400, 1400, 1400, 1400};
    for (int c = 1; c <= C; ++c) sheet.columnWidth(c, twipsToCharacters(widths[c - 1]));

    sheet.style({1, 1, 1, C}, {.fontName = "微软雅黑", .bold = true, .align = HAlign::Centre});
    sheet.style({2, 1, kLastRow, C}, {.fontName = "微软雅黑", .fontSize = 9});
    sheet.style({4, 1, 5, C}, {.align = HAlign::Centre, .fill = kHeadingBlue});
    sheet.style({4, 1, 10, C}, {.thinBorder = true});
    sheet.style({6, 4, 10, C}, {.align = HAlign::Right, .numberFormat = "#0.00"});

    sheet.merge({1, 1, 1, C});
    sheet.text(1, 1, "【0101 一号管理处】停车费明细表");
    sheet.merge({2, 1, 2, 4});
    sheet.text(2, 1, " 统计部门 : 0101 一号管理处", {.align = HAlign::Left});
    sheet.merge({3, 1, 3, 4});
    sheet.text(3, 1, " 开票日期 : 2024-01-01 至 2024-01-31", {.align = HAlign::Left});

    const char* top[C] = {"序", "开票日期", "发票号", "停车费", "", "", "合计"};
    const char* bottom[C] = {"", "", "", "开发商70%", "物业30%", "税额", ""};
    for (int c = 1; c <= C; ++c) sheet.text(4, c, top[c - 1]);
    for (int c : {1, 2, 3, C}) sheet.merge({4, c, 5, c});
    sheet.merge({4, 4, 4, 6});
    for (int c = 1; c <= C; ++c) sheet.text(5, c, bottom[c - 1]);

    const char* numbers[3] = {"00012345", "00012346", "0"};
    for (int r = 1; r <= 3; ++r) {
        const int s = r + 5;
        if (r == 2) sheet.wrapRow(s);
        sheet.number(s, 1, r, {.align = HAlign::Centre});
        sheet.date(s, 2, "2024-01-0" + std::to_string(r + 4), {.align = HAlign::Centre});
        sheet.text(s, 3, numbers[r - 1], {.align = HAlign::Centre});
        sheet.number(s, 4, 12.5 * r);
        sheet.number(s, 5, 5.25 * r);
        sheet.number(s, 6, 1.5 * r);
        sheet.number(s, 7, 19.25 * r);
    }
    sheet.style({9, 1, 9, C}, {.fill = kHeadingBlue});
    sheet.number(9, 1, 4, {.align = HAlign::Centre});
    sheet.date(9, 2, "合  计", {.align = HAlign::Centre});
    sheet.number(9, 7, 115.5);

    sheet.entered(10, 1, "小计");
    sheet.entered(10, 2, "202401");
    sheet.entered(10, 3, "'0.09");
    for (int c = 4; c <= C; ++c) sheet.entered(10, c, "1.50", {.fill = kSubtotalOrange});

    sheet.text(11, 1, "收款人:");
    sheet.text(11, 2, "经理:", {.align = HAlign::Centre});
    sheet.text(11, 3, "缴款人:", {.align = HAlign::Left});
}

}  // namespace

int main(int argc, char** argv) {
    return tally::testing::sampleWriterMain(argc, argv, "OUTPUT.xlsx", [](const std::filesystem::path& output) {
        std::filesystem::create_directories(output.parent_path());
        SheetWriter sheet(chooseOutput(output.string(), {}), {kLastRow, C});
        write(sheet);
        std::printf("wrote %s\n", sheet.save().string().c_str());
    });
}
