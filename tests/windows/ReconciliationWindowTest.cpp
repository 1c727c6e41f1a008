// The reconciliation window on a demo database: opening state, the checks of
// 开始统计 in their order, runs with their busy captions, the shown table (rows,
// colours, merges, alignment), no data, failing statements, the title rule, the
// export guard, the menu item and the resize rule.
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <memory>

#include "BusyPanel.h"
#include "DemoConnection.h"
#include "MainWindow.h"
#include "Money.h"
#include "PreviewCommands.h"
#include "ReconciliationPeriod.h"
#include "ReconciliationWindow.h"
#include "ReportStatusBar.h"
#include "ReportWindowFactories.h"
#include "ReportWindowFactory.h"
#include "ResultGrid.h"
#include "TestDatabase.h"
#include "Twips.h"
#include "support/ReportWindowDriving.h"
#include "support/WindowTestServices.h"

using namespace tally;
using tally::reportui::ReconciliationWindow;
namespace rec = tally::reports::reconciliation;

namespace {

// Demo list rows: 0 is department 01 of 翠湖花园管理处.
constexpr int kEstate01 = 0;
const QString kEstate01Name = "翠湖花园管理处";

// The demo database's connection, with every statement shown to the watch first and
// the ones the failure test picks failing; both can change while a window uses it.
class WatchedConnection : public data::Connection {
public:
    using Watch = std::function<void(std::string_view)>;
    using Fails = std::function<bool(std::string_view)>;
    WatchedConnection(const std::string& path, Watch watch, Fails fails = {})
        : inner_(std::make_unique<data::SqliteConnection>(path)), watch_(std::move(watch)), fails_(std::move(fails)) {}

    std::string engineName() const override { return inner_->engineName(); }
    void setWatch(Watch watch) { watch_ = std::move(watch); }
    void setFails(Fails fails) { fails_ = std::move(fails); }

protected:
    std::unique_ptr<data::Recordset> execute(std::string_view sql, int timeoutSeconds) override {
        if (watch_) watch_(sql);
        if (fails_ && fails_(sql)) throw data::DbError(-2147217900, "语法错误");
        return inner_->open(sql, timeoutSeconds);
    }

private:
    std::unique_ptr<data::Connection> inner_;
    Watch watch_;
    Fails fails_;
};

bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }
bool isExtraction(std::string_view sql) { return contains(sql, "inner join setupsfxm"); }
bool isMonthQuery(std::string_view sql) { return contains(sql, "As 收费项目代号") && contains(sql, "as 交账"); }
bool isUncollectedQuery(std::string_view sql) { return contains(sql, "当月未收预开票"); }

// A colour as the tables keep it: red in the low byte.
std::uint32_t colourValue(const QVariant& background) {
    if (!background.canConvert<QBrush>()) return 0;
    const QColor c = background.value<QBrush>().color();
    return static_cast<std::uint32_t>(c.red()) | static_cast<std::uint32_t>(c.green()) << 8 |
           static_cast<std::uint32_t>(c.blue()) << 16;
}

}  // namespace

class ReconciliationWindowTest : public QObject, private testing::WindowTestServices {
    Q_OBJECT

private:
    std::unique_ptr<testing::DemoConnection> demo_;
    WatchedConnection* watched_ = nullptr;  // connection_ while it is the demo database's
    std::unique_ptr<ReconciliationWindow> window_;

    std::unique_ptr<ReconciliationWindow> open(std::function<void(ReconciliationWindow&)> exportCommand = {},
                                               std::function<void(ReconciliationWindow&)> previewCommand = {}) {
        auto withExport = services();
        withExport.exportReconciliation = std::move(exportCommand);
        withExport.previewReconciliation = std::move(previewCommand);
        std::unique_ptr<ReconciliationWindow> window(reportui::createReconciliationWindow(withExport, nullptr));
        window->show();
        QApplication::setActiveWindow(window.get());
        [[maybe_unused]] bool active = QTest::qWaitForWindowActive(window.get());
        return window;
    }
    void choose(const QString& year, const QString& start, const QString& end) {
        window_->yearBox()->setCurrentText(year);
        window_->startMonthBox()->setCurrentText(start);
        window_->endMonthBox()->setCurrentText(end);
    }
    void run(int department, const QString& year, const QString& start, const QString& end) {
        testing::runReconciliation(*window_, department, year, start, end);
    }
    // A new window's run of estate 01 for 2025-01..03 with the statements `fails` picks
    // failing; the notifier, cleared before.
    testing::RecordingNotifier& runFailing(WatchedConnection::Fails fails) {
        auto& messages = notifier_.fresh();
        window_ = open();
        watched_->setFails(std::move(fails));
        run(kEstate01, "2025", "01", "03");
        return messages;
    }
    QAbstractItemModel* grid() const { return window_->resultGrid()->model(); }
    QString shown(int row, int column) const { return grid()->index(row, column).data().toString(); }
    std::uint32_t shownColour(int row, int column) const {
        return colourValue(grid()->index(row, column).data(Qt::BackgroundRole));
    }
    reports::Cents shownCents(int row, int column) const {
        return reports::parseCents(shown(row, column).toStdString());
    }
    int items() const { return static_cast<int>(window_->feeItems().size()); }
    // The database of the windows opened from now on.
    void useShared(std::unique_ptr<data::Connection> connection) { connection_ = std::move(connection); }
    void useDemo() {
        auto watched = std::make_unique<WatchedConnection>(demo_->path(), nullptr);
        watched_ = watched.get();
        useShared(std::move(watched));
    }

private slots:
    void initTestCase() {
        demo_ = std::make_unique<testing::DemoConnection>();
        useDemo();
    }
    void cleanupTestCase() {
        connection_.reset();
        demo_.reset();
    }
    void cleanup() {
        window_.reset();
        useDemo();
    }

    void openingState() {
        auto& messages = notifier_.fresh();
        // The window reads the clock while it opens: across midnight either day is right.
        const QDate before = QDate::currentDate();
        window_ = open();
        const QDate after = QDate::currentDate();
        QVERIFY2(messages.messages.empty(), qPrintable(messages.texts().join("; ")));
        QCOMPARE(window_->objectName(), QString("frm票据核对表New"));
        QCOMPARE(window_->windowTitle(), QString("增值税开票票据核对表"));
        QCOMPARE(window_->titleText(), QString("增值税开票票据核对表"));
        QCOMPARE(window_->formulaLabel()->text(),
                 QString("核对:(专用发票+普通发票+收据=财务交账-当月收预开票+当月未收预开票)"));

        const auto shownAs = [this](const QDate& today) {
            return window_->yearText() == QString::number(today.year()) &&
                   window_->endMonthText() == QString("%1").arg(today.month(), 2, 10, QChar('0'));
        };
        QVERIFY2(shownAs(before) || shownAs(after), qPrintable(window_->yearText() + "-" + window_->endMonthText()));
        QCOMPARE(window_->startMonthText(), QString("01"));
        QCOMPARE(window_->startMonthBox()->count(), 12);
        QCOMPARE(window_->endMonthBox()->itemText(11), QString("12"));
        for (QComboBox* box : {window_->yearBox(), window_->startMonthBox(), window_->endMonthBox()})
            QVERIFY(!box->isEditable());

        QCOMPARE(window_->departmentList()->count(), 5);
        QVERIFY(window_->departmentList()->selectedItems().isEmpty());
        QVERIFY(!window_->invoiceTypeLists().all.empty());
        QCOMPARE(grid()->rowCount(), 2);
        QCOMPARE(grid()->columnCount(), 13);
        QCOMPARE(shown(0, 12), QString("备注"));
        QCOMPARE(window_->resultGrid()->frozenRows(), 2);
        QCOMPARE(window_->resultGrid()->frozenColumns(), 3);
        QVERIFY(!window_->busyPanel()->isVisible());
        QVERIFY(!window_->progressBar()->isVisible());
        QVERIFY(window_->exportButton()->isVisible());
    }

    void yearBoxOffersTheCurrentYear_data() {
        QTest::addColumn<int>("currentYear");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::newRow("inside the range") << 2026 << 34 << "2016"
                                          << "2049";
        QTest::newRow("first year") << 2016 << 34 << "2016"
                                    << "2049";
        QTest::newRow("before the range") << 2015 << 35 << "2015"
                                          << "2049";
        QTest::newRow("after the range") << 2050 << 35 << "2016"
                                         << "2050";
    }
    void yearBoxOffersTheCurrentYear() {
        QFETCH(int, currentYear);
        QFETCH(int, count);
        QFETCH(QString, first);
        QFETCH(QString, last);
        const QStringList years = reportui::reconciliationYearEntries(currentYear);
        QCOMPARE(years.size(), count);
        QCOMPARE(years.front(), first);
        QCOMPARE(years.back(), last);
        QVERIFY(years.contains(QString::number(currentYear)));
        QVERIFY(std::is_sorted(years.begin(), years.end()));
    }

    void checksComeInOrderAndChangeNothing() {
        auto& messages = notifier_.fresh();
        window_ = open();
        // No department: refused whatever the period.
        choose("2025", "06", "05");
        window_->startButton()->click();
        QVERIFY(testing::idle(*window_));
        QCOMPARE(messages.texts(), QStringList{"请先选择统计部门!"});
        QCOMPARE(messages.messages[0].title, std::string("系统提示"));

        messages.clear();
        window_->startButton()->setFocus();
        run(kEstate01, "2025", "06", "05");
        QCOMPARE(messages.texts(), QStringList{"截至月份不能小于开始月份,请重新选择!"});
        QTRY_VERIFY(window_->endMonthBox()->hasFocus());
        QCOMPARE(grid()->rowCount(), 2);
        QCOMPARE(grid()->columnCount(), 13);
        QVERIFY(window_->feeItems().empty());
    }

    void oneMonthRunsOnlyThatMonth() {
        auto& messages = notifier_.fresh();
        window_ = open();
        run(kEstate01, "2025", "05", "05");
        QVERIFY2(messages.messages.empty(), qPrintable(messages.texts().join("; ")));
        const int rows = grid()->rowCount();
        QVERIFY(rows > 3);
        for (int r = 2; r < rows - 1; ++r) QCOMPARE(shown(r, 1), QString("202505"));
        QCOMPARE(shown(rows - 1, 1), QString("合计"));
    }

    void runOnTheDemoFillsMonthsSubtotalsDifferencesAndTotal() {
        auto& messages = notifier_.fresh();
        window_ = open();
        run(kEstate01, "2025", "01", "12");
        QVERIFY2(messages.messages.empty(), qPrintable(messages.texts().join("; ")));
        const int n = items();
        QVERIFY(n > 0);
        const auto& table = window_->table();
        QCOMPARE(grid()->columnCount(), n + 13);
        QCOMPARE(grid()->rowCount(), table.rowCount());
        // The grid shows the whole table, every cell.
        for (int r = 0; r < table.rowCount(); ++r)
            for (int c = 0; c < table.columnCount(); ++c)
                QCOMPARE(shown(r, c), QString::fromStdString(table.text(r, c)));
        QCOMPARE(shown(1, 8), QString::fromStdString(window_->feeItems()[0].name));
        QCOMPARE(shown(1, n + 8), QString("小计"));

        const int difference = n + 11;
        QStringList subtotalMonths;
        reports::Cents subtotalSpecial = 0;
        for (int r = 2; r < table.rowCount() - 1; ++r) {
            QCOMPARE(shown(r, 0), QString::number(r - 1));
            if (shown(r, 2) != "小计") {
                QCOMPARE(shownColour(r, 3), 0u);
                QVERIFY(shown(r, difference).isEmpty());
                continue;
            }
            subtotalMonths << shown(r, 1);
            subtotalSpecial += shownCents(r, 3);
            for (int c = 3; c <= difference; ++c) QCOMPARE(shownColour(r, c), 12640511u);
            QCOMPARE(shownColour(r, n + 12), 0u);
            // The difference of the check, from the shown amounts.
            const reports::Cents expected = shownCents(r, 3) + shownCents(r, 4) + shownCents(r, 5) + shownCents(r, 6) +
                                            shownCents(r, 7) - shownCents(r, n + 8) + shownCents(r, n + 9) -
                                            shownCents(r, n + 10);
            QVERIFY(!shown(r, difference).isEmpty());
            QCOMPARE(shownCents(r, difference), expected);
        }
        QCOMPARE(subtotalMonths.size(), 12);
        QCOMPARE(subtotalMonths.front(), QString("202501"));
        QCOMPARE(subtotalMonths.back(), QString("202512"));

        const int total = table.rowCount() - 1;
        QCOMPARE(shown(total, 1), QString("合计"));
        QCOMPARE(shownCents(total, 3), subtotalSpecial);
        for (int c = 3; c <= n + 10; ++c) QCOMPARE(shownColour(total, c), 16761024u);
        QVERIFY(shown(total, difference).isEmpty());
        QCOMPARE(shownColour(total, difference), 0u);

        // Row numbers, months and rates centred; amounts to the right.
        const auto alignment = [&](int row, int column) {
            return Qt::Alignment(grid()->index(row, column).data(Qt::TextAlignmentRole).toInt());
        };
        QCOMPARE(alignment(0, 5), Qt::Alignment(Qt::AlignCenter));
        QCOMPARE(alignment(2, 1), Qt::Alignment(Qt::AlignCenter));
        QCOMPARE(alignment(2, 2), Qt::Alignment(Qt::AlignCenter));
        QVERIFY(alignment(2, 3) & Qt::AlignRight);
        QVERIFY(alignment(total, n + 10) & Qt::AlignRight);
        QVERIFY(!window_->busyPanel()->isVisible());
        QVERIFY(!QApplication::overrideCursor());
    }

    void headingsMergeAcrossAndDownButTheRemarksStayApart() {
        notifier_.fresh();
        window_ = open();
        run(kEstate01, "2025", "01", "03");
        const int n = items();
        QVERIFY(n > 0);
        auto* view = window_->resultGrid();
        for (int c = 0; c < 3; ++c) {
            QCOMPARE(view->rowSpan(0, c), 2);
            QCOMPARE(view->frozenCornerView()->rowSpan(0, c), 2);
        }
        QCOMPARE(view->columnSpan(0, 3), 2);
        QCOMPARE(view->columnSpan(0, 5), 2);
        QCOMPARE(view->columnSpan(0, 7), 1);
        QCOMPARE(view->columnSpan(0, 8), n + 1);
        QCOMPARE(view->frozenRowView()->columnSpan(0, 8), n + 1);
        for (int c : {n + 9, n + 10, n + 11, n + 12}) {
            QCOMPARE(view->rowSpan(0, c), 1);
            QCOMPARE(view->columnSpan(0, c), 1);
        }
        QCOMPARE(shown(0, n + 12), QString("备注"));
        QCOMPARE(shown(1, n + 12), QString("备注"));
        QCOMPARE(shown(1, n + 11), QString("差额"));
        // Widths from twips at the screen's DPI.
        QCOMPARE(view->columnWidth(0), reportui::twipsX(500, view));
        QCOMPARE(view->columnWidth(1), reportui::twipsX(900, view));
        QCOMPARE(view->columnWidth(n + 12), reportui::twipsX(1600, view));
    }

    void noDataLeavesTheEmptyTable() {
        auto& messages = notifier_.fresh();
        window_ = open();
        run(kEstate01, "2025", "01", "02");
        QVERIFY(grid()->rowCount() > 2);
        messages.clear();
        // The demo holds 2025 only.
        run(kEstate01, "2024", "01", "12");
        QCOMPARE(messages.texts(), QStringList{"没有满足条件的开票数据,请重新设置条件!"});
        QCOMPARE(grid()->rowCount(), 2);
        QCOMPARE(grid()->columnCount(), 13);
        QCOMPARE(window_->table().rowCount(), 2);
        QVERIFY(!window_->busyPanel()->isVisible());
        QVERIFY(!QApplication::overrideCursor());
    }

    void busyCaptionsFollowTheRun() {
        auto& messages = notifier_.fresh();
        window_ = open();
        run(kEstate01, "2025", "01", "01");
        QVERIFY(grid()->rowCount() > 2);

        struct Seen {
            bool extraction, monthQuery, busyShown, waitCursor;
            QString caption;
            int gridRows, gridColumns;
        };
        std::vector<Seen> seen;
        watched_->setWatch([&](std::string_view sql) {
            const QCursor* cursor = QApplication::overrideCursor();
            seen.push_back({isExtraction(sql), isMonthQuery(sql), window_->busyPanel()->isVisible(),
                            cursor && cursor->shape() == Qt::WaitCursor, window_->busyPanel()->caption(),
                            grid()->rowCount(), grid()->columnCount()});
        });
        // The watch refers to `seen`: it goes before `seen` does.
        auto restore = qScopeGuard([this] { watched_->setWatch(nullptr); });
        window_->startButton()->click();
        QVERIFY(testing::idle(*window_));
        QVERIFY2(messages.messages.empty(), qPrintable(messages.texts().join("; ")));

        auto first = [&](bool Seen::*kind) {
            return std::find_if(seen.begin(), seen.end(), [&](const Seen& s) { return s.*kind; });
        };
        const auto extraction = first(&Seen::extraction);
        const auto month = first(&Seen::monthQuery);
        QVERIFY(extraction != seen.end() && month != seen.end());
        QVERIFY(extraction < month);
        QVERIFY(extraction->busyShown && extraction->waitCursor);
        QCOMPARE(extraction->caption, QString("正在提取收费项目,请稍等......"));
        // The last run's rows are gone before the extraction starts.
        QCOMPARE(extraction->gridRows, 2);
        QVERIFY(month->busyShown && month->waitCursor);
        QCOMPARE(month->caption, QString("正在生成票据核对表，请稍等......"));
        QCOMPARE(month->gridRows, 2);
        QCOMPARE(month->gridColumns, items() + 13);
        QVERIFY(!window_->busyPanel()->isVisible());
        QVERIFY(!QApplication::overrideCursor());
    }

    void aFailingMonthQueryIsToldAndTheWindowStaysUsable() {
        auto& messages = runFailing(isMonthQuery);
        QCOMPARE(messages.texts(), QStringList{"-2147217900语法错误"});
        QCOMPARE(grid()->rowCount(), 2);
        QCOMPARE(grid()->columnCount(), items() + 13);
        QVERIFY(!window_->busyPanel()->isVisible());
        QVERIFY(!QApplication::overrideCursor());

        messages.clear();
        watched_->setFails(nullptr);
        window_->startButton()->click();
        QVERIFY(testing::idle(*window_));
        QVERIFY2(messages.messages.empty(), qPrintable(messages.texts().join("; ")));
        QVERIFY(grid()->rowCount() > 2);
    }

    void aFailingCorrectionIsToldAndTheRunGoesOn() {
        auto& messages = runFailing(isUncollectedQuery);
        QCOMPARE(messages.texts(), QStringList{"-2147217900语法错误"});
        const int last = grid()->rowCount() - 1;
        QCOMPARE(shown(last, 1), QString("合计"));
        // Nothing uncollected was written: the total of that column reads nought.
        QCOMPARE(shown(last, items() + 10), QString("0.00"));
    }

    // The title names the year and department of the table shown; before a run, those chosen.
    void titleFollowsTheYearOfTheTableShown() {
        auto& messages = notifier_.fresh();
        window_ = open();
        window_->yearBox()->setCurrentText("2024");
        window_->departmentList()->setCurrentRow(kEstate01);
        QCOMPARE(window_->titleText(), "2024年度【" + kEstate01Name + "】票据核对表");

        run(kEstate01, "2025", "01", "12");
        QVERIFY2(window_->table().rowCount() > rec::ReconciliationTable::kHeadingRows,
                 qPrintable(messages.texts().join("; ")));
        QCOMPARE(window_->titleText(), "2025年度【" + kEstate01Name + "】票据核对表");
        QCOMPARE(window_->tableSelection()->year, std::string("2025"));

        // Boxes changed and the same line clicked again: the table, and so the title, stay.
        window_->yearBox()->setCurrentText("2023");
        window_->endMonthBox()->setCurrentText("03");
        QListWidget* list = window_->departmentList();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(kEstate01)).center());
        QCOMPARE(window_->titleText(), "2025年度【" + kEstate01Name + "】票据核对表");
        QCOMPARE(window_->shownYear(), std::string("2025"));
        QCOMPARE(window_->shownEndMonth(), std::string("12"));

        // Another department: its title with the year chosen now, and no table of the first.
        const int other = kEstate01 + 1;
        list->setCurrentRow(other);
        const auto department = window_->selectedDepartment();
        QVERIFY(department);
        QCOMPARE(window_->titleText().toStdString(), rec::reconciliationTitle("2023", *department));
        QCOMPARE(window_->table().rowCount(), rec::ReconciliationTable::kHeadingRows);
        QVERIFY(!window_->tableSelection());
        QCOMPARE(window_->shownDepartmentText(), department->displayText());
    }

    void exportRunsOnlyForATableWithRows() {
        notifier_.fresh();
        int exports = 0;
        window_ = open([&](ReconciliationWindow&) { ++exports; });
        window_->exportButton()->click();
        QCOMPARE(exports, 0);
        run(kEstate01, "2024", "01", "12");
        window_->exportButton()->click();
        QCOMPARE(exports, 0);
        run(kEstate01, "2025", "01", "01");
        window_->exportButton()->click();
        QCOMPARE(exports, 1);
    }

    void previewRunsOnlyForATableWithRows() {
        notifier_.fresh();
        int previews = 0;
        pdf::PrintTable printed;
        window_ = open({}, [&](ReconciliationWindow& w) {
            ++previews;
            printed = reportui::reconciliationPrintTableOf(w);
        });
        window_->previewButton()->click();
        QCOMPARE(previews, 0);
        run(kEstate01, "2024", "01", "12");
        window_->previewButton()->click();
        QCOMPARE(previews, 0);
        run(kEstate01, "2025", "01", "01");
        window_->previewButton()->click();
        QCOMPARE(previews, 1);
        const auto& table = window_->table();
        QCOMPARE(printed.rowCount, table.rowCount() - 2);
        QCOMPARE(printed.row(printed.rowCount - 1).cells[1].text, table.text(table.rowCount() - 1, 1));
        QCOMPARE(QString::fromStdString(printed.title), window_->titleText());
    }

    void unreadableTicketTypesAreToldWhenTheWindowOpens() {
        testing::TestDatabase db;
        db.exec("INSERT INTO 职能部门new (职能部门编号, 职能部门名称) VALUES ('7', '七部')");
        db.exec("INSERT INTO 设置管理处 (gyd_dh, gyd_name, 对应部门代号) VALUES ('G7', '北苑', '7')");
        db.exec("DROP TABLE 票据类型");
        useShared(db.connect());
        auto& messages = notifier_.fresh();
        window_ = open();
        QCOMPARE(messages.messages.size(), size_t(1));
        QVERIFY2(!messages.texts().front().startsWith("错误码"), qPrintable(messages.texts().front()));
        QVERIFY(window_->invoiceTypeLists().all.empty());
        QCOMPARE(window_->departmentList()->count(), 1);
    }

    void theMenuItemOpensThisWindow() {
        notifier_.fresh();
        app::MainWindow main(notifier_, app::reportWindowFactories(services()));
        main.show();
        auto* sub = qobject_cast<QMdiSubWindow*>(main.showReportWindow(app::ReportKind::Reconciliation));
        QVERIFY(sub);
        auto* window = sub->findChild<ReconciliationWindow*>();
        QVERIFY(window);
        QCOMPARE(window->objectName(), QString("frm票据核对表New"));
        QCOMPARE(window->departmentList()->count(), 5);
    }

    void layoutFollowsTheWindowSize_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("design size") << QSize();
        QTest::newRow("larger") << QSize(1300, 820);
        QTest::newRow("smaller") << QSize(900, 560);
    }
    void layoutFollowsTheWindowSize() {
        QFETCH(QSize, size);
        notifier_.fresh();
        window_ = open();
        if (size.isValid()) window_->resize(size);
        QWidget* w = window_.get();
        const QRect area = window_->mainArea()->geometry();
        const QRect panel = window_->selectionPanel()->geometry();
        const QRect bar = window_->bottomBar()->geometry();
        QCOMPARE(area.left(), panel.right() + 1);
        QCOMPARE(area.width(), w->width() - panel.width());
        QCOMPARE(area.top(), panel.top());
        QCOMPARE(area.bottom() + 1, bar.top());
        QCOMPARE(bar.left(), area.left());
        QCOMPARE(bar.width(), area.width());
        QCOMPARE(bar.bottom() + 1, window_->reportStatusBar()->y());
        QCOMPARE(bar.width() - window_->exitButton()->geometry().right() - 1, window_->exportButton()->x());

        const QRect title = window_->titleLabel()->geometry();
        QVERIFY(qAbs(title.center().x() - area.center().x()) <= 1);

        // The period group at the bottom of the panel; the list reaches 60 twips under its top.
        const QRect group(window_->periodGroup()->mapTo(w, QPoint(0, 0)), window_->periodGroup()->size());
        QCOMPARE(group.top(), bar.top() - group.height() + reportui::twipsY(30, w));
        QVERIFY(group.bottom() < panel.bottom());
        const QRect list(window_->departmentList()->mapTo(w, QPoint(0, 0)), window_->departmentList()->size());
        QCOMPARE(list.bottom() + 1, group.top() + reportui::twipsY(60, w));
        QVERIFY(window_->startButton()->geometry().right() < window_->periodGroup()->width());

        const QRect progress = window_->progressBar()->geometry();
        QCOMPARE(progress.left(), reportui::twipsX(30, w));
        QCOMPARE(progress.width(), bar.width() - 2 * reportui::twipsX(30, w));

        const QRect grid = window_->resultGrid()->geometry();
        QCOMPARE(area.width() - grid.right() - 1, reportui::twipsX(60, w));
        QCOMPARE(area.height() - grid.bottom() - 1, reportui::twipsY(60, w));
        QVERIFY(qAbs(window_->busyPanel()->geometry().center().x() - grid.center().x()) <= 1);
        QVERIFY(qAbs(window_->busyPanel()->geometry().center().y() - grid.center().y()) <= 1);
    }
};

QTEST_MAIN(ReconciliationWindowTest)
#include "ReconciliationWindowTest.moc"
