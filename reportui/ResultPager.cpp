#include "ResultPager.h"

#include <QLineEdit>

#include "PageNavigator.h"
#include "ResultGrid.h"

namespace tally::reportui {

ResultPager::ResultPager(ResultGrid* grid, PageNavigator* navigator, QObject* parent)
    : QObject(parent), grid_(grid), navigator_(navigator) {
    connect(navigator_, &PageNavigator::firstRequested, this, &ResultPager::first);
    connect(navigator_, &PageNavigator::previousRequested, this, &ResultPager::previous);
    connect(navigator_, &PageNavigator::nextRequested, this, &ResultPager::next);
    connect(navigator_, &PageNavigator::lastRequested, this, &ResultPager::last);
    connect(navigator_, &PageNavigator::pageEntered, this, &ResultPager::goToBoxPage);
}

void ResultPager::setPageSize(int rows) {
    rows = rows < 1 ? 1 : rows;
    if (rows == paging_.pageSize) return;
    if (!hasRows()) {
        paging_.pageSize = rows;
        return;
    }
    paging_.resize(rows, result_->rowCount());
    showPage(paging_.currentPage);
}

void ResultPager::startRun() {
    paging_.currentPage = 1;
    grid_->clearRows();
}

bool ResultPager::finishRun(std::shared_ptr<const reports::ReportResult> result) {
    result_ = std::move(result);
    if (!hasRows()) {
        grid_->clearRows();
        navigator_->setLabel(QString::fromStdString(reports::pageLabel(0, 0)));
        emit resultChanged();
        return false;
    }
    paging_.pageCount = reports::pageCountFor(result_->rowCount(), paging_.pageSize);
    showPage(paging_.currentPage);
    emit resultChanged();
    return true;
}

void ResultPager::showPage(int page) {
    paging_.currentPage = page;
    std::vector<reports::DrawnRow> rows;
    if (result_) {
        const int end = paging_.endRow(page, result_->rowCount());
        for (int i = paging_.firstRow(page); i < end; ++i) rows.push_back(result_->drawRow(i));
    }
    grid_->showRows(std::move(rows));
    navigator_->setLabel(QString::fromStdString(paging_.label()));
}

void ResultPager::first() { turnPage(&reports::Paging::first); }
void ResultPager::previous() { turnPage(&reports::Paging::previous); }
void ResultPager::next() { turnPage(&reports::Paging::next); }
void ResultPager::last() { turnPage(&reports::Paging::last); }

void ResultPager::turnPage(void (reports::Paging::*step)()) {
    if (!hasRows()) return;
    (paging_.*step)();
    showPage(paging_.currentPage);
}

void ResultPager::goToBoxPage(const QString& text) {
    if (!hasRows()) return;
    const auto page = reports::pageFromBox(text.toStdString(), paging_.pageCount);
    if (!page) {
        navigator_->pageBox()->clear();
        return;
    }
    showPage(*page);
}

}  // namespace tally::reportui
