#pragma once
// What the program hands every report window it opens: the database, the way to tell the
// user, and the export and print commands. Windows reach nothing of this through globals.
#include <functional>

namespace tally {
class Notifier;
}  // namespace tally
namespace tally::data {
class Connection;
}  // namespace tally::data

namespace tally::reportui {

class ExplainWindow;
class ReportWindow;
class ReconciliationWindow;
class SelectionStore;

struct WindowServices {
    // The program's database; null when there is none (each command then says so). A
    // window runs one statement at a time on it and never keeps settings on it.
    data::Connection* connection = nullptr;
    // Must be set: every message of the windows goes through it.
    Notifier* notifier = nullptr;
    // What "导出Excel" runs once the grid shows rows; none: the button does nothing.
    std::function<void(ReportWindow&)> exportDetail;
    std::function<void(ReconciliationWindow&)> exportReconciliation;
    // What "打印预览" runs once the grid shows rows; none: the button does nothing.
    std::function<void(ReportWindow&)> previewDetail;
    std::function<void(ReconciliationWindow&)> previewReconciliation;
    // Where the windows keep the last selection of a run and find it again when they
    // open; none: nothing is remembered.
    SelectionStore* selectionStore = nullptr;
    // What "导出Excel" runs in a 查看明细 list; none: the button does nothing.
    std::function<void(ExplainWindow&)> exportExplanation = {};
};

}  // namespace tally::reportui
