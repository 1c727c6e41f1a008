#pragma once
// At most one window per key: the first request creates the window, later requests bring
// the open one to the front, and a window that was closed is created afresh.
// The windows must be deleted on close (Qt::WA_DeleteOnClose) or at least hidden.
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <map>

namespace tally::app {

class SingleWindowRegistry {
public:
    using Create = std::function<QWidget*()>;  // null when the window could not be made

    // The open window for `key`, created when there is none, shown and brought to the front.
    QWidget* showOrCreate(const QString& key, const Create& create);
    // The open window for `key`, or null.
    QWidget* openWindow(const QString& key) const;

private:
    std::map<QString, QPointer<QWidget>> windows_;
};

}  // namespace tally::app
