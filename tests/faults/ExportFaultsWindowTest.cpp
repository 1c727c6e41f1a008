// "导出Excel" when the disk lets the user down: a folder that became read-only, a disk
// that fills up while the workbook is written, a file-size limit, and no LibreOffice for
// an .xls name. Each failure is told with its number, leaves the earlier file as it was
// and nothing else in the folder, and brings the commands back.
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>
#include <memory>
#include <set>

#include "DetailExportCommand.h"
#include "ReconciliationExportCommand.h"
#include "ReconciliationWindow.h"
#include "ReportWindow.h"
#include "ReportWindowFactory.h"
#include "ScratchFolder.h"
#include "SelectionPanel.h"
#include "faults/PrivateMounts.h"
#include "support/RecordingNotifier.h"
#include "support/ReportWindowDriving.h"
#include "windows/DemoConnection.h"

using namespace tally;
using tally::reportui::ReportWindow;

namespace {

bool privateMounts = false;  // set in main, before any thread starts
const std::string kEarlier = "the earlier export";

exports::ExportEnvironment answering(
    const std::filesystem::path& file, sheet::ConverterLookup converter = [] { return std::nullopt; }) {
    exports::ExportEnvironment environment;
    environment.chooseFile = [file](QWidget*, const QString&, const QString&) {
        return std::optional<QString>(QString::fromStdString(file.string()));
    };
    environment.findConverter = std::move(converter);
    return environment;
}

}  // namespace

class ExportFaultsWindowTest : public QObject, private testing::DemoWindowTestServices {
    Q_OBJECT

private:
    std::unique_ptr<ReportWindow> window_;
    std::unique_ptr<testing::ScratchFolder> folder_;
    bool mounted_ = false;

    std::filesystem::path inFolder(const std::string& name) const { return *folder_ / name; }
    void writeEarlierFile(const std::string& name) const { testing::writeText(inFolder(name), kEarlier); }

    // The user was asked whether to replace the earlier file, said yes, and was then told
    // the failure with its number, naming the chosen file and never the hidden one.
    void expectFailureKeptTheEarlierFile(const testing::RecordingNotifier& messages, const std::string& name,
                                         const QString& numberPrefix) {
        QCOMPARE(messages.messages.size(), size_t(2));
        QVERIFY(messages.messages[0].buttons == MessageButtons::YesNo);
        QVERIFY2(messages.texts()[1].contains(numberPrefix), qPrintable(messages.texts()[1]));
        QVERIFY2(!messages.texts()[1].contains(".tmp-"), qPrintable(messages.texts()[1]));
        QCOMPARE(testing::readText(inFolder(name)), kEarlier);
        QCOMPARE(folder_->names(), std::set<std::string>{name});
        QVERIFY(!window_->exportButton()->isHidden());
        QVERIFY(!window_->exitButton()->isHidden());
        QVERIFY(window_->progressBar()->isHidden());
        QVERIFY(!QApplication::overrideCursor());
    }

    void mountSmallDiskOrSkip(unsigned long bytes) {
        if (!privateMounts) QSKIP("needs root on Linux for a private tmpfs");
        QVERIFY(testing::mountSmallDisk(folder_->path(), bytes));
        mounted_ = true;
    }

private slots:
    void initTestCase() { demo_ = std::make_unique<testing::DemoConnection>(); }
    void init() {
        folder_ = std::make_unique<testing::ScratchFolder>();
        notifier_.fresh();
        window_.reset(reportui::createReportWindow("vat-invoicing", services(), nullptr));
        testing::runReport(*window_, 0, {2025, 1, 1}, {2025, 12, 31});
        QVERIFY(window_->result() && window_->result()->rowCount() > 10);
    }
    void cleanup() {
        window_.reset();
        if (mounted_) testing::unmount(folder_->path());
        mounted_ = false;
        folder_.reset();
    }
    void cleanupTestCase() { demo_.reset(); }

    void readOnlyFolder() {
        if (testing::kOnWindows) QSKIP("a Windows folder has no read-only mode; its access list keeps users out");
        if (privateMounts) {
            mountSmallDiskOrSkip(1 << 20);
            writeEarlierFile("开票.xlsx");
            QVERIFY(testing::remountReadOnly(folder_->path()));
        } else if (!testing::runsAsRoot()) {
            writeEarlierFile("开票.xlsx");
            std::filesystem::permissions(folder_->path(),
                                         std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        } else {
            QSKIP("root writes into any folder; a read-only one needs a private mount");
        }
        auto& messages = notifier_.fresh(MessageAnswer::Yes);
        exports::ExportDetailReport(*window_, answering(inFolder("开票.xlsx")));
        QVERIFY(testing::idle(*window_));
        if (!privateMounts) std::filesystem::permissions(folder_->path(), std::filesystem::perms::owner_all);
        expectFailureKeptTheEarlierFile(
            messages, "开票.xlsx", privateMounts ? "文件只读: 错误号: 30错误描述: " : "文件只读: 错误号: 13错误描述: ");
        QVERIFY2(messages.texts()[1].contains(QString::fromStdString(inFolder("开票.xlsx").string())),
                 qPrintable(messages.texts()[1]));
    }

    // Two pages of tmpfs: the earlier file takes one, the new workbook needs more than one.
    void diskFillsUpWhileWriting() {
        mountSmallDiskOrSkip(8192);
        writeEarlierFile("开票.xlsx");
        auto& messages = notifier_.fresh(MessageAnswer::Yes);
        exports::ExportDetailReport(*window_, answering(inFolder("开票.xlsx")));
        QVERIFY(testing::idle(*window_));
        QVERIFY2(messages.texts().value(1).contains("错误描述: "), qPrintable(messages.texts().join("; ")));
        expectFailureKeptTheEarlierFile(messages, "开票.xlsx", "错误号: ");
    }

    void fileSizeLimitStopsTheWorkbook() {
        if (!testing::kFileSizeLimits) QSKIP(testing::kNoFileSizeLimits);
        writeEarlierFile("开票.xlsx");
        auto& messages = notifier_.fresh(MessageAnswer::Yes);
        {
            testing::FileSizeLimit limit(4096);
            exports::ExportDetailReport(*window_, answering(inFolder("开票.xlsx")));
            QVERIFY(testing::idle(*window_));
        }
        expectFailureKeptTheEarlierFile(messages, "开票.xlsx", "错误号: ");
        // The same export succeeds once the limit is gone.
        messages.clear();
        exports::ExportDetailReport(*window_, answering(inFolder("开票.xlsx")));
        QVERIFY(testing::idle(*window_));
        QCOMPARE(messages.texts().value(1), QString("增值税开票明细表导出成功！"));
        QVERIFY(testing::readText(inFolder("开票.xlsx")).starts_with("PK"));
    }

    // Without LibreOffice an .xls name is saved as the .xlsx beside it, as the office
    // program would save in its own default format; an earlier .xls is left alone.
    void xlsWithoutLibreOfficeBecomesXlsx() {
        writeEarlierFile("开票.xls");
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QByteArray::fromStdString(folder_->path().string()));
        auto& messages = notifier_.fresh();
        exports::ExportDetailReport(*window_, answering(inFolder("开票.xls"), sheet::findOfficeConverter));
        QVERIFY(testing::idle(*window_));
        qputenv("PATH", path);
        QCOMPARE(messages.texts(), QStringList{"增值税开票明细表导出成功！"});
        QCOMPARE(folder_->names(), (std::set<std::string>{"开票.xls", "开票.xlsx"}));
        QCOMPARE(testing::readText(inFolder("开票.xls")), kEarlier);
        QVERIFY(testing::readText(inFolder("开票.xlsx")).starts_with("PK"));
    }

    void reconciliationExportOnAFullDisk() {
        if (!testing::kFileSizeLimits) QSKIP(testing::kNoFileSizeLimits);
        notifier_.fresh();
        std::unique_ptr<reportui::ReconciliationWindow> window(
            reportui::createReconciliationWindow(services(), nullptr));
        testing::runReconciliation(*window, 0, "2025", "01", "12");
        QVERIFY(window->table().rowCount() > 2);

        writeEarlierFile("核对.xlsx");
        auto& messages = notifier_.fresh(MessageAnswer::Yes);
        {
            testing::FileSizeLimit limit(2048);
            exports::ExportReconciliationWindow(*window, answering(inFolder("核对.xlsx")));
            QVERIFY(testing::idle(*window));
        }
        QCOMPARE(messages.messages.size(), size_t(2));
        QVERIFY2(messages.texts()[1].contains("错误号: "), qPrintable(messages.texts()[1]));
        QCOMPARE(testing::readText(inFolder("核对.xlsx")), kEarlier);
        QCOMPARE(folder_->names(), std::set<std::string>{"核对.xlsx"});
        QVERIFY(!window->exportButton()->isHidden());
    }
};

int main(int argc, char** argv) {
    privateMounts = tally::testing::enterPrivateMountNamespace();
    QApplication app(argc, argv);
    ExportFaultsWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ExportFaultsWindowTest.moc"
