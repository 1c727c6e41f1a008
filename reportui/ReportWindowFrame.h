#pragma once
// What every report window is built on: the banner with the panel heading and the
// title across the top, the selection panel on the left, the result area right of it
// with the grid and the busy panel, the bottom bar under the area and the status bar
// across the bottom, and the resize rule that keeps them in place. Each window adds
// its own controls between the builders' steps and places them in placeOwnRegions.
#include <QRect>
#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;

namespace tally {
class Notifier;
}  // namespace tally

namespace tally::data {
class Connection;
}  // namespace tally::data

namespace tally::reportui {

class BackgroundRun;
class BusyPanel;
class PageNavigator;
class ReportBottomBar;
class ReportStatusBar;
class ResultGrid;
class ResultPager;

class ReportWindowFrame : public QWidget {
    Q_OBJECT
public:
    // Controls, for the export routines and for tests.
    ResultGrid* resultGrid() const { return resultGrid_; }
    BusyPanel* busyPanel() const { return busyPanel_; }
    QLabel* titleLabel() const { return titleLabel_; }
    QWidget* bottomBar() const;
    QPushButton* exportButton() const;
    QPushButton* previewButton() const;
    QPushButton* exitButton() const;
    QProgressBar* progressBar() const;
    ReportStatusBar* reportStatusBar() const { return statusBar_; }

    QSize sizeHint() const override;

    // Work off the window's thread (see BackgroundRun): the busy panel shows `caption`
    // and 取消, the wait pointer is up and the commands that start work are off until
    // `done` has run on the window's thread. `connection` is null for work without the
    // database. Refused (false) while other work of the window is going.
    bool runInBackground(const QString& caption, data::Connection* connection, std::function<void()> work,
                         std::function<void(bool cancelled)> done);
    bool busy() const;
    // What 取消 does.
    void cancelWork();
    BackgroundRun& backgroundRun() const { return *run_; }
    void setBusyCaption(const QString& caption);
    // Where the window's messages go; a fault of the background work is told there too.
    virtual Notifier& notifier() const = 0;

signals:
    // After `done` of work run by runInBackground.
    void workFinished();

protected:
    // The design sizes (twips) in which the windows differ.
    struct Design {
        int bannerHeight;
        int panelWidth;
        int gridTop;  // within the result area
    };
    // Where the frame has put its regions (pixels), for the window to place its own.
    struct Placement {
        int banner;      // the banner's height
        int panelWidth;  // the selection panel's width; the result area starts there
        int areaWidth;   // the result area's size; either may be 0 or less on a tiny window
        int areaHeight;
        QRect panel;       // where the selection panel goes; empty when there is no room
        bool gridResized;  // false when the grid had no room and kept its size
    };

    explicit ReportWindowFrame(QWidget* parent);
    ~ReportWindowFrame() override;

    // Cancels the work and waits for its thread. Each window calls it first thing in its
    // destructor, while what the work reads still exists.
    void stopWork();
    // Sets whether the commands that start work can be clicked; the frame's are 导出Excel
    // and 打印预览, a window adds its own. Called as work starts and ends.
    virtual void enableCommands(bool enabled);

    // The builders, called in this order by the window: widgets are made in the order
    // the focus moves through them, so the window's own ones go in between.
    void buildBanner(const Design& design, const QString& panelHeading, double headingPointSize);
    void buildResultArea(const QString& objectName);
    void buildResultGrid();
    void buildBusyPanel();
    void buildBars();  // last: the layout runs once the bars exist

    // The paged result of the report and list windows: the result area with the page
    // navigator at `navigatorTop` (twips) over the grid, the caption shown while rows are
    // exported, the busy panel, and the pager that draws the grid's pages.
    struct PagedResultArea {
        PageNavigator* navigator;
        QLabel* exportCaption;
        ResultPager* pager;
    };
    PagedResultArea buildPagedResultArea(int navigatorTop);

    void setTitle(const QString& text);
    // x that centres the widget over the result area, in the window's coordinates.
    int centredOverArea(const QWidget* widget, const Placement& placement) const;

    void resizeEvent(QResizeEvent* event) override;
    virtual void placeOwnRegions(const Placement& placement) = 0;

    QWidget* banner_ = nullptr;
    QLabel* panelHeading_ = nullptr;
    QLabel* titleLabel_ = nullptr;
    QWidget* resultArea_ = nullptr;
    ResultGrid* resultGrid_ = nullptr;
    BusyPanel* busyPanel_ = nullptr;
    ReportBottomBar* bottomBar_ = nullptr;
    ReportStatusBar* statusBar_ = nullptr;

private:
    // Each step stands on its own: one that has no room (a window made very small or
    // minimised) is skipped and the others still run.
    void applyLayout();

    Design design_{};
    std::unique_ptr<BackgroundRun> run_;
    bool waitCursor_ = false;  // the override cursor this window set and must take back
    QString waitingCaption_;   // the work's caption, back once the connection is free
};

}  // namespace tally::reportui
