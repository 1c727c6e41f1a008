// Qt's own texts in Chinese: the standard buttons and the save dialog read Chinese once
// the translations are installed, and a missing translation file changes nothing.
#include <QDialogButtonBox>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>
#include <QtTest>

#include "QtChineseTexts.h"

using namespace tally::app;

class QtChineseTextsTest : public QObject {
    Q_OBJECT

private slots:
    void aMissingFileLeavesQtsEnglishTexts() {
        QTranslator* translator = installQtChineseTexts(*QCoreApplication::instance(), "/nonexistent/qtbase_zh_CN.qm");
        QVERIFY(!translator);
        QDialogButtonBox buttons(QDialogButtonBox::Cancel);
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QString("Cancel"));
    }

    void standardButtonsReadChinese() {
        if (!QFile::exists(qtChineseTextsFile())) QSKIP("qt6-translations-l10n is not installed");
        QTranslator* translator = installQtChineseTexts(*QCoreApplication::instance());
        QVERIFY(translator);
        const auto removed = qScopeGuard([translator] {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        });
        QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Yes |
                                 QDialogButtonBox::No);
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QString("取消"));
        QVERIFY2(buttons.button(QDialogButtonBox::Yes)->text().contains("是"),
                 qPrintable(buttons.button(QDialogButtonBox::Yes)->text()));
        QVERIFY2(buttons.button(QDialogButtonBox::No)->text().contains("否"),
                 qPrintable(buttons.button(QDialogButtonBox::No)->text()));
        QVERIFY2(buttons.button(QDialogButtonBox::Ok)->text().contains("确定"),
                 qPrintable(buttons.button(QDialogButtonBox::Ok)->text()));
        // The file dialog's own texts come from the same file.
        QVERIFY(QCoreApplication::translate("QFileDialog", "Save As") != QString("Save As"));
    }
};

QTEST_MAIN(QtChineseTextsTest)
#include "QtChineseTextsTest.moc"
