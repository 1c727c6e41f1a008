#include "MDIForm1.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QVBoxLayout>

#include "BannerStrip.h"
#include "DesktopBackground.h"
#include "ReportSubWindow.h"
#include "UserMessage.h"
#include "frmAbout.h"

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

MDIForm1::MDIForm1(ReportWindowFactories factories, QWidget* parent)
    : QMainWindow(parent), factories_(std::move(factories)), endProcess_(endProcessAtOnce) {
    setObjectName("MDIForm1");
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

void MDIForm1::buildMenus() {
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

void MDIForm1::setEndProcess(std::function<void()> endProcess) { endProcess_ = std::move(endProcess); }

void MDIForm1::setBackgroundFile(const QString& file) { desktop_->setBackgroundFile(file); }

QMdiArea* MDIForm1::mdiArea() const { return desktop_; }

QWidget* MDIForm1::showReportWindow(ReportKind kind) {
    return windows_.showOrCreate(reportMenuCaption(kind), [this, kind]() -> QWidget* {
        auto factory = factories_.find(kind);
        if (factory == factories_.end() || !factory->second) return nullptr;
        QWidget* report = factory->second(desktop_);
        if (!report) return nullptr;
        return addReportSubWindow(desktop_, report);
    });
}

QWidget* MDIForm1::showAboutWindow() {
    return windows_.showOrCreate(kAboutKey, [this] { return new frmAbout(desktop_->viewport(), this); });
}

void MDIForm1::closeEvent(QCloseEvent* event) {
    const MessageAnswer answer =
        tellUser({"确认要退出系统吗？", "Tallyvane", MessageIcon::Information, MessageButtons::YesNo});
    if (answer != MessageAnswer::Yes) {
        event->ignore();
        return;
    }
    event->accept();
    endProcess_();
}

}  // namespace tally::app
