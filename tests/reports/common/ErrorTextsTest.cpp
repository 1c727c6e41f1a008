// The ways the system writes an error for the user, each tied to the routine that met it.
#include <gtest/gtest.h>

#include "ReportError.h"
#include "SheetError.h"

using tally::data::DbError;
using tally::reports::ReportError;

TEST(ErrorTexts, RunRoutinesRunTheNumberIntoTheDescription) {
    EXPECT_EQ(ReportError::fromDb(DbError(-2147217900, "列名无效")).messageText(), "-2147217900列名无效");
}

TEST(ErrorTexts, ListLoadersNameCodeAndDescription) {
    const auto e = ReportError::fromDb(DbError(3709, "连接已关闭"), ReportError::Form::List);
    EXPECT_EQ(e.messageText(), "错误码: 3709 错误描述: 连接已关闭");
}

TEST(ErrorTexts, ARefusedSelectionShowsItsMessageAlone) {
    EXPECT_EQ(ReportError::refused("请先选择统计部门!").messageText(), "请先选择统计部门!");
}

TEST(ErrorTexts, ExportsNameNumberAndDescription) {
    EXPECT_EQ(tally::sheet::SheetError(1004, "保存失败").messageText(), "错误号: 1004错误描述: 保存失败");
    EXPECT_EQ(tally::sheet::exportErrorText(0, "bad_alloc"), "错误号: 0错误描述: bad_alloc");
}
