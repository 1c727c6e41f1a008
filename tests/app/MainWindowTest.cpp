// The main window: its menu, one window per report, the exit question, the desktop picture.
#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>

#include "AboutDialog.h"
#include "BannerStrip.h"
#include "DesktopBackground.h"
#include "MainWindow.h"
#include "ReportWindowFactories.h"
#include "support/RecordingNotifier.h"

using namespace tally;
using namespace tally::app;

Q_DECLARE_METATYPE(ReportKind)

namespace {

// A main window whose report factories count what they make and whose end of process is
// only noted.
struct Fixture {
    std::map<ReportKind, int> made;
    int endings = 0;
    std::unique_ptr<MainWindow> window;

    explicit Fixture(Notifier& notifier) {
        ReportWindowFactories factories;
        for (ReportKind kind : kReportKinds)
            factories[kind] = [this, kind](QWidget* parent) {
                ++made[kind];
                auto* w = new QWidget(parent);
                w->setObjectName(reportMenuCaption(kind));
                return w;
            };
        window = std::make_unique<MainWindow>(notifier, factories);
        window->setEndProcess([this] { ++endings; });
        window->show();
    }

    void choose(const QString& item) {
        QAction* action = window->findChild<QAction*>(item);
        QVERIFY2(action, qPrintable(item));
        action->trigger();
    }
    int subWindows() const { return window->mdiArea()->subWindowList().size(); }
    QString activeReport() const {
        QMdiSubWindow* active = window->mdiArea()->activeSubWindow();
        return active && active->widget() ? active->widget()->objectName() : QString();
    }
};

QStringList captions(const QList<QAction*>& actions) {
    QStringList result;
    for (QAction* a : actions)
        if (!a->isSeparator()) result << a->text();
    return result;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    // Every window of the test tells this notifier.
    testing::RecordingNotifier notifier_;
private slots:
    void menusAreNamedByTheirCaptions() {
        Fixture f(notifier_);
        QCOMPARE(captions(f.window->menuBar()->actions()), (QStringList{"统计报表", "退出系统", "关于"}));
        const QMap<QString, QStringList> items{
            {"统计报表", {"停车费明细表", "增值税开票明细表", "增值税预开明细表", "开票票据核对表"}},
            {"退出系统", {"退出"}},
            {"关于", {"关于软件", "联系我们"}}};
        for (auto it = items.begin(); it != items.end(); ++it) {
            auto* menu = f.window->findChild<QMenu*>(it.key());
            QVERIFY2(menu, qPrintable(it.key()));
            QCOMPARE(captions(menu->actions()), it.value());
            for (const QString& item : it.value()) QVERIFY2(f.window->findChild<QAction*>(item), qPrintable(item));
        }
    }

    void reportChosenTwiceIsOpenedOnce_data() {
        QTest::addColumn<ReportKind>("kind");
        for (ReportKind kind : kReportKinds) QTest::newRow(qPrintable(reportMenuCaption(kind))) << kind;
    }

    void reportChosenTwiceIsOpenedOnce() {
        QFETCH(ReportKind, kind);
        Fixture f(notifier_);
        f.choose(reportMenuCaption(kind));
        f.choose(reportMenuCaption(kind));
        QCOMPARE(f.subWindows(), 1);
        QCOMPARE(f.made[kind], 1);
        QCOMPARE(f.activeReport(), reportMenuCaption(kind));
    }

    void choosingAnOpenReportBringsItToTheFront() {
        Fixture f(notifier_);
        f.choose("停车费明细表");
        f.choose("开票票据核对表");
        QCOMPARE(f.activeReport(), QString("开票票据核对表"));
        f.choose("停车费明细表");
        QCOMPARE(f.subWindows(), 2);
        QCOMPARE(f.activeReport(), QString("停车费明细表"));
        QCOMPARE(f.window->mdiArea()->subWindowList(QMdiArea::StackingOrder).last()->widget()->objectName(),
                 QString("停车费明细表"));
    }

    void closedReportIsCreatedAfresh() {
        Fixture f(notifier_);
        f.choose("增值税预开明细表");
        QPointer<QMdiSubWindow> first = f.window->mdiArea()->subWindowList().first();
        QVERIFY(first->close());
        // Chosen again before the closed window's deferred deletion ran.
        f.choose("增值税预开明细表");
        QCOMPARE(f.made[ReportKind::VatPreInvoicing], 2);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());
        QCOMPARE(f.subWindows(), 1);
        QVERIFY(f.window->mdiArea()->subWindowList().first()->isVisible());
    }

    void reportClosingItselfTakesItsFrameAlong() {
        Fixture f(notifier_);
        f.choose("停车费明细表");
        QWidget* report = f.window->mdiArea()->subWindowList().first()->widget();
        report->setAttribute(Qt::WA_DeleteOnClose);
        QVERIFY(report->close());
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(f.subWindows(), 0);
        f.choose("停车费明细表");
        QCOMPARE(f.made[ReportKind::Parking], 2);
        QCOMPARE(f.subWindows(), 1);
    }

    void reportClosedButFrameNotYetGoneIsCreatedAfresh() {
        Fixture f(notifier_);
        f.choose("开票票据核对表");
        QVERIFY(f.window->mdiArea()->subWindowList().first()->widget()->close());
        f.choose("开票票据核对表");
        QCOMPARE(f.made[ReportKind::Reconciliation], 2);
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(f.subWindows(), 1);
        QVERIFY(f.window->mdiArea()->subWindowList().first()->widget()->isVisible());
    }

    void minimisedReportIsRestoredNotRemade() {
        Fixture f(notifier_);
        f.choose("增值税开票明细表");
        f.window->mdiArea()->activeSubWindow()->showMinimized();
        QCoreApplication::processEvents();
        QCOMPARE(f.subWindows(), 1);
        f.choose("增值税开票明细表");
        QCOMPARE(f.made[ReportKind::VatInvoicing], 1);
        QVERIFY(!f.window->mdiArea()->subWindowList().first()->isMinimized());
    }

    void reportWithoutFactoryOpensNothing() {
        notifier_.fresh();
        MainWindow window(notifier_);
        window.show();
        QVERIFY(window.showReportWindow(ReportKind::Parking) == nullptr);
        QCOMPARE(window.mdiArea()->subWindowList().size(), 0);
    }

    void placeholdersExistForEveryReport() {
        MainWindow window(notifier_, reportWindowFactories({nullptr, &notifier_, {}, {}, {}, {}}));
        window.show();
        for (ReportKind kind : kReportKinds) QVERIFY(window.showReportWindow(kind) != nullptr);
        QCOMPARE(window.mdiArea()->subWindowList().size(), 4);
    }

    void aboutWindowIsOpenedOnce() {
        notifier_.fresh();
        Fixture f(notifier_);
        f.choose("关于软件");
        f.choose("关于软件");
        QCOMPARE(f.window->findChildren<AboutDialog*>().size(), 1);
        QVERIFY(f.window->findChild<AboutDialog*>()->isVisible());
    }

    void contactUsDoesNothing() {
        auto& recorded = notifier_.fresh();
        Fixture f(notifier_);
        f.choose("联系我们");
        QCOMPARE(f.subWindows(), 0);
        QVERIFY(f.window->findChildren<AboutDialog*>().isEmpty());
        QVERIFY(recorded.messages.empty());
        QCOMPARE(f.endings, 0);
    }

    void answeringNoKeepsTheProgramRunning() {
        auto& recorded = notifier_.fresh(MessageAnswer::No);
        Fixture f(notifier_);
        QVERIFY(!f.window->close());
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.endings, 0);
        QCOMPARE(recorded.messages.size(), size_t(1));
        const UserMessage& asked = recorded.messages.front();
        QCOMPARE(asked.text, std::string("确认要退出系统吗？"));
        QCOMPARE(asked.title, std::string("Tallyvane"));
        QVERIFY(asked.buttons == MessageButtons::YesNo);
        QVERIFY(asked.icon == MessageIcon::Information);
    }

    void answeringYesEndsTheProgram() {
        auto& recorded = notifier_.fresh(MessageAnswer::Yes);
        Fixture f(notifier_);
        f.choose("停车费明细表");
        QVERIFY(f.window->close());
        QCOMPARE(f.endings, 1);
        QCOMPARE(recorded.messages.size(), size_t(1));
    }

    void quitItemEndsAtOnceWithoutAsking() {
        auto& recorded = notifier_.fresh(MessageAnswer::No);
        Fixture f(notifier_);
        f.choose("停车费明细表");
        f.choose("退出");
        QCOMPARE(f.endings, 1);
        QVERIFY(recorded.messages.empty());
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.subWindows(), 1);
    }

    void missingBackgroundLeavesTheDesktopPlainWithoutMessage() {
        auto& recorded = notifier_.fresh();
        Fixture f(notifier_);
        const QBrush before = f.window->mdiArea()->background();
        f.window->setBackgroundFile("/nonexistent/MDI.BMP");
        f.window->resize(700, 500);
        QCoreApplication::processEvents();
        QVERIFY(!static_cast<PictureMdiArea*>(f.window->mdiArea())->hasBackgroundPicture());
        QVERIFY(f.window->mdiArea()->background().texture().isNull());
        QCOMPARE(f.window->mdiArea()->background().color(), before.color());
        QVERIFY(recorded.messages.empty());
    }

    void backgroundIsStretchedOverTheDesktopOnEveryResize() {
        QTemporaryDir dir;
        QImage picture(40, 30, QImage::Format_RGB888);
        picture.fill(QColor(200, 10, 10));
        const QString file = dir.filePath("MDI.BMP");
        QVERIFY(picture.save(file, "BMP"));

        Fixture f(notifier_);
        f.window->setBackgroundFile(file);
        f.window->resize(800, 600);
        QCoreApplication::processEvents();
        QCOMPARE(f.window->mdiArea()->background().texture().size(), f.window->mdiArea()->viewport()->size());
        f.window->resize(640, 480);
        QCoreApplication::processEvents();
        const QPixmap texture = f.window->mdiArea()->background().texture();
        QCOMPARE(texture.size(), f.window->mdiArea()->viewport()->size());
        QCOMPARE(texture.toImage().pixelColor(texture.width() - 1, texture.height() - 1), QColor(200, 10, 10));

        QFile::remove(file);
        f.window->resize(660, 480);
        QCoreApplication::processEvents();
        QVERIFY(f.window->mdiArea()->background().texture().isNull());
    }

    void pictureStripCarriesTheBanner() {
        Fixture f(notifier_);
        auto* strip = f.window->findChild<BannerStrip*>("Picture1");
        QVERIFY(strip);
        QCOMPARE(strip->banner().size(), QSize(1028, 54));
        QCOMPARE(strip->height(), 54);
        QCOMPARE(strip->width(), f.window->centralWidget()->width());
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
