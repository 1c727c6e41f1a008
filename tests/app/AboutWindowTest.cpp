// The About window: its texts, its place over the desktop, and the system-information button.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#include "AboutDialog.h"
#include "MainWindow.h"
#include "support/Platform.h"
#include "support/RecordingNotifier.h"

using namespace tally;
using namespace tally::app;

namespace {

// PATH holds only `folder` until the guard goes.
auto pathOnly(const QString& folder) {
    const QByteArray saved = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(folder));
    return qScopeGuard([saved] { qputenv("PATH", saved); });
}

// A stand-in tool that leaves a file named after itself in `folder` when started.
void fakeTool(const QString& folder, const QString& name) {
    if (tally::testing::kOnWindows) {  // found through PATHEXT
        QFile batch(folder + "/" + name + ".cmd");
        QVERIFY(batch.open(QIODevice::WriteOnly));
        batch.write("@type nul > \"" + QDir::toNativeSeparators(folder + "/" + name).toLocal8Bit() + ".started\"\r\n");
        return;
    }
    QFile script(folder + "/" + name);
    QVERIFY(script.open(QIODevice::WriteOnly));
    // Absolute paths only: the tool runs with the test's PATH, which holds nothing else.
    script.write("#!/bin/sh\n: > '" + QFile::encodeName(folder + "/" + name) + ".started'\n");
    script.close();
    QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

struct Shown {
    MainWindow main;
    AboutDialog* about = nullptr;
    explicit Shown(Notifier& notifier) : main(notifier) {
        main.resize(1000, 700);
        main.show();
        about = qobject_cast<AboutDialog*>(main.showAboutWindow());
    }
    template <typename T>
    T* control(const char* name) {
        return about ? about->findChild<T*>(name) : nullptr;
    }
};

}  // namespace

class AboutWindowTest : public QObject {
    Q_OBJECT

    // Every window of the test tells this notifier.
    testing::RecordingNotifier notifier_;
private slots:
    void showsTheSuiteAndTheVersion() {
        Shown s(notifier_);
        QVERIFY(s.about);
        QCOMPARE(s.about->windowTitle(), QString("关于Korvane系统2011版"));
        QCOMPARE(s.control<QLabel>("lblTitle")->text(), QString("Korvane系统2011版的一部分"));
        QCOMPARE(s.control<QLabel>("Label7")->text(), QString("系统信息设置系统" PROJECT_VERSION_TEXT));
        QCOMPARE(s.control<QPushButton>("cmdOK")->text(), QString("确定"));
        QCOMPARE(s.control<QPushButton>("cmdSysInfo")->text(), QString("系统信息"));
        QVERIFY(!s.about->isModal());
    }

    void isCentredOverTheDesktop() {
        Shown s(notifier_);
        QWidget* desktop = s.main.mdiArea()->viewport();
        const QPointF desktopCentre = QRectF(desktop->mapToGlobal(QPoint()), desktop->size()).center();
        const QPointF aboutCentre = QRectF(s.about->frameGeometry()).center();
        QVERIFY2(qAbs(desktopCentre.x() - aboutCentre.x()) <= 1 && qAbs(desktopCentre.y() - aboutCentre.y()) <= 1,
                 qPrintable(QString("desktop %1,%2 about %3,%4")
                                .arg(desktopCentre.x())
                                .arg(desktopCentre.y())
                                .arg(aboutCentre.x())
                                .arg(aboutCentre.y())));
    }

    void okClosesAndTheNextChoiceMakesANewWindow() {
        Shown s(notifier_);
        QPointer<AboutDialog> first = s.about;
        QTest::mouseClick(s.control<QPushButton>("cmdOK"), Qt::LeftButton);
        QVERIFY(!first || first->isHidden());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());
        QVERIFY(s.main.showAboutWindow() != nullptr);
        QCOMPARE(s.main.findChildren<AboutDialog*>().size(), 1);
    }

    void withoutAToolSaysTheInformationIsUnavailable() {
        QTemporaryDir empty;
        auto restore = pathOnly(empty.path());
        auto& recorded = notifier_.fresh();
        Shown s(notifier_);
        QTest::mouseClick(s.control<QPushButton>("cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(recorded.messages.size(), size_t(1));
        QCOMPARE(recorded.messages[0].text, std::string("此时系统信息不可用"));
        QVERIFY(recorded.messages[0].icon == MessageIcon::None);
        QVERIFY(recorded.messages[0].buttons == MessageButtons::Ok);
    }

    void startsTheFirstToolFoundOnPath() {
        QTemporaryDir tools;
        fakeTool(tools.path(), "hardinfo");
        fakeTool(tools.path(), "xfce4-taskmanager");
        auto restore = pathOnly(tools.path());
        auto& recorded = notifier_.fresh();
        Shown s(notifier_);
        QTest::mouseClick(s.control<QPushButton>("cmdSysInfo"), Qt::LeftButton);
        QTRY_VERIFY(QFile::exists(tools.filePath("hardinfo.started")));
        QVERIFY(!QFile::exists(tools.filePath("xfce4-taskmanager.started")));
        QVERIFY(recorded.messages.empty());
    }
};

QTEST_MAIN(AboutWindowTest)
#include "AboutWindowTest.moc"
