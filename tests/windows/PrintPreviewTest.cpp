// The print preview offscreen: pages painted only as they are shown, the page buttons,
// and printing and saving through stand-ins for the printer and save dialogs.
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QtTest>

#include "PdfReadBack.h"
#include "PdfSamples.h"
#include "PrintPreview.h"
#include "ScratchFolder.h"
#include "support/RecordingNotifier.h"

using namespace tally;
using tally::reportui::PreviewEnvironment;
using tally::reportui::PrintPreview;

class PrintPreviewTest : public QObject {
    Q_OBJECT

private:
    testing::RecordingNotifier notifier_;

    std::unique_ptr<PrintPreview> open(int invoices, PreviewEnvironment environment = {}) {
        auto preview = std::make_unique<PrintPreview>(testing::parkingSample(invoices).table, "停车费明细表", notifier_,
                                                      std::move(environment));
        preview->show();
        [[maybe_unused]] bool exposed = QTest::qWaitForWindowExposed(preview.get());
        return preview;
    }

private slots:
    void init() { notifier_.fresh(); }

    void opensOnPageOneAndPaintsOnlyThePagesShown() {
        auto preview = open(1000);
        const int pages = preview->pages().pageCount();
        QVERIFY(pages > 20);
        QCOMPARE(preview->pageLabel()->text(), QString("第 1 页 共 %1 页").arg(pages));
        QVERIFY(!preview->previousButton()->isEnabled());
        QTRY_VERIFY(preview->pageView()->paintedPages() > 0);
        preview->nextButton()->click();
        QCOMPARE(preview->currentPage(), 1);
        QCOMPARE(preview->pageLabel()->text(), QString("第 2 页 共 %1 页").arg(pages));
        QVERIFY(preview->previousButton()->isEnabled());
        QApplication::processEvents();
        QVERIFY2(preview->pageView()->paintedPages() < 6, "pages not shown are not painted");
        preview->showPage(pages + 5);
        QCOMPARE(preview->currentPage(), pages - 1);
        QVERIFY(!preview->nextButton()->isEnabled());
    }

    void saveAsPdfWritesTheFileChosen() {
        testing::ScratchFolder folder;
        const QString file = QString::fromStdString((folder / "预览.pdf").string());
        QString proposed;
        PreviewEnvironment environment;
        environment.choosePdfFile = [&](QWidget*, const QString& name) -> std::optional<QString> {
            proposed = name;
            return file;
        };
        auto preview = open(100, environment);
        preview->saveButton()->click();
        QCOMPARE(proposed, QString("停车费明细表"));
        QCOMPARE(notifier_.texts(), QStringList{"PDF 文件已保存！"});
        QVERIFY(testing::readText(testing::utf8Path(file.toStdString())).starts_with("%PDF-"));
        if (!testing::kLinuxToolsRun) QSKIP(testing::kNoLinuxTools);
        const auto pages = testing::pdfPages(file.toStdString());
        QCOMPARE(static_cast<int>(pages.size()), preview->pages().pageCount());
        QVERIFY(testing::contains(pages.back(), "总仓管理员:"));
    }

    void cancelledSaveWritesNothing() {
        PreviewEnvironment environment;
        environment.choosePdfFile = [](QWidget*, const QString&) -> std::optional<QString> { return std::nullopt; };
        auto preview = open(10, environment);
        preview->saveButton()->click();
        QVERIFY(notifier_.messages.empty());
    }

    void printPaintsEveryPageOnThePrinterChosen() {
        testing::ScratchFolder folder;
        const QString file = QString::fromStdString((folder / "printed.pdf").string());
        int asked = 0;
        PreviewEnvironment environment;
        environment.choosePrinter = [&](QWidget*) {
            ++asked;
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(file);
            return printer;
        };
        auto preview = open(100, environment);
        preview->printButton()->click();
        QCOMPARE(asked, 1);
        QVERIFY(notifier_.messages.empty());
        QVERIFY(testing::readText(testing::utf8Path(file.toStdString())).starts_with("%PDF-"));
        if (!testing::kLinuxToolsRun) QSKIP(testing::kNoLinuxTools);
        const auto pages = testing::pdfPages(file.toStdString());
        QCOMPARE(static_cast<int>(pages.size()), preview->pages().pageCount());
        for (const std::string& page : pages) QVERIFY(testing::contains(page, "开发商70%"));
        QVERIFY(testing::contains(pages.front(), "【翠湖管理处】停车费明细表"));
    }

    void cancelledPrintPrintsNothing() {
        PreviewEnvironment environment;
        environment.choosePrinter = [](QWidget*) { return std::unique_ptr<QPrinter>(); };
        auto preview = open(10, environment);
        preview->printButton()->click();
        QVERIFY(notifier_.messages.empty());
    }
};

QTEST_MAIN(PrintPreviewTest)
#include "PrintPreviewTest.moc"
