#pragma once
// Opens 查看明细 lists from a report window's grid: a double-click, Enter or the context
// menu's "查看明细" on a cell whose figure invoice lines make up. The lines are read off
// the window's thread behind its busy panel (取消 stops them, without a message); errors
// go through the window's notifier. Each shown result has at most one explainer, made at
// the first request and dropped as soon as the result is replaced.
//
// A drill-down is a child of its window and is attached once, by attachDrillDown().
#include <QObject>
#include <QPersistentModelIndex>

#include <functional>
#include <memory>

#include "ExplainWindow.h"
#include "ExplanationList.h"
#include "ReportError.h"
#include "WindowServices.h"

class QAbstractItemView;
class QAction;
class QMenu;

namespace tally::reports {
class ReportResult;
}  // namespace tally::reports
namespace tally::reports::explain {
class DetailRowExplainer;
class ReconciliationExplainer;
}  // namespace tally::reports::explain

namespace tally::reportui {

class ReportWindowFrame;

class GridDrillDown : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kActionText = "查看明细";
    static constexpr const char* kReadingCaption = "正在读取明细，请稍等......";

    // Whether the grid cell (model index of the window's result grid) has a list now.
    virtual bool explainable(const QModelIndex& index) = 0;
    // Starts reading the cell's list; false (and nothing said) when the cell has none or
    // the window is busy.
    bool request(const QModelIndex& index);

    // The grid's context menu and its one action, enabled for the cell it was opened on.
    QMenu* contextMenu() const { return menu_; }
    QAction* explainAction() const { return action_; }
    // Whether an explainer is kept for the shown result.
    virtual bool holdsExplainer() const = 0;

signals:
    // A list window has been opened (a child window of the report window, deleted on close).
    void listOpened(ExplainWindow* list);

protected:
    GridDrillDown(ReportWindowFrame& window, const WindowServices& services);

    // The work that reads the cell's list (on another thread: it owns what it reads), and
    // what the list's caption says after "查看明细 ".
    struct ListReading {
        std::function<reports::Outcome<reports::explain::ExplanationList>()> read;
        QString subject;
    };
    virtual ListReading readingFor(const QModelIndex& index) = 0;
    virtual void dropExplainer() = 0;

    bool eventFilter(QObject* watched, QEvent* event) override;

    ReportWindowFrame& frame_;
    const QObject* grid_;  // the window's result grid, whose keys are watched
    WindowServices services_;

private:
    void watchView(QAbstractItemView* view);
    void showContextMenu(QAbstractItemView* view, const QPoint& position);
    void openList(const QString& subject, reports::explain::ExplanationList list);

    QMenu* menu_ = nullptr;
    QAction* action_ = nullptr;
    QPersistentModelIndex menuIndex_;
};

class ReportWindow;
class ReconciliationWindow;

// The rows of a parking, VAT invoicing or pre-invoicing result: an invoice row lists its
// invoice's lines, a total or payment-method row the invoices behind it.
class DetailDrillDown : public GridDrillDown {
    Q_OBJECT
public:
    DetailDrillDown(ReportWindow& window, const WindowServices& services);
    ~DetailDrillDown() override;

    bool explainable(const QModelIndex& index) override;
    bool holdsExplainer() const override { return explainer_ != nullptr; }
    // The result row (zero-based) shown in grid row `modelRow` of the current page; -1 when none.
    int resultRowAt(int modelRow) const;

protected:
    ListReading readingFor(const QModelIndex& index) override;
    void dropExplainer() override;

private:
    std::shared_ptr<reports::explain::DetailRowExplainer> explainerNow();

    ReportWindow& window_;
    std::shared_ptr<reports::explain::DetailRowExplainer> explainer_;
    std::shared_ptr<const reports::ReportResult> explained_;  // the result explainer_ answers for
};

// The amount cells of the reconciliation table: a month's rate row, its subtotal or the
// grand total. Only a table whose run completed without error is explained.
class ReconciliationDrillDown : public GridDrillDown {
    Q_OBJECT
public:
    ReconciliationDrillDown(ReconciliationWindow& window, const WindowServices& services);
    ~ReconciliationDrillDown() override;

    bool explainable(const QModelIndex& index) override;
    bool holdsExplainer() const override { return explainer_ != nullptr; }

protected:
    ListReading readingFor(const QModelIndex& index) override;
    void dropExplainer() override;

private:
    std::shared_ptr<reports::explain::ReconciliationExplainer> explainerNow();

    ReconciliationWindow& window_;
    std::shared_ptr<reports::explain::ReconciliationExplainer> explainer_;
};

// Attaches the drill-down of the window's kind; returns it (owned by the window).
DetailDrillDown* attachDrillDown(ReportWindow& window, const WindowServices& services);
ReconciliationDrillDown* attachDrillDown(ReconciliationWindow& window, const WindowServices& services);

}  // namespace tally::reportui
