#pragma once
// The main window: a multiple-document frame with the banner strip on top, the stretched
// desktop picture, and the menu that opens the report windows and the About window.
#include <QMainWindow>

#include <functional>

#include "ReportKind.h"
#include "SingleWindowRegistry.h"

class QMdiArea;

namespace tally {
class Notifier;
}  // namespace tally

namespace tally::app {

class BannerStrip;
class PictureMdiArea;

// Ends the process at once: no closing events, no questions to other windows.
void endProcessAtOnce();

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Every message of the window goes through `notifier`, which must outlive it.
    explicit MainWindow(Notifier& notifier, ReportWindowFactories factories = {}, QWidget* parent = nullptr);

    // What "退出" and a confirmed close do; endProcessAtOnce unless replaced (tests).
    void setEndProcess(std::function<void()> endProcess);
    void setBackgroundFile(const QString& file);

    QMdiArea* mdiArea() const;
    BannerStrip* pictureStrip() const { return strip_; }

    // The menu commands. Each returns the window it showed (a sub-window for reports),
    // or null when the window could not be made.
    QWidget* showReportWindow(ReportKind kind);
    QWidget* showAboutWindow();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();

    Notifier& notifier_;
    ReportWindowFactories factories_;
    std::function<void()> endProcess_;
    SingleWindowRegistry windows_;
    BannerStrip* strip_ = nullptr;
    PictureMdiArea* desktop_ = nullptr;
};

}  // namespace tally::app
