// The message boxes the program's notifier shows, and the font that draws the Chinese texts.
#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QtTest>

#include "ChineseFont.h"
#include "MessageBoxNotifier.h"

using namespace tally;
using namespace tally::app;

class DesktopTextTest : public QObject {
    Q_OBJECT
private slots:
    void noticeBoxHasTitleInformationIconAndOk() {
        auto box = buildMessageBox({"数据库连接失败!", "连接提示"}, nullptr);
        QCOMPARE(box->windowTitle(), QString("连接提示"));
        QCOMPARE(box->text(), QString("数据库连接失败!"));
        QCOMPARE(box->icon(), QMessageBox::Information);
        QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(box->isModal());
    }

    void questionBoxHasYesAndNo() {
        auto box = buildMessageBox({"确认要退出系统吗？", "Tallyvane", MessageIcon::Information, MessageButtons::YesNo},
                                   nullptr);
        QCOMPARE(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(box->windowTitle(), QString("Tallyvane"));
    }

    void boxWithoutIconShowsNone() {
        auto box = buildMessageBox({"此时系统信息不可用", "Tallyvane", MessageIcon::None}, nullptr);
        QCOMPARE(box->icon(), QMessageBox::NoIcon);
    }

    void onlyYesConsents() {
        QCOMPARE(answerFor(QMessageBox::Yes, MessageButtons::YesNo), MessageAnswer::Yes);
        QCOMPARE(answerFor(QMessageBox::No, MessageButtons::YesNo), MessageAnswer::No);
        QCOMPARE(answerFor(QMessageBox::NoButton, MessageButtons::YesNo), MessageAnswer::No);
        QCOMPARE(answerFor(QMessageBox::NoButton, MessageButtons::Ok), MessageAnswer::Ok);
    }

    void chineseTextsGetAnInstalledCjkFont() {
        if (QFontDatabase::families(QFontDatabase::SimplifiedChinese).isEmpty())
            QSKIP("no font for simplified Chinese is installed (fonts-wqy-zenhei)");
        const QString drawnBy = installChineseFont();
        QVERIFY(!drawnBy.isEmpty());
        QCOMPARE(QApplication::font().family(), QString::fromUtf8(kWindowFontFamily));
        QVERIFY(QFontDatabase::families().contains(drawnBy));
        QVERIFY(QFontMetrics(QApplication::font()).inFontUcs4(U'统'));
        QVERIFY(QFontMetrics(QApplication::font()).inFontUcs4(U'费'));
    }
};

QTEST_MAIN(DesktopTextTest)
#include "DesktopTextTest.moc"
