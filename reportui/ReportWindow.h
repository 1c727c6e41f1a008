#pragma once
// The window of a paged detail report (parking, VAT invoicing, VAT pre-invoicing):
// one design, configured by the report engine it drives. It turns the user's
// commands into the steps of the detail-report flow and shows what they return;
// every message goes through the notifier it is given.
#include <QDate>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "DetailReport.h"
#include "ReportWindowFrame.h"
#include "WindowServices.h"

namespace tally::reportui {

class GridFind;
class PageNavigator;
class ResultPager;
class SelectionPanel;

class ReportWindow : public ReportWindowFrame {
    Q_OBJECT
public:
    // Opens the window: pickers at today, initial headings, the department and
    // invoice-type lists loaded from the services' connection.
    ReportWindow(std::unique_ptr<reports::DetailReport> report, WindowServices services, QWidget* parent = nullptr);
    ~ReportWindow() override;

    const reports::DetailReport& report() const { return *report_; }
    Notifier& notifier() const override { return *services_.notifier; }

    // The department captured by the last extraction (DepartmentCode, OfficeCode); none before.
    const std::optional<reports::DepartmentEntry>& capturedDepartment() const { return captured_; }
    // 'A','B': the invoice types with 定额 0, loaded at opening.
    const std::string& invoiceTypeList() const { return invoiceTypeList_; }
    const reports::FeeItemList& feeItems() const { return feeItems_; }
    // The department list's selected entry now; none when nothing is selected.
    std::optional<reports::DepartmentEntry> selectedDepartment() const;
    QDate startDate() const;
    QDate endDate() const;
    QString titleText() const;
    // The last run's rows (null before the first run).
    std::shared_ptr<const reports::ReportResult> result() const;
    // The department and period the shown rows were computed from; none while no row is
    // shown. Export and print name these, whatever the list and pickers say now.
    struct ResultSelection {
        reports::DepartmentEntry department;
        QDate start;
        QDate end;
        // The fee items and split percentages (as plain numbers) the run took.
        reports::FeeItemList items = {};
        reports::SplitRatioRows splits = {};
    };
    const std::optional<ResultSelection>& resultSelection() const { return resultSelection_; }
    // The labels of the shown rows: their department entry and period, or the list's and
    // the pickers' while no row is shown.
    std::string resultDepartmentText() const;
    QDate resultStart() const { return resultSelection_ ? resultSelection_->start : startDate(); }
    QDate resultEnd() const { return resultSelection_ ? resultSelection_->end : endDate(); }

    // Commands, as the buttons run them.
    void extractFeeItems();
    void startStatistics();
    void exportResult();
    void previewResult();
    void exitWindow();

    // Controls of this window, for the export routine and for tests (the frame's: ReportWindowFrame).
    SelectionPanel* selectionPanel() const { return selectionPanel_; }
    PageNavigator* pageNavigator() const { return navigator_; }
    ResultPager* pager() const { return pager_; }
    GridFind* gridFind() const { return find_; }
    QLabel* exportCaption() const { return exportCaption_; }

protected:
    void enableCommands(bool enabled) override;

private:
    // ReportWindowLayout.cpp: the regions and the resize rule.
    void buildControls();
    void placeOwnRegions(const Placement& placement) override;
    // 开始统计 can be clicked when allowed and no command runs.
    void allowStart(bool allowed);

    void loadDepartmentList();
    void loadInvoiceTypeList();
    void departmentClicked();
    void showHeadings(const reports::HeadingLayout& headings);
    // Forgets the extraction and the rows computed from it: another department was chosen.
    void dropExtraction();
    // Rows per page: as many as the grid shows whole under its headings.
    void fitPageToGrid();
    reports::ReportRequest requestNow(const reports::DepartmentEntry& department) const;
    // The connection; tells the user and returns null when there is none.
    data::Connection* connectionOrTell() const;

    std::unique_ptr<reports::DetailReport> report_;
    WindowServices services_;
    std::vector<reports::DepartmentEntry> departments_;  // one per list entry, in list order
    std::optional<reports::DepartmentEntry> captured_;
    std::string invoiceTypeList_;
    reports::FeeItemList feeItems_;
    bool startAllowed_ = false;
    std::optional<ResultSelection> resultSelection_;

    SelectionPanel* selectionPanel_ = nullptr;
    PageNavigator* navigator_ = nullptr;
    QLabel* exportCaption_ = nullptr;
    ResultPager* pager_ = nullptr;
    GridFind* find_ = nullptr;
};

}  // namespace tally::reportui
