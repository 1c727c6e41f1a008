// tallyvane-report when the machine lets it down: the database file missing, a file-size
// limit, a disk that fills up and a folder that is read-only. Each ends with the message
// and exit status 1; the earlier file under the chosen name stays as it was and nothing
// else is left in its folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "OfficeRows.h"
#include "ScratchFolder.h"
#include "cli/ReportToolTest.h"

using namespace tally::testing;

namespace {

const std::string kEarlier = "the earlier export";

const std::string kReferenceRows = kCuihuOffice + R"(
    INSERT INTO 票据类型 VALUES ('01','增值税普通发票',0);
    INSERT INTO 票据入库单 VALUES ('R1','01');
    INSERT INTO setupsfxm VALUES ('W1','物业管理费',0.06,'物业','物业');
    INSERT INTO 收款方式列表 VALUES ('现金');
)";

class CliFaults : public ReportToolTest {
protected:
    CliFaults() : ReportToolTest(kReferenceRows) {}

    void SetUp() override {
        // Enough rows that the workbook outgrows the small limits below.
        std::string rows;
        for (int i = 0; i < 400; ++i) {
            const std::string number = std::to_string(10000 + i);
            db.exec(
                "INSERT INTO 票据 (票据编号,入库单编号,开票部门编号,开票日期,收款日期,金额,收款方式,付款人,预开) "
                "VALUES ('" +
                number + "','R1','01','2024-03-05','2024-03-05',106,'现金','付款人" + number +
                "',0);"
                "INSERT INTO 票据开票数据 VALUES ('" +
                number + "','R1','W1',106,6);");
        }
    }

    std::string arguments(const std::filesystem::path& output) const {
        return "--db " + shellQuote(db.path()) +
               " vat-invoicing --department 01 --from 2024-03-01 --to 2024-03-31 --format xlsx --output " +
               shellQuote(output.string());
    }

    // Runs a shell script: "$TOOL" is the report tool, "$DIR" the folder, "$ERR" a file
    // outside it for the tool's messages. `privateMounts`: in a mount namespace of its own.
    CommandResult shell(const std::string& script, bool privateMounts = false) const {
        const std::string command = "DIR=" + shellQuote(folder.path().string()) +
                                    " ERR=" + shellQuote(errors.string()) + " TOOL=" + shellQuote(TALLYVANE_REPORT) +
                                    (privateMounts ? " unshare -m" : "") + " sh -c " + shellQuote(script);
        return runShell(command);
    }

    // The script's run of the tool and what the folder holds afterwards.
    static std::string runAndList(const std::string& toolArguments) {
        return "\"$TOOL\" " + toolArguments +
               " >/dev/null 2>\"$ERR\"; echo \"status=$?\"\n"
               "cat \"$DIR/开票.xlsx\"; echo; ls -A \"$DIR\"";
    }

    // GTEST_SKIP() leaves only the function it is in: each test asks this itself.
    bool privateMountsWork() {
        return runsAsRoot() && shell("mount -t tmpfs -o size=4096 t \"$DIR\" && echo ok", true).out == "ok\n";
    }
    static constexpr const char* kNoPrivateMounts = "needs root on Linux and unshare for a private tmpfs";

    // The tool's last line on standard error (libxlsxwriter may print its own lines first).
    std::string toolMessage() const {
        std::string text = readText(errors);
        text = text.substr(0, text.find_last_not_of('\n') + 1);
        return text.substr(text.find_last_of('\n') + 1);
    }

    ScratchFolder folder;
    std::filesystem::path errors = std::filesystem::path(folder.path()) += ".err";
    void TearDown() override { std::filesystem::remove(errors); }
};

TEST_F(CliFaults, MissingDatabaseIsTheConnectionMessage) {
    const auto r = runReportTool("--db " + shellQuote((folder / "gone.sqlite").string()) +
                                 " parking --department 01 --from 2024-03-01 --to 2024-03-31");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.rfind("错误信息：", 0), 0u) << r.err;
    EXPECT_NE(r.err.find("gone.sqlite"), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
    EXPECT_TRUE(folder.names().empty());  // no empty database made in its place
}

TEST_F(CliFaults, FileSizeLimitLeavesTheEarlierFile) {
    if (!kFileSizeLimits) GTEST_SKIP() << kNoFileSizeLimits;
    writeText(folder / "开票.xlsx", kEarlier);
    // Past the limit a write fails (EFBIG) instead of ending the process with SIGXFSZ.
    const auto r = shell("prlimit --fsize=4096 " + runAndList(arguments(folder / "开票.xlsx")));
    EXPECT_EQ(r.out, "status=1\n" + kEarlier + "\n开票.xlsx\n");
    EXPECT_NE(toolMessage().find("错误号: "), std::string::npos) << toolMessage();
    EXPECT_EQ(toolMessage().find(".tmp-"), std::string::npos) << toolMessage();
}

TEST_F(CliFaults, FullDiskLeavesTheEarlierFile) {
    if (!privateMountsWork()) GTEST_SKIP() << kNoPrivateMounts;
    // Two pages: the earlier file takes one, the new workbook needs more.
    const auto r = shell(
        "mount -t tmpfs -o size=8192 t \"$DIR\" || exit 9\n"
        "printf '" +
            kEarlier + "' > \"$DIR/开票.xlsx\"\n" + runAndList(arguments(folder / "开票.xlsx")),
        true);
    EXPECT_EQ(r.out, "status=1\n" + kEarlier + "\n开票.xlsx\n");
    EXPECT_NE(toolMessage().find("错误号: "), std::string::npos) << toolMessage();
}

TEST_F(CliFaults, ReadOnlyFolderLeavesTheEarlierFile) {
    if (!privateMountsWork()) GTEST_SKIP() << kNoPrivateMounts;
    const auto r = shell(
        "mount -t tmpfs -o size=1048576 t \"$DIR\" || exit 9\n"
        "printf '" +
            kEarlier +
            "' > \"$DIR/开票.xlsx\"\n"
            "mount -o remount,ro \"$DIR\" || exit 9\n" +
            runAndList(arguments(folder / "开票.xlsx")),
        true);
    EXPECT_EQ(r.out, "status=1\n" + kEarlier + "\n开票.xlsx\n");
    EXPECT_EQ(toolMessage().rfind("文件只读: 错误号: 30错误描述: ", 0), 0u) << toolMessage();  // EROFS
}

}  // namespace
