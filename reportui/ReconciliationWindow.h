#pragma once
// frm票据核对表New, the window of the invoice reconciliation report: a department
// list, a year and a month range, and the whole reconciliation table in one
// scrollable grid with frozen headings and leading columns. It turns 开始统计 into
// one RunReconciliation and shows what comes back; every message goes through
// the notifier it is given.
#include <functional>
#include <optional>
#include <vector>

#include "Departments.h"
#include "InvoiceTypeLists.h"
#include "ReconciliationRun.h"
#include "ReportWindowFrame.h"
#include "WindowServices.h"

class QComboBox;
class QFrame;
class QListWidget;

namespace tally::reportui {

class GridFind;

class ReconciliationWindow : public ReportWindowFrame {
    Q_OBJECT
public:
    static constexpr const char* kCaption = "增值税开票票据核对表";
    static constexpr const char* kExtractingCaption = "正在提取收费项目,请稍等......";
    static constexpr const char* kGeneratingCaption = "正在生成票据核对表，请稍等......";
    static constexpr const char* kFormula = "核对:(专用发票+普通发票+收据=财务交账-当月收预开票+当月未收预开票)";

    // Opens the window: the period boxes at the current year and month, the empty
    // 13-column table, the department list and the ticket-type lists loaded from the
    // services' connection.
    explicit ReconciliationWindow(WindowServices services, QWidget* parent = nullptr);
    ~ReconciliationWindow() override;

    // The last run's table (the empty layout before the first run) and fee items.
    const reports::reconciliation::ReconciliationTable& table() const { return state_.table; }
    const reports::reconciliation::ReconciliationFeeItems& feeItems() const { return state_.items; }
    const reports::reconciliation::InvoiceTypeLists& invoiceTypeLists() const { return typeLists_; }
    // The last run as it ended (its table and items are those above).
    const reports::reconciliation::ReconciliationRun& lastRun() const { return state_; }
    // The department list's selected entry now; none when nothing is selected.
    std::optional<reports::DepartmentEntry> selectedDepartment() const;
    QString yearText() const;
    QString startMonthText() const;
    QString endMonthText() const;
    // "增值税开票票据核对表" until a department is clicked, then "YYYY年度【name】票据核对表"
    // naming the year and department of the table shown.
    QString titleText() const;
    // The year, months and department the shown table was computed from; none before a run
    // and after another department was chosen. Export and print name these.
    const std::optional<reports::reconciliation::ReconciliationSelection>& tableSelection() const {
        return tableSelection_;
    }
    // The labels of the shown table: its department entry, year and months; the list's and
    // the boxes' while no table is shown.
    std::string shownDepartmentText() const;
    std::string shownYear() const;
    std::string shownStartMonth() const;
    std::string shownEndMonth() const;

    // Commands, as the buttons run them.
    void startStatistics();
    void exportTable();
    void previewTable();
    void exitWindow();

    Notifier& notifier() const override { return *services_.notifier; }

    // Controls of this window, for the export routine and for tests (the frame's: ReportWindowFrame).
    QListWidget* departmentList() const { return departmentList_; }
    QComboBox* yearBox() const { return yearBox_; }
    QComboBox* startMonthBox() const { return startMonthBox_; }
    QComboBox* endMonthBox() const { return endMonthBox_; }
    QPushButton* startButton() const { return startButton_; }
    QLabel* formulaLabel() const { return formulaLabel_; }
    QWidget* selectionPanel() const { return selectionPanel_; }
    QFrame* periodGroup() const { return periodGroup_; }
    QWidget* mainArea() const { return resultArea_; }
    GridFind* gridFind() const { return find_; }

protected:
    void enableCommands(bool enabled) override;

private:
    // ReconciliationWindowLayout.cpp: the regions and the resize rule.
    void buildControls();
    void placeOwnRegions(const Placement& placement) override;

    void fillPeriodBoxes();
    void loadInvoiceTypeLists();
    void departmentClicked();
    void showTable(const reports::reconciliation::ReconciliationTable& table);
    // The busy caption of the month rows, shown as they start to be read.
    void showGeneratingCaption(const reports::reconciliation::ReconciliationTable& table);

    std::vector<reports::DepartmentEntry> departments_;  // one per list line, in list order
    reports::reconciliation::InvoiceTypeLists typeLists_;
    reports::reconciliation::ReconciliationRun state_;  // the last run's items and table
    std::optional<reports::reconciliation::ReconciliationSelection> tableSelection_;
    WindowServices services_;

    QLabel* formulaLabel_ = nullptr;
    QWidget* selectionPanel_ = nullptr;
    QLabel* departmentCaption_ = nullptr;
    QListWidget* departmentList_ = nullptr;
    QFrame* periodGroup_ = nullptr;
    QComboBox* yearBox_ = nullptr;
    QComboBox* startMonthBox_ = nullptr;
    QComboBox* endMonthBox_ = nullptr;
    QPushButton* startButton_ = nullptr;
    GridFind* find_ = nullptr;
};

}  // namespace tally::reportui
