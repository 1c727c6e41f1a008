#include "MainWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QVBoxLayout>

#include "AboutDialog.h"
#include "BannerStrip.h"
#include "DesktopBackground.h"
#include "Notifier.h"
#include "ReportSubWindow.h"

namespace tally::app {
namespace {

const QString kAboutKey = "关于软件";

QAction* addItem(QMenu* menu, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(caption);
    return action;
}

QMenu* addTopMenu(QMenuBar* bar, const QString& caption) {
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(caption);
    menu->menuAction()->setObjectName(caption);
    return menu;
}

}  // namespace

void endProcessAtOnce() { QCoreApplication::exit(0); }

MainWindow::MainWindow(Notifier& notifier, ReportWindowFactories factories, QWidget* parent)
    : QMainWindow(parent), notifier_(notifier), factories_(std::move(factories)), endProcess_(endProcessAtOnce) {
    setObjectName("MDIForm1");  // the name scripts and tests look the window up by
    setWindowTitle("Tallyvane");
    setWindowIcon(QIcon(":/tallyvane/emblem.png"));

    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    strip_ = new BannerStrip(client);
    desktop_ = new PictureMdiArea(client);
    desktop_->setObjectName("MDIClient");
    layout->addWidget(strip_);
    layout->addWidget(desktop_, 1);
    setCentralWidget(client);

    buildMenus();
    resize(1040, 720);
}

void MainWindow::buildMenus() {
    QMenu* reports = addTopMenu(menuBar(), "统计报表");
    for (ReportKind kind : kReportKinds)
        connect(addItem(reports, reportMenuCaption(kind)), &QAction::triggered, this,
                [this, kind] { showReportWindow(kind); });

    QMenu* quit = addTopMenu(menuBar(), "退出系统");
    connect(addItem(quit, "退出"), &QAction::triggered, this, [this] { endProcess_(); });

    QMenu* about = addTopMenu(menuBar(), "关于");
    connect(addItem(about, "关于软件"), &QAction::triggered, this, [this] { showAboutWindow(); });
    addItem(about, "联系我们");  // deliberately does nothing
}

void MainWindow::setEndProcess(std::function<void()> endProcess) { endProcess_ = std::move(endProcess); }

void MainWindow::setBackgroundFile(const QString& file) { desktop_->setBackgroundFile(file); }

QMdiArea* MainWindow::mdiArea() const { return desktop_; }

QWidget* MainWindow::showReportWindow(ReportKind kind) {
    return windows_.showOrCreate(reportMenuCaption(kind), [this, kind]() -> QWidget* {
        auto factory = factories_.find(kind);
        if (factory == factories_.end() || !factory->second) return nullptr;
        QWidget* report = factory->second(desktop_);
        if (!report) return nullptr;
        return addReportSubWindow(desktop_, report);
    });
}

QWidget* MainWindow::showAboutWindow() {
    return windows_.showOrCreate(kAboutKey, [this] { return new AboutDialog(desktop_->viewport(), notifier_, this); });
}

void MainWindow::closeEvent(QCloseEvent* event) {
    const MessageAnswer answer =
        notifier_.tell({"确认要退出系统吗？", "Tallyvane", MessageIcon::Information, MessageButtons::YesNo});
    if (answer != MessageAnswer::Yes) {
        event->ignore();
        return;
    }
    event->accept();
    endProcess_();
}

}  // namespace tally::app
