#include "SplitRatioGrid.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>

#include "Notifier.h"
#include "ReportFonts.h"

namespace tally::reportui {
namespace {

// The heading texts with their trailing blanks: each column is as wide as its heading.
const char* const kHeadings[] = {"序  ", "停车费项目                   ", "开发商 ", "物业公司", ""};
const QColor kEditBoxColour(192, 192, 255);
const QColor kFixedCellColour(240, 240, 240);

QTableWidgetItem* cell(const QString& text, Qt::Alignment alignment) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    return item;
}

}  // namespace

SplitRatioGrid::SplitRatioGrid(Notifier& notifier, QWidget* parent)
    : QTableWidget(0, ColumnCount, parent), notifier_(notifier) {
    setObjectName("SplitRatioGrid");
    setFont(windowFont(9));
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    verticalHeader()->hide();
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(QFontMetrics(font()).height() + 6);

    const QFontMetrics metrics(font());
    QStringList labels;
    for (int c = 0; c < ColumnCount; ++c) {
        const QString heading = QString::fromUtf8(kHeadings[c]);
        labels << heading.trimmed();
        setColumnWidth(c, metrics.horizontalAdvance(heading) + 8);
    }
    setHorizontalHeaderLabels(labels);
    setColumnHidden(CodeColumn, true);

    editBox_ = new QLineEdit(parent);
    editBox_->setObjectName("RatioEditBox");
    editBox_->setFont(font());
    editBox_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    editBox_->setFrame(false);
    QPalette palette = editBox_->palette();
    palette.setColor(QPalette::Base, kEditBoxColour);
    editBox_->setPalette(palette);
    editBox_->hide();

    connect(this, &QTableWidget::currentCellChanged, this, [this] { placeEditBox(); });
    connect(editBox_, &QLineEdit::returnPressed, this, [this] { commitEditBox(); });
    // Clicking the cell that is already current edits it again.
    connect(this, &QTableWidget::cellClicked, this, [this] {
        if (!editBox_->isVisible()) placeEditBox();
    });
    // A box left behind by scrolling would sit over the wrong cell; its text is discarded.
    for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()})
        connect(bar, &QScrollBar::valueChanged, editBox_, &QWidget::hide);
}

void SplitRatioGrid::setRows(const reports::SplitRatioRows& rows) {
    editBox_->hide();
    setRowCount(0);
    setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < rowCount(); ++r) {
        const auto& row = rows[r];
        auto* number = cell(QString::number(r + 1), Qt::AlignHCenter);
        number->setFlags(Qt::ItemIsEnabled);
        number->setBackground(kFixedCellColour);
        setItem(r, NumberColumn, number);
        setItem(r, NameColumn, cell(QString::fromStdString(row.name), Qt::AlignLeft));
        setItem(r, DeveloperColumn, cell(QString::fromStdString(row.developerText), Qt::AlignRight));
        setItem(r, PropertyColumn, cell(QString::fromStdString(row.propertyText), Qt::AlignRight));
        reports::FeeItemSplit item;
        item.code = row.code;
        auto* code = cell(QString::fromStdString(item.quotedCode()), Qt::AlignLeft);
        code->setData(Qt::UserRole, QString::fromStdString(row.code));
        setItem(r, CodeColumn, code);
    }
}

reports::SplitRatioRows SplitRatioGrid::rows() const {
    reports::SplitRatioRows out;
    for (int r = 0; r < rowCount(); ++r) {
        reports::SplitRatioRow row;
        row.name = item(r, NameColumn)->text().toStdString();
        row.developerText = item(r, DeveloperColumn)->text().toStdString();
        row.propertyText = item(r, PropertyColumn)->text().toStdString();
        row.code = item(r, CodeColumn)->data(Qt::UserRole).toString().toStdString();
        out.push_back(std::move(row));
    }
    return out;
}

void SplitRatioGrid::placeEditBox() {
    editBox_->hide();
    const int column = currentColumn();
    const int row = currentRow();
    if (row < 0 || (column != DeveloperColumn && column != PropertyColumn)) return;
    const QRect cellRect = visualRect(model()->index(row, column));
    const QPoint topLeft = viewport()->mapTo(editBox_->parentWidget(), cellRect.topLeft());
    editBox_->setGeometry(QRect(topLeft, cellRect.size()));
    editBox_->setText(item(row, column)->text());
    editBox_->show();
    editBox_->raise();
    editBox_->setFocus();
    editBox_->selectAll();
}

void SplitRatioGrid::commitEditBox() {
    const int row = currentRow();
    const int column = currentColumn();
    if (row < 0 || (column != DeveloperColumn && column != PropertyColumn)) return;
    item(row, column)->setText(editBox_->text());
    if (column == DeveloperColumn) {
        setCurrentCell(row, PropertyColumn);
        return;
    }
    editBox_->hide();
    const std::string developer = item(row, DeveloperColumn)->text().toStdString();
    const std::string property = item(row, PropertyColumn)->text().toStdString();
    if (reports::splitAddsUpTo100(developer, property)) return;
    notifier_.notice(kSplitNotAt100);
    setCurrentCell(row, DeveloperColumn);
}

}  // namespace tally::reportui

namespace tally::reportui {

std::optional<reports::SplitRatioRows> SplitRatioGrid::percentagesForRun() {
    const int editedRow = currentRow();
    const int editedColumn = currentColumn();
    if (!editBox_->isHidden() && editedRow >= 0 && (editedColumn == DeveloperColumn || editedColumn == PropertyColumn))
        item(editedRow, editedColumn)->setText(editBox_->text());
    editBox_->hide();

    reports::SplitRatioRows used = rows();
    for (int r = 0; r < rowCount(); ++r) {
        auto row = reports::splitsForRun({used[r]});
        const bool numbers = row.ok();
        if (numbers && reports::splitAddsUpTo100(row.value()[0].developerText, row.value()[0].propertyText)) {
            used[r] = row.value()[0];
            continue;
        }
        notifier_.notice(numbers ? kSplitNotAt100 : row.error().messageText());
        // Back to the row's first percentage, as after a pair refused by Enter.
        if (currentRow() == r && currentColumn() == DeveloperColumn) placeEditBox();
        else setCurrentCell(r, DeveloperColumn);
        return std::nullopt;
    }
    for (int r = 0; r < rowCount(); ++r) {
        item(r, DeveloperColumn)->setText(QString::fromStdString(used[r].developerText));
        item(r, PropertyColumn)->setText(QString::fromStdString(used[r].propertyText));
    }
    return used;
}

}  // namespace tally::reportui
