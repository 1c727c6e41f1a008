#pragma once
// Pages a report result through the result grid: keeps the result of the last
// run and the paging state, draws a page, writes the page label, and answers the
// navigator. The arithmetic itself is reports::Paging.
#include <QObject>

#include <memory>

#include "DetailReport.h"
#include "Paging.h"

namespace tally::reportui {

class PageNavigator;
class ResultGrid;

class ResultPager : public QObject {
    Q_OBJECT
public:
    ResultPager(ResultGrid* grid, PageNavigator* navigator, QObject* parent = nullptr);

    // Rows per page; at least 1. While rows are shown the page count follows at once and
    // the page holding the first row shown is drawn, so no row is skipped.
    void setPageSize(int rows);
    int pageSize() const { return paging_.pageSize; }

    // Before a run: current page 1, the grid cut back to its headings.
    void startRun();
    // After a run: keeps the result (null counts as empty). With rows the page
    // count is set and page 1 drawn; without, the label reads 第 00 页 共 00 页 and
    // the page count keeps its old value. Returns whether there are rows.
    bool finishRun(std::shared_ptr<const reports::ReportResult> result);

    // Draws page `page` (rows beyond the result draw nothing) and writes its label.
    void showPage(int page);

    bool hasRows() const { return result_ && result_->rowCount() > 0; }
    std::shared_ptr<const reports::ReportResult> result() const { return result_; }
    const reports::Paging& paging() const { return paging_; }

    // Navigation; each does nothing while there is no row.
    void first();
    void previous();
    void next();
    void last();
    void goToBoxPage(const QString& text);

signals:
    // finishRun() has replaced the result (with rows or without).
    void resultChanged();

private:
    // One navigation step: moves the current page and draws it.
    void turnPage(void (reports::Paging::*step)());

    ResultGrid* grid_;
    PageNavigator* navigator_;
    std::shared_ptr<const reports::ReportResult> result_;
    reports::Paging paging_;
};

}  // namespace tally::reportui
