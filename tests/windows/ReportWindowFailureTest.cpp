// What the report window does when the database lets it down: lists that cannot
// be read, no connection at all, a failing extraction, and closing inside the
// main window's frame.
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QtTest>

#include <memory>

#include "support/RecordingNotifier.h"
#include "ReportWindow.h"
#include "ReportWindowFactory.h"
#include "SelectionPanel.h"
#include "TestDatabase.h"

using namespace tally;
using tally::reportui::ReportWindow;

class ReportWindowFailureTest : public QObject {
    Q_OBJECT

    // Every window of the test tells this notifier.
    testing::RecordingNotifier notifier_;

    reportui::WindowServices services(data::Connection* connection) { return {connection, &notifier_, {}, {}}; }

private slots:
    void listsThatCannotBeReadAreReportedAndTheWindowStillOpens() {
        testing::TestDatabase db;
        db.exec("DROP TABLE 设置管理处");
        db.exec("DROP TABLE 票据类型");
        auto connection = db.connect();
        auto& messages = notifier_.fresh();
        std::unique_ptr<ReportWindow> window(reportui::createReportWindow("vat-invoicing", services(connection.get()), nullptr));
        QVERIFY(window);
        QCOMPARE(messages.messages.size(), size_t(2));
        for (const auto& m : messages.messages) {
            QVERIFY2(QString::fromStdString(m.text).startsWith("错误码: "), m.text.c_str());
            QCOMPARE(QString::fromStdString(m.title), QString("系统提示"));
        }
        QCOMPARE(window->selectionPanel()->departmentList()->count(), 0);
        QVERIFY(window->invoiceTypeList().empty());
    }

    void departmentEntriesAreShownOnOneLine() {
        testing::TestDatabase db;
        db.exec("INSERT INTO 职能部门new (职能部门编号, 职能部门名称) VALUES ('7', '七部')");
        db.exec("INSERT INTO 设置管理处 (gyd_dh, gyd_name, 对应部门代号) VALUES ('G7', '东区' || char(13) || char(10) || '北苑', '7')");
        auto connection = db.connect();
        auto& messages = notifier_.fresh();
        std::unique_ptr<ReportWindow> window(reportui::createReportWindow("parking", services(connection.get()), nullptr));
        QVERIFY2(messages.messages.empty(), messages.messages.empty() ? "" : messages.messages[0].text.c_str());
        QCOMPARE(window->selectionPanel()->departmentList()->item(0)->text(), QString("7 东区北苑【G7】"));
        window->selectionPanel()->departmentList()->setCurrentRow(0);
        QCOMPARE(window->titleText(), QString("【东区北苑】停车费明细表"));
    }

    void withoutAConnectionTheCommandsSaySo() {
        auto& messages = notifier_.fresh();
        std::unique_ptr<ReportWindow> window(reportui::createReportWindow("parking", services(nullptr), nullptr));
        QVERIFY(window);
        QCOMPARE(messages.messages.size(), size_t(1));
        QVERIFY(!window->selectionPanel()->startButton()->isEnabled());
    }

    void aFailingExtractionIsReportedWithItsNumber() {
        testing::TestDatabase db;
        db.exec("INSERT INTO 职能部门new (职能部门编号, 职能部门名称) VALUES ('7', '七部')");
        db.exec("INSERT INTO 设置管理处 (gyd_dh, gyd_name, 对应部门代号) VALUES ('G7', '北苑', '7')");
        db.exec("DROP TABLE setupsfxm");
        auto connection = db.connect();
        auto& messages = notifier_.fresh();
        std::unique_ptr<ReportWindow> window(reportui::createReportWindow("vat-invoicing", services(connection.get()), nullptr));
        window->selectionPanel()->departmentList()->setCurrentRow(0);
        window->selectionPanel()->extractButton()->click();
        // The error, then the extract command's own word that nothing was found.
        QCOMPARE(messages.messages.size(), size_t(2));
        QVERIFY(!QString::fromStdString(messages.messages[0].text).isEmpty());
        QCOMPARE(QString::fromStdString(messages.messages[1].text), QString("没有满足条件的开票数据,请重新设置条件!"));
        QVERIFY(!window->selectionPanel()->startButton()->isEnabled());
        QVERIFY(!QApplication::overrideCursor());
    }

    void exitClosesTheFrameInsideTheMainWindow() {
        notifier_.fresh();
        QMdiArea area;
        auto* window = reportui::createReportWindow("parking", services(nullptr), &area);
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
