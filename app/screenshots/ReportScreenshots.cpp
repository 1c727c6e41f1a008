// tallyvane-screenshots OUTDIR [--db FILE.sqlite]
//
// Opens the main window on a demo database (generated into a temporary folder
// unless --db names one), runs each report in its window and saves a picture of
// the program per report under OUTDIR. Run it on a real display or
// under Xvfb (scripts/screenshots.sh).
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextStream>

#include <memory>

#include "ChineseFont.h"
#include "DemoDatabase.h"
#include "MainWindow.h"
#include "Notifier.h"
#include "ReconciliationWindow.h"
#include "ReportWindow.h"
#include "ReportWindowFactories.h"
#include "ResultGrid.h"
#include "SelectionPanel.h"
#include "SplitRatioGrid.h"
#include "SqliteConnection.h"

using namespace tally;

namespace {

struct Shot {
    app::ReportKind kind;
    const char* file;
    int departmentRow;  // in the department list
    bool scrolledRight;
    bool editingSplit;
};

void settle() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

// The window's database work runs in the background: its result is drawn once it ends.
void waitUntilIdle(const reportui::ReportWindowFrame& window) {
    while (window.busy()) QApplication::processEvents(QEventLoop::AllEvents, 50);
    settle();
}

bool takeShot(app::MainWindow& main, const Shot& shot, const QDir& out) {
    auto* sub = qobject_cast<QMdiSubWindow*>(main.showReportWindow(shot.kind));
    auto* window = sub ? sub->findChild<reportui::ReportWindow*>() : nullptr;
    if (!window) return false;
    sub->showMaximized();
    settle();
    auto* panel = window->selectionPanel();
    panel->departmentList()->setCurrentRow(shot.departmentRow);
    panel->startPicker()->setDate({2025, 1, 1});
    panel->endPicker()->setDate({2025, 12, 31});
    panel->extractButton()->click();
    waitUntilIdle(*window);
    panel->startButton()->click();
    waitUntilIdle(*window);
    if (shot.scrolledRight) {
        QScrollBar* bar = window->resultGrid()->horizontalScrollBar();
        bar->setValue(bar->maximum());
    }
    window->resultGrid()->setFocus();
    if (shot.editingSplit && panel->splitGrid()->rowCount() > 0) {
        panel->splitGrid()->setCurrentCell(0, reportui::SplitRatioGrid::DeveloperColumn);
        panel->splitGrid()->ratioEditBox()->setText("65");
    }
    settle();
    const QString path = out.filePath(shot.file);
    const bool saved = main.grab().save(path);
    QTextStream(stdout) << (saved ? "Saved " : "Could not save ") << path << "\n";
    sub->close();
    settle();
    return saved;
}

bool saveShot(app::MainWindow& main, const QDir& out, const char* file) {
    settle();
    const QString path = out.filePath(file);
    const bool saved = main.grab().save(path);
    QTextStream(stdout) << (saved ? "Saved " : "Could not save ") << path << "\n";
    return saved;
}

// The reconciliation window after a run over the whole demo year, at the start of
// the table and scrolled to its end (the differences and the grand total).
bool takeReconciliationShots(app::MainWindow& main, const QDir& out) {
    auto* sub = qobject_cast<QMdiSubWindow*>(main.showReportWindow(app::ReportKind::Reconciliation));
    auto* window = sub ? sub->findChild<reportui::ReconciliationWindow*>() : nullptr;
    if (!window) return false;
    sub->showMaximized();
    settle();
    window->yearBox()->setCurrentText("2025");
    window->departmentList()->setCurrentRow(0);
    window->startMonthBox()->setCurrentText("01");
    window->endMonthBox()->setCurrentText("12");
    window->startButton()->click();
    waitUntilIdle(*window);
    bool saved = saveShot(main, out, "reconciliation-report.png");
    for (QScrollBar* bar : {window->resultGrid()->horizontalScrollBar(), window->resultGrid()->verticalScrollBar()})
        bar->setValue(bar->maximum());
    saved = saveShot(main, out, "reconciliation-scrolled-to-end.png") && saved;
    sub->close();
    settle();
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 2 || args[1].startsWith("-")) {
        QTextStream(stderr) << "Usage: tallyvane-screenshots OUTDIR [--db FILE.sqlite]\n";
        return 2;
    }
    const QDir out(args[1]);
    if (!out.exists() && !QDir().mkpath(out.path())) return 1;

    QTemporaryDir scratch;
    std::unique_ptr<data::Connection> connection;
    QString database = args.indexOf("--db") > 0 ? args.value(args.indexOf("--db") + 1) : QString();
    try {
        if (database.isEmpty()) {
            database = scratch.filePath("demo.sqlite");
            demo::DemoOptions options;
            options.years = 1;
            demo::generateDemoDatabase(database.toStdString(), options);
        }
        connection = std::make_unique<data::SqliteConnection>(database.toStdString());
    } catch (const std::exception& e) {
        QTextStream(stderr) << e.what() << "\n";
        return 1;
    }

    app::installChineseFont();
    // Messages would stop the pictures: they go to the terminal instead.
    StandardErrorNotifier notifier;
    app::MainWindow main(notifier, app::reportWindowFactories({connection.get(), &notifier, {}, {}, {}, {}}));
    main.resize(1400, 860);
    main.show();
    settle();

    // Departments: 0 物业一部 (01), 3 停车场管理中心 (11).
    const Shot shots[] = {
        {app::ReportKind::Parking, "parking-report.png", 3, false, true},
        {app::ReportKind::VatInvoicing, "vat-invoicing-report.png", 0, false, false},
        {app::ReportKind::VatInvoicing, "vat-invoicing-scrolled-right.png", 0, true, false},
        {app::ReportKind::VatPreInvoicing, "pre-invoicing-report.png", 0, false, false},
    };
    bool ok = true;
    for (const Shot& shot : shots) ok = takeShot(main, shot, out) && ok;
    ok = takeReconciliationShots(main, out) && ok;
    return ok ? 0 : 1;
}
