// What the report window does when the database lets it down: lists that cannot
// be read, no connection at all, a failing extraction, and closing inside the
// main window's frame.
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QtTest>

#include <memory>

#include "ReportWindow.h"
#include "ReportWindowFactory.h"
#include "SelectionPanel.h"
#include "TestDatabase.h"
#include "support/ReportWindowDriving.h"
#include "support/WindowTestServices.h"

using namespace tally;
using tally::reportui::ReportWindow;

class ReportWindowFailureTest : public QObject, private testing::WindowTestServices {
    Q_OBJECT

    // A report window of `kind` on `db` (without one: no connection), the notifier cleared first.
    std::unique_ptr<ReportWindow> open(const char* kind, const testing::TestDatabase* db) {
        connection_ = db ? db->connect() : nullptr;
        notifier_.fresh();
        return std::unique_ptr<ReportWindow>(reportui::createReportWindow(kind, services(), nullptr));
    }

private slots:
    void cleanup() { connection_.reset(); }

    void listsThatCannotBeReadAreReportedAndTheWindowStillOpens() {
        testing::TestDatabase db;
        db.exec("DROP TABLE 设置管理处");
        db.exec("DROP TABLE 票据类型");
        auto window = open("vat-invoicing", &db);
        QVERIFY(window);
        QCOMPARE(notifier_.messages.size(), size_t(2));
        for (const auto& m : notifier_.messages) {
            QVERIFY2(QString::fromStdString(m.text).startsWith("错误码: "), m.text.c_str());
            QCOMPARE(QString::fromStdString(m.title), QString("系统提示"));
        }
        QCOMPARE(window->selectionPanel()->departmentList()->count(), 0);
        QVERIFY(window->invoiceTypeList().empty());
    }

    void departmentEntriesAreShownOnOneLine() {
        testing::TestDatabase db;
        db.exec("INSERT INTO 职能部门new (职能部门编号, 职能部门名称) VALUES ('7', '七部')");
        db.exec(
            "INSERT INTO 设置管理处 (gyd_dh, gyd_name, 对应部门代号) VALUES ('G7', '东区' || char(13) || char(10) || "
            "'北苑', '7')");
        auto window = open("parking", &db);
        QVERIFY2(notifier_.messages.empty(), notifier_.messages.empty() ? "" : notifier_.messages[0].text.c_str());
        QCOMPARE(window->selectionPanel()->departmentList()->item(0)->text(), QString("7 东区北苑【G7】"));
        window->selectionPanel()->departmentList()->setCurrentRow(0);
        QCOMPARE(window->titleText(), QString("【东区北苑】停车费明细表"));
    }

    void withoutAConnectionTheCommandsSaySo() {
        auto window = open("parking", nullptr);
        QVERIFY(window);
        QCOMPARE(notifier_.messages.size(), size_t(1));
        QVERIFY(!window->selectionPanel()->startButton()->isEnabled());
    }

    void aFailingExtractionIsReportedWithItsNumber() {
        testing::TestDatabase db;
        db.exec("INSERT INTO 职能部门new (职能部门编号, 职能部门名称) VALUES ('7', '七部')");
        db.exec("INSERT INTO 设置管理处 (gyd_dh, gyd_name, 对应部门代号) VALUES ('G7', '北苑', '7')");
        db.exec("DROP TABLE setupsfxm");
        auto window = open("vat-invoicing", &db);
        window->selectionPanel()->departmentList()->setCurrentRow(0);
        window->selectionPanel()->extractButton()->click();
        QVERIFY(testing::idle(*window));
        // The error, then the extract command's own word that nothing was found.
        QCOMPARE(notifier_.messages.size(), size_t(2));
        QVERIFY(!QString::fromStdString(notifier_.messages[0].text).isEmpty());
        QCOMPARE(QString::fromStdString(notifier_.messages[1].text), QString("没有满足条件的开票数据,请重新设置条件!"));
        QVERIFY(!window->selectionPanel()->startButton()->isEnabled());
        QVERIFY(!QApplication::overrideCursor());
    }

    void exitClosesTheFrameInsideTheMainWindow() {
        notifier_.fresh();
        QMdiArea area;
        auto* window = reportui::createReportWindow("parking", services(), &area);
        QMdiSubWindow* sub = area.addSubWindow(window);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        area.show();
        sub->show();
        QPointer<QMdiSubWindow> frame = sub;
        window->exitButton()->click();
        QTRY_VERIFY(frame.isNull());
        QCOMPARE(area.subWindowList().size(), 0);
    }
};

QTEST_MAIN(ReportWindowFailureTest)
#include "ReportWindowFailureTest.moc"
