#include "SingleWindowRegistry.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace tally::app {
namespace {

void bringToFront(QWidget* window) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window)) {
        if (sub->isMinimized()) sub->showNormal();
        else sub->show();
        if (QMdiArea* area = sub->mdiArea()) area->setActiveSubWindow(sub);
        sub->raise();
        return;
    }
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace

QWidget* SingleWindowRegistry::openWindow(const QString& key) const {
    auto it = windows_.find(key);
    if (it == windows_.end() || it->second.isNull()) return nullptr;
    // A closed window may linger until its deferred deletion runs; it counts as gone.
    QWidget* window = it->second.data();
    if (window->isHidden()) return nullptr;
    // So does a sub-window whose report has closed itself and whose frame is about to go.
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window); sub && !sub->isMinimized())
        if (!sub->widget() || sub->widget()->isHidden()) return nullptr;
    return window;
}

QWidget* SingleWindowRegistry::showOrCreate(const QString& key, const Create& create) {
    QWidget* window = openWindow(key);
    if (!window) {
        window = create();
        if (!window) return nullptr;
        windows_[key] = window;
    }
    bringToFront(window);
    return window;
}

}  // namespace tally::app
