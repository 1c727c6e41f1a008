#include "ReportSubWindow.h"

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

namespace tally::app {
namespace {

class CloseWithReport : public QObject {
public:
    CloseWithReport(QMdiSubWindow* sub, QWidget* report) : QObject(sub), sub_(sub), report_(report) {
        report->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == report_ && event->type() == QEvent::Close) {
            // Whether the report accepts its close is known only afterwards.
            QMetaObject::invokeMethod(this, &CloseWithReport::closeIfReportClosed, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void closeIfReportClosed() {
        if (sub_ && (!report_ || report_->isHidden()) && !sub_->isMinimized()) sub_->close();
    }

    QPointer<QMdiSubWindow> sub_;
    QPointer<QWidget> report_;
};

}  // namespace

QMdiSubWindow* addReportSubWindow(QMdiArea* desktop, QWidget* report) {
    QMdiSubWindow* sub = desktop->addSubWindow(report);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    new CloseWithReport(sub, report);
    return sub;
}

}  // namespace tally::app
