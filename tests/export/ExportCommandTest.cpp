// "导出Excel" in a report window: the proposed name and filter, the commands hidden while
// it works, the progress bar, the busy caption, and the messages for cancel, success and
// failure. A stand-in dialog answers; no test opens a real one.
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include "DetailExportCommand.h"
#include "OfficeRows.h"
#include "ParkingHeadings.h"
#include "ParkingReport.h"
#include "ReconciliationExportCommand.h"
#include "ReconciliationHeadings.h"
#include "ReconciliationWindow.h"
#include "ReportSheetSamples.h"
#include "ReportWindow.h"
#include "ScratchFolder.h"
#include "SelectionPanel.h"
#include "SheetReadBack.h"
#include "TestDatabase.h"
#include "support/ReportWindowDriving.h"
#include "support/WindowTestServices.h"

using namespace tally;
using tally::reportui::ReportWindow;

namespace {

// The parking report's texts and headings with a fixed result: two detail rows, the
// grand total and two payment-method rows, whatever the database holds.
class SampleParkingReport : public reports::parking::ParkingReport {
public:
    reports::Extraction extractFeeItems(data::Connection&, const reports::ReportRequest&) const override {
        return {testing::parkingWithTwoItems().items, std::nullopt};
    }
    reports::Outcome<std::shared_ptr<const reports::ReportResult>> run(data::Connection&, const reports::ReportRequest&,
                                                                       const reports::FeeItemList&,
                                                                       const reports::SplitRatioRows&) const override {
        return std::shared_ptr<const reports::ReportResult>(
            std::make_shared<reports::parking::ParkingResult>(testing::parkingWithTwoItems().result));
    }
};

// What the window looked like whenever the progress bar moved.
struct ProgressSeen {
    int value = 0;
    bool captionShown = false;
    bool commandsHidden = false;
};

}  // namespace

class ExportCommandTest : public QObject, private testing::WindowTestServices {
    Q_OBJECT

private:
    std::unique_ptr<testing::TestDatabase> db_;
    std::unique_ptr<ReportWindow> window_;
    std::unique_ptr<QTemporaryDir> folder_;
    QString proposedName_, filterSeen_;
    bool commandsHiddenInDialog_ = false;

    bool commandsHidden() const { return window_->exportButton()->isHidden() && window_->exitButton()->isHidden(); }
    bool commandsBack() const { return !window_->exportButton()->isHidden() && !window_->exitButton()->isHidden(); }
    QString inFolder(const QString& name) const { return folder_->filePath(name); }

    // A stand-in for the save dialog that notes what it was shown and answers `answer`.
    exports::ExportEnvironment answering(
        std::optional<QString> answer, sheet::ConverterLookup converter = [] { return std::nullopt; }) {
        exports::ExportEnvironment environment;
        environment.chooseFile = [this, answer](QWidget* parent, const QString& name, const QString& filter) {
            proposedName_ = name;
            filterSeen_ = filter;
            commandsHiddenInDialog_ = commandsHidden() && parent == window_.get();
            return answer;
        };
        environment.findConverter = std::move(converter);
        return environment;
    }

private slots:
    void init() {
        db_ = std::make_unique<testing::TestDatabase>();
        db_->exec("INSERT INTO 职能部门new (职能部门编号, 职能部门名称) VALUES ('7', '七部')");
        db_->exec("INSERT INTO 设置管理处 (gyd_dh, gyd_name, 对应部门代号) VALUES ('G7', '北苑', '7')");
        connection_ = db_->connect();
        window_ = std::make_unique<ReportWindow>(std::make_unique<SampleParkingReport>(), services());
        window_->show();
        folder_ = std::make_unique<QTemporaryDir>();
        notifier_.fresh();
        testing::runReport(*window_, 0, {2024, 3, 1}, {2024, 3, 31});
        QVERIFY(window_->result() && window_->result()->rowCount() == 5);
    }
    void cleanup() {
        window_.reset();
        connection_.reset();
        db_.reset();
    }

    void cancellingTheDialogWritesNothing() {
        auto& messages = notifier_.fresh();
        exports::ExportDetailReport(*window_, answering(std::nullopt));
        QVERIFY(testing::idle(*window_));
        QCOMPARE(proposedName_, QString("【北苑】停车费明细表_20240301-20240331.xlsx"));
        QCOMPARE(filterSeen_, QString("电子表(.xlsx) (*.xlsx);;电子表(.xls) (*.xls)"));
        QVERIFY(commandsHiddenInDialog_);
        QCOMPARE(messages.texts(), QStringList{"您取消了导出操作！"});
        QCOMPARE(QString::fromStdString(messages.messages[0].title), QString("系统提示"));
        QVERIFY(commandsBack());
        QVERIFY(window_->progressBar()->isHidden());
        QVERIFY(QDir(folder_->path()).isEmpty());
    }

    // Pickers changed after the run: the labels still name the period the rows are of.
    void exportWritesEveryRowUnderThePeriodOfTheRun() {
        window_->selectionPanel()->endPicker()->setDate({2024, 4, 30});
        std::vector<ProgressSeen> seen;
        connect(window_->progressBar(), &QProgressBar::valueChanged, this, [&](int value) {
            seen.push_back({value, !window_->exportCaption()->isHidden(), commandsHidden()});
        });
        auto& messages = notifier_.fresh();
        exports::ExportDetailReport(*window_, answering(inFolder("停车.xlsx")));
        QVERIFY(testing::idle(*window_));

        QCOMPARE(proposedName_, QString("【北苑】停车费明细表_20240301-20240331.xlsx"));
        QCOMPARE(messages.texts(), QStringList{"停车费明细表导出成功！"});
        QCOMPARE(window_->progressBar()->maximum(), 5);
        // Set back to 0 when shown, then one step per row under the busy caption.
        QCOMPARE(seen.size(), size_t(6));
        QCOMPARE(seen[0].value, 0);
        for (int i = 1; i <= 5; ++i) {
            QCOMPARE(seen[i].value, i);
            QVERIFY(seen[i].captionShown);
            QVERIFY(seen[i].commandsHidden);
        }
        QVERIFY(window_->exportCaption()->isHidden());
        QVERIFY(window_->progressBar()->isHidden());
        QVERIFY(commandsBack());

        if (!testing::kLinuxToolsRun) QSKIP(testing::kNoLinuxTools);
        const QStringList values = testing::sheetValues(inFolder("停车.xlsx"), {"A1", "A2", "A3", "B8"});
        QCOMPARE(values, (QStringList{"11", "【北苑】停车费明细表", " 统计部门 : 7 北苑",
                                      " 开票日期 : 2024-03-01 至 2024-03-31", "合计"}));
    }

    void failedExportKeepsTheOldFileAndBringsTheCommandsBack() {
        QFile old(inFolder("停车.xls"));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old contents");
        old.close();
        auto& messages = notifier_.fresh(MessageAnswer::Yes);
        // A converter that fails whether or not LibreOffice is installed.
        testing::ScratchFolder tools;
        const auto failing = testing::failingProgram(tools);
        exports::ExportDetailReport(*window_,
                                    answering(inFolder("停车.xls"), [failing] { return std::optional(failing); }));
        QVERIFY(testing::idle(*window_));
        QCOMPARE(messages.messages.size(), size_t(2));  // replace it? yes; then the failure
        QVERIFY2(messages.texts()[1].startsWith("错误号: 2004错误描述: "), qPrintable(messages.texts()[1]));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old contents"));
        QCOMPARE(QDir(folder_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"停车.xls"});
        QVERIFY(window_->exportCaption()->isHidden());
        QVERIFY(window_->progressBar()->isHidden());
        QVERIFY(commandsBack());
    }

    void aNameWithoutSheetExtensionGetsXlsx() {
        auto& messages = notifier_.fresh();
        exports::ExportDetailReport(*window_, answering(inFolder("停车")));
        QVERIFY(testing::idle(*window_));
        QCOMPARE(messages.texts(), QStringList{"停车费明细表导出成功！"});
        QCOMPARE(QDir(folder_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"停车.xlsx"});
        messages.clear();
        exports::ExportDetailReport(*window_, answering(inFolder("停车.2024")));
        QVERIFY(testing::idle(*window_));
        QCOMPARE(messages.texts(), QStringList{"停车费明细表导出成功！"});
        QVERIFY(QFile::exists(inFolder("停车.2024.xlsx")));
        QVERIFY(commandsBack());
    }

    void theNameGetsTheExtensionOfTheChosenFilter_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("saved");
        const QString xlsx = "电子表(.xlsx) (*.xlsx)", xls = "电子表(.xls) (*.xls)";
        QTest::newRow("no extension, xlsx") << "/d/表" << xlsx << "/d/表.xlsx";
        QTest::newRow("no extension, xls") << "/d/表" << xls << "/d/表.xls";
        QTest::newRow("xlsx kept") << "/d/表.xlsx" << xls << "/d/表.xlsx";
        QTest::newRow("upper-case XLS kept") << "/d/表.XLS" << xlsx << "/d/表.XLS";
        QTest::newRow("other extension") << "/d/表.2024" << xlsx << "/d/表.2024.xlsx";
        QTest::newRow("a dot in the folder") << "/d.x/表" << xls << "/d.x/表.xls";
        QTest::newRow("only an extension") << "/d/.xlsx" << xlsx << "/d/.xlsx.xlsx";
        QTest::newRow("no filter") << "/d/表" << QString() << "/d/表.xlsx";
    }
    void theNameGetsTheExtensionOfTheChosenFilter() {
        QFETCH(QString, typed);
        QFETCH(QString, filter);
        QFETCH(QString, saved);
        QCOMPARE(exports::withSheetExtension(typed, filter), saved);
    }

    void replacingAFileIsAskedFirst() {
        const QString path = inFolder("停车.xlsx");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old contents");
        old.close();

        auto& messages = notifier_.fresh(MessageAnswer::No);
        exports::ExportDetailReport(*window_, answering(path));
        QVERIFY(testing::idle(*window_));
        QCOMPARE(messages.texts(), (QStringList{"文件“停车.xlsx”已存在，要替换它吗？", "您取消了导出操作！"}));
        QVERIFY(messages.messages[0].buttons == MessageButtons::YesNo);
        QCOMPARE(QString::fromStdString(messages.messages[0].title), QString("系统提示"));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old contents"));
        old.close();
        QVERIFY(commandsBack());

        notifier_.fresh(MessageAnswer::Yes);
        exports::ExportDetailReport(*window_, answering(path));
        QVERIFY(testing::idle(*window_));
        QCOMPARE(messages.texts(), (QStringList{"文件“停车.xlsx”已存在，要替换它吗？", "停车费明细表导出成功！"}));
        if (testing::kLinuxToolsRun)
            QCOMPARE(testing::sheetValues(path, {"A1"}).value(1), QString("【北苑】停车费明细表"));

        // A new file is not asked about.
        notifier_.fresh(MessageAnswer::No);
        exports::ExportDetailReport(*window_, answering(inFolder("新.xlsx")));
        QVERIFY(testing::idle(*window_));
        QCOMPARE(messages.texts(), QStringList{"停车费明细表导出成功！"});
    }

    // The reconciliation window's command on a stand-in window with the same controls.
    void reconciliationExportsTheFinishedTableOnly() {
        QWidget window;
        QPushButton exportButton("导出Excel", &window), exitButton("退出", &window);
        QProgressBar bar(&window);
        bar.hide();
        const exports::ExportControls controls{&window, &exportButton, &exitButton, &bar, nullptr};
        const auto labels = testing::sampleReconciliationLabels();
        auto& messages = notifier_.fresh();

        reports::reconciliation::ReconciliationTable headingsOnly;
        reports::reconciliation::SetInitialReconciliationHeadings(headingsOnly);
        bool asked = false;
        exports::ExportEnvironment environment;
        environment.chooseFile = [&](QWidget*, const QString& name, const QString&) {
            asked = true;
            proposedName_ = name;
            return std::optional<QString>(inFolder("核对.xlsx"));
        };
        exports::ExportReconciliationTable(headingsOnly, labels, controls, notifier_, environment);
        QVERIFY(!asked);
        QVERIFY(messages.messages.empty());

        const auto table = testing::reconciliationWithItems(2);
        exports::ExportReconciliationTable(table, labels, controls, notifier_, environment);
        QCOMPARE(proposedName_, QString("2024年度【翠湖管理处】票据核对表.xlsx"));
        QCOMPARE(messages.texts(), QStringList{"票据核对表导出成功！"});
        QCOMPARE(bar.maximum(), table.rowCount() - 2);
        QCOMPARE(bar.value(), table.rowCount() - 2);
        QVERIFY(bar.isHidden() && !exportButton.isHidden() && !exitButton.isHidden());
        if (!testing::kLinuxToolsRun) QSKIP(testing::kNoLinuxTools);
        QCOMPARE(testing::sheetValues(inFolder("核对.xlsx"), {"A1"}),
                 (QStringList{QString::number(table.rowCount() + 4), "2024年度【翠湖管理处】票据核对表"}));
    }

    void reconciliationWindowExportsWithTheSelectionShownNow() {
        testing::TestDatabase db;
        db.exec(testing::kCuihuReconciliationMarch);
        connection_ = db.connect();
        auto& messages = notifier_.fresh();
        reportui::ReconciliationWindow window(services());
        window.yearBox()->setCurrentText("2024");
        window.startMonthBox()->setCurrentText("03");
        window.endMonthBox()->setCurrentText("03");
        window.departmentList()->setCurrentRow(0);
        window.startButton()->click();
        QVERIFY(testing::idle(window));
        QVERIFY(window.table().rowCount() > 2);
        // Changed after the run: the title and the period line still name the table's.
        window.endMonthBox()->setCurrentText("04");
        window.yearBox()->setCurrentText("2023");
        window.departmentList()->setCurrentRow(-1);
        window.departmentList()->setCurrentRow(0);
        messages.clear();

        exports::ExportReconciliationWindow(window, answering(inFolder("核对.xlsx")));
        QVERIFY(testing::idle(window));
        QCOMPARE(proposedName_, QString("2024年度【翠湖管理处】票据核对表.xlsx"));
        QCOMPARE(messages.texts(), QStringList{"票据核对表导出成功！"});
        QVERIFY(!window.exportButton()->isHidden() && !window.exitButton()->isHidden());
        QVERIFY(window.progressBar()->isHidden());
        if (!testing::kLinuxToolsRun) QSKIP(testing::kNoLinuxTools);
        QCOMPARE(testing::sheetValues(inFolder("核对.xlsx"), {"A2", "A3", "C6"}),
                 (QStringList{QString::number(window.table().rowCount() + 4), " 统计部门 : 01 翠湖管理处",
                              " 核对年月 : 2024 年 03 月 至 03 月", "0.06"}));
    }
};

QTEST_MAIN(ExportCommandTest)
#include "ExportCommandTest.moc"
