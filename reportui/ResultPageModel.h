#pragma once
// One page of a detail report's result as a table model.
//
// Model rows 0 and 1 are the two heading rows of the report's HeadingLayout
// (a grid's fixed rows, kept in the model so that merged headings are ordinary
// spans); model row 2 + i is data row i of the page. Column 0 of a data row is
// the row's number in the whole result, as the engine drew it.
#include <QAbstractTableModel>

#include <vector>

#include "DetailReport.h"
#include "Headings.h"

namespace tally::reportui {

class ResultPageModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kHeadingRows = 2;

    explicit ResultPageModel(QObject* parent = nullptr);

    // New headings; the page is cut back to the heading rows.
    void setHeadings(reports::HeadingLayout headings);
    const reports::HeadingLayout& headings() const { return headings_; }

    // Replaces the data rows with one page.
    void setPageRows(std::vector<reports::DrawnRow> rows);
    // Cuts the page back to the heading rows.
    void clearPageRows();
    int pageRowCount() const { return static_cast<int>(rows_.size()); }
    // The drawn row behind model row 2 + index.
    const reports::DrawnRow& pageRow(int index) const { return rows_.at(index); }

    QString cellText(int row, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    Qt::Alignment alignmentOf(int row, int column) const;

    reports::HeadingLayout headings_;
    std::vector<reports::DrawnRow> rows_;
};

}  // namespace tally::reportui
