// The ways the system writes an error for the user, each tied to the routine that met it.
#include <gtest/gtest.h>

#include <cerrno>

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

TEST(ErrorTexts, CommonDatabaseCausesAreNamedBeforeNumberAndText) {
    EXPECT_EQ(ReportError::fromDb(DbError(5, "database is locked")).messageText(), "数据库被锁定: 5database is locked");
    EXPECT_EQ(ReportError::fromDb(DbError(14, "unable to open database file: /d/x.db")).messageText(),
              "文件不存在或无法打开: 14unable to open database file: /d/x.db");
    EXPECT_EQ(
        ReportError::fromDb(DbError(8, "attempt to write a readonly database"), ReportError::Form::List).messageText(),
        "文件只读: 错误码: 8 错误描述: attempt to write a readonly database");
    EXPECT_EQ(ReportError::fromDb(DbError(13, "database or disk is full")).messageText(),
              "磁盘已满: 13database or disk is full");
    // The server's numbers and a refusal carry no cause.
    EXPECT_EQ(ReportError::fromDb(DbError(208, "对象名无效")).messageText(), "208对象名无效");
    EXPECT_EQ(ReportError::refused("5").messageText(), "5");
}

TEST(ErrorTexts, CommonFileCausesAreNamedBeforeTheExportText) {
    EXPECT_EQ(tally::sheet::SheetError(ENOSPC, "无法保存文件 /d/a.xlsx: No space left on device").messageText(),
              "磁盘已满: 错误号: 28错误描述: 无法保存文件 /d/a.xlsx: No space left on device");
    EXPECT_EQ(tally::sheet::SheetError(EROFS, "x").messageText(), "文件只读: 错误号: 30错误描述: x");
    EXPECT_EQ(tally::sheet::SheetError(EACCES, "x").messageText(), "文件只读: 错误号: 13错误描述: x");
    EXPECT_EQ(tally::sheet::SheetError(ENOENT, "x").messageText(), "文件不存在或无法打开: 错误号: 2错误描述: x");
    // The writer's own numbers are no errno.
    EXPECT_EQ(tally::sheet::SheetError(tally::sheet::sheet_errors::kBadFileName, "x").messageText(),
              "错误号: 52错误描述: x");
}
