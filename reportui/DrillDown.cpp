#include "DrillDown.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>

#include "DetailRowExplain.h"
#include "ExplainWindow.h"
#include "Notifier.h"
#include "ReconciliationExplain.h"
#include "ReconciliationHeadings.h"
#include "ReconciliationWindow.h"
#include "ReportWindow.h"
#include "ResultGrid.h"
#include "ResultPageModel.h"
#include "ResultPager.h"

namespace tally::reportui {
namespace {

namespace ex = reports::explain;
namespace rec = reports::reconciliation;

std::string dayKey(const QDate& date) { return date.toString("yyyyMMdd").toStdString(); }

// "第N行", N counted from 1 as the grid numbers its rows.
QString rowText(int zeroBasedRow) { return "第" + QString::number(zeroBasedRow + 1) + "行"; }

}  // namespace

// ---- the grid's commands

GridDrillDown::GridDrillDown(ReportWindowFrame& window, const WindowServices& services)
    : QObject(&window), frame_(window), grid_(window.resultGrid()), services_(services) {
    setObjectName("DrillDown");
    menu_ = new QMenu(&window);
    menu_->setObjectName("DrillDownMenu");
    action_ = menu_->addAction(kActionText);
    connect(action_, &QAction::triggered, this, [this] {
        if (menuIndex_.isValid()) request(menuIndex_);
    });
    // The frozen rows and columns are views of their own laid over the grid: each takes
    // the clicks on its cells.
    ResultGrid* grid = window.resultGrid();
    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(grid), static_cast<QAbstractItemView*>(grid->frozenColumnView()),
          static_cast<QAbstractItemView*>(grid->frozenRowView()),
          static_cast<QAbstractItemView*>(grid->frozenCornerView())})
        watchView(view);
    grid->installEventFilter(this);
}

void GridDrillDown::watchView(QAbstractItemView* view) {
    connect(view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) { request(index); });
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, this,
            [this, view](const QPoint& position) { showContextMenu(view, position); });
}

bool GridDrillDown::eventFilter(QObject* watched, QEvent* event) {
    // The grid's events reach here until it is gone, also while the window is being
    // destroyed: the window is asked nothing before the event is known to be a key.
    if (event->type() == QEvent::KeyPress && watched == grid_) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            const QModelIndex current = frame_.resultGrid()->currentIndex();
            if (current.isValid() && !frame_.busy() && explainable(current)) {
                request(current);
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void GridDrillDown::showContextMenu(QAbstractItemView* view, const QPoint& position) {
    const QModelIndex index = view->indexAt(position);
    if (!index.isValid()) return;
    // The menu acts on the cell under the pointer, which becomes the current cell.
    frame_.resultGrid()->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    menuIndex_ = index;
    action_->setEnabled(!frame_.busy() && explainable(index));
    menu_->popup(view->viewport()->mapToGlobal(position));
}

bool GridDrillDown::request(const QModelIndex& index) {
    if (frame_.busy() || !services_.connection || !explainable(index)) return false;
    ListReading reading = readingFor(index);
    if (!reading.read) return false;
    auto outcome = std::make_shared<std::optional<reports::Outcome<ex::ExplanationList>>>();
    return frame_.runInBackground(
        kReadingCaption, services_.connection,
        [outcome, read = std::move(reading.read)] {
            try {
                outcome->emplace(read());
            } catch (const data::DbError& e) {
                outcome->emplace(reports::ReportError::fromDb(e));
            } catch (const std::exception& e) {
                outcome->emplace(reports::ReportError{0, e.what()});
            }
        },
        [this, outcome, subject = reading.subject](bool cancelled) {
            if (cancelled || !*outcome) return;
            if (!(*outcome)->ok()) {
                services_.notifier->notice((*outcome)->error().messageText());
                return;
            }
            openList(subject, std::move((*outcome)->value()));
        });
}

void GridDrillDown::openList(const QString& subject, ex::ExplanationList list) {
    auto* window =
        new ExplainWindow(subject, std::move(list), *services_.notifier, services_.exportExplanation, &frame_);
    // A window of its own over the report window, gone with it at the latest.
    window->setWindowFlag(Qt::Window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    emit listOpened(window);
}

// ---- detail reports

DetailDrillDown::DetailDrillDown(ReportWindow& window, const WindowServices& services)
    : GridDrillDown(window, services), window_(window) {
    connect(window.pager(), &ResultPager::resultChanged, this, &DetailDrillDown::dropExplainer);
}

DetailDrillDown::~DetailDrillDown() = default;

void DetailDrillDown::dropExplainer() {
    explainer_.reset();
    explained_.reset();
}

int DetailDrillDown::resultRowAt(int modelRow) const {
    const auto result = window_.result();
    const int onPage = modelRow - ResultPageModel::kHeadingRows;
    if (!result || onPage < 0 || onPage >= window_.resultGrid()->dataRowCount()) return -1;
    const auto& paging = window_.pager()->paging();
    const int row = paging.firstRow(paging.currentPage) + onPage;
    return row < result->rowCount() ? row : -1;
}

std::shared_ptr<ex::DetailRowExplainer> DetailDrillDown::explainerNow() {
    const auto result = window_.result();
    if (!result || !window_.resultSelection() || !services_.connection) return nullptr;
    if (explained_ != result) {
        const auto& selection = *window_.resultSelection();
        reports::ReportRequest request{selection.department, dayKey(selection.start), dayKey(selection.end),
                                       window_.invoiceTypeList()};
        explainer_ = ex::makeDetailRowExplainer(*services_.connection, *result, std::move(request), selection.items,
                                                selection.splits);
        explained_ = result;
    }
    return explainer_;
}

bool DetailDrillDown::explainable(const QModelIndex& index) {
    return index.isValid() && resultRowAt(index.row()) >= 0 && explainerNow() != nullptr;
}

GridDrillDown::ListReading DetailDrillDown::readingFor(const QModelIndex& index) {
    const int row = resultRowAt(index.row());
    auto explainer = explainerNow();
    if (row < 0 || !explainer) return {};
    const std::string label = ex::detailRowLabel(*window_.result(), row);
    QString subject = window_.titleText() + " " + rowText(row);
    if (!label.empty()) subject += " " + QString::fromStdString(label);
    return {[explainer, row]() -> reports::Outcome<ex::ExplanationList> {
                auto explained = explainer->explain(row);
                if (!explained.ok()) return explained.error();
                return ex::listOf(explained.value());
            },
            subject};
}

// ---- the reconciliation table

ReconciliationDrillDown::ReconciliationDrillDown(ReconciliationWindow& window, const WindowServices& services)
    : GridDrillDown(window, services), window_(window) {
    // Every table the window shows comes with new headings.
    connect(window.resultGrid()->pageModel(), &QAbstractItemModel::modelReset, this,
            &ReconciliationDrillDown::dropExplainer);
}

ReconciliationDrillDown::~ReconciliationDrillDown() = default;

void ReconciliationDrillDown::dropExplainer() { explainer_.reset(); }

std::shared_ptr<ex::ReconciliationExplainer> ReconciliationDrillDown::explainerNow() {
    if (explainer_) return explainer_;
    const auto& selection = window_.tableSelection();
    const auto& run = window_.lastRun();
    if (!selection || !services_.connection || run.end != rec::RunEnd::Completed) return nullptr;
    // A figure whose correction failed is not the sum of its lines.
    for (const auto& reported : run.reported)
        if (!reported.refusedSelection) return nullptr;
    if (run.table.rowCount() <= rec::ReconciliationTable::kHeadingRows) return nullptr;
    explainer_ = std::make_shared<ex::ReconciliationExplainer>(*services_.connection, *selection,
                                                               window_.invoiceTypeLists(), run.items, run.table);
    return explainer_;
}

bool ReconciliationDrillDown::explainable(const QModelIndex& index) {
    if (!index.isValid()) return false;
    auto explainer = explainerNow();
    // Grid rows are the table's rows, headings included.
    return explainer && explainer->explainable(index.row(), index.column());
}

GridDrillDown::ListReading ReconciliationDrillDown::readingFor(const QModelIndex& index) {
    auto explainer = explainerNow();
    if (!explainer) return {};
    const int row = index.row(), column = index.column();
    const auto& table = window_.table();
    using Columns = rec::ReconciliationColumns;
    QString heading = QString::fromStdString(table.text(0, column));
    if (table.text(1, column) != table.text(0, column)) heading += "/" + QString::fromStdString(table.text(1, column));
    QString subject = window_.titleText() + " " + rowText(row - rec::ReconciliationTable::kHeadingRows);
    for (int c : {Columns::kMonth, Columns::kRate})
        if (!table.text(row, c).empty()) subject += " " + QString::fromStdString(table.text(row, c));
    subject += " " + heading + " " + QString::fromStdString(table.text(row, column));
    return {[explainer, row, column]() -> reports::Outcome<ex::ExplanationList> {
                auto explained = explainer->explain(row, column);
                if (!explained.ok()) return explained.error();
                return ex::listOf(explained.value());
            },
            subject};
}

// ---- attaching

DetailDrillDown* attachDrillDown(ReportWindow& window, const WindowServices& services) {
    return new DetailDrillDown(window, services);
}

ReconciliationDrillDown* attachDrillDown(ReconciliationWindow& window, const WindowServices& services) {
    return new ReconciliationDrillDown(window, services);
}

}  // namespace tally::reportui
