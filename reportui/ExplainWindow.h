#pragma once
// frm查看明细: the invoice lines behind one figure of a report, paged like the report's own
// grid, with a total row at the bottom equal to the figure and "导出Excel" for the list.
// The window owns a copy of the list, so it may outlive the report window it came from.
#include <functional>
#include <memory>

#include "ExplanationList.h"
#include "ReportWindowFrame.h"

class QLabel;

namespace tally {
class Notifier;
}  // namespace tally

namespace tally::reportui {

class PageNavigator;
class ResultPager;

class ExplainWindow : public ReportWindowFrame {
    Q_OBJECT
public:
    static constexpr const char* kObjectName = "frm查看明细";
    static constexpr const char* kCaption = "查看明细";
    static constexpr const char* kExportSuccess = "明细导出成功！";

    using ExportCommand = std::function<void(ExplainWindow&)>;

    // `subject` says what is explained; the caption and title are "查看明细 " + subject.
    // `notifier` must outlive the window; `exportList` is what 导出Excel runs (none: nothing).
    ExplainWindow(const QString& subject, reports::explain::ExplanationList list, Notifier& notifier,
                  ExportCommand exportList, QWidget* parent = nullptr);
    ~ExplainWindow() override;

    const reports::explain::ExplanationList& list() const { return result_->list(); }
    std::shared_ptr<const reports::explain::ExplanationResult> result() const { return result_; }
    QString titleText() const;
    Notifier& notifier() const override { return notifier_; }

    // Commands, as the buttons run them.
    void exportList();
    void exitWindow();

    PageNavigator* pageNavigator() const { return navigator_; }
    ResultPager* pager() const { return pager_; }
    QLabel* exportCaption() const { return exportCaption_; }

private:
    void buildControls();
    void placeOwnRegions(const Placement& placement) override;

    std::shared_ptr<const reports::explain::ExplanationResult> result_;
    Notifier& notifier_;
    ExportCommand exportList_;

    PageNavigator* navigator_ = nullptr;
    ResultPager* pager_ = nullptr;
    QLabel* exportCaption_ = nullptr;
};

}  // namespace tally::reportui
