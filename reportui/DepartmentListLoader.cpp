#include "DepartmentListLoader.h"

#include <QListWidget>

#include "Notifier.h"

namespace tally::reportui {

std::vector<reports::DepartmentEntry> fillDepartmentList(QListWidget& view, data::Connection* connection,
                                                         Notifier& notifier) {
    if (!connection) {
        notifier.notice(reports::listErrorText(0, reports::kNoConnection));
        return {};
    }
    reports::DepartmentList list = reports::LoadDepartmentList(*connection);
    for (const auto& entry : list.entries) view.addItem(QString::fromStdString(entry.displayText()));
    view.clearSelection();
    if (list.error) notifier.notice(list.error->messageText());
    return std::move(list.entries);
}

std::optional<reports::DepartmentEntry> selectedDepartmentOf(const QListWidget& view,
                                                             const std::vector<reports::DepartmentEntry>& entries) {
    const auto selected = view.selectedItems();
    if (selected.isEmpty()) return std::nullopt;
    const int row = view.row(selected.front());
    if (row < 0 || row >= static_cast<int>(entries.size())) return std::nullopt;
    return entries[row];
}

}  // namespace tally::reportui
