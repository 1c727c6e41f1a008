#include "SelectionPanel.h"

#include <QDate>
#include <QDateEdit>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "ReportFonts.h"
#include "SplitRatioGrid.h"
#include "Twips.h"

namespace tally::reportui {
namespace {

constexpr int kListTop = 4035;

QLabel* sectionLabel(const QString& text, QWidget* parent, int x, int y) {
    auto* label = new QLabel(text, parent);
    label->setFont(windowFont(9, true));
    label->adjustSize();
    label->move(twipsX(x, parent), twipsY(y, parent));
    return label;
}

void placeTwips(QWidget* widget, int x, int y, int width, int height) {
    widget->setGeometry(twipsX(x, widget), twipsY(y, widget), twipsX(width, widget), twipsY(height, widget));
}

}  // namespace

SelectionPanel::SelectionPanel(const QString& periodLabel, Notifier& notifier, QWidget* parent) : QWidget(parent) {
    setObjectName("SelectionPanel");
    setFont(windowFont(9));

    auto* periodBox = new QFrame(this);
    periodBox->setObjectName("PeriodBox");
    periodBox->setFrameShape(QFrame::StyledPanel);
    placeTwips(periodBox, 90, 120, 4290, 1365);
    sectionLabel(periodLabel, periodBox, 345, 75)->setObjectName("PeriodLabel");
    startPicker_ = makePicker(periodBox, "StartDatePicker", 285, 360);
    auto* to = new QLabel("至", periodBox);
    to->move(twipsX(1965, this), twipsY(405, this));
    endPicker_ = makePicker(periodBox, "EndDatePicker", 2265, 360);

    extractButton_ = new QPushButton("提取收费项目", periodBox);
    extractButton_->setObjectName("ExtractButton");
    placeTwips(extractButton_, 345, 870, 1290, 345);
    startButton_ = new QPushButton("开始统计", periodBox);
    startButton_->setObjectName("StartButton");
    placeTwips(startButton_, 2385, 885, 1290, 345);

    sectionLabel("设置停车费分账比例", this, 180, 1575);
    splitGrid_ = new SplitRatioGrid(notifier, this);
    placeTwips(splitGrid_, 105, 1860, 4290, 1770);

    sectionLabel("选择部门", this, 165, 3735);
    departmentList_ = new QListWidget(this);
    departmentList_->setObjectName("DepartmentList");
    departmentList_->setSelectionMode(QAbstractItemView::SingleSelection);
    placeTwips(departmentList_, 90, kListTop, 4305, 1200);
}

QDateEdit* SelectionPanel::makePicker(QWidget* parent, const QString& name, int x, int y) {
    auto* picker = new QDateEdit(QDate::currentDate(), parent);
    picker->setObjectName(name);
    picker->setDisplayFormat("yyyy-MM-dd");
    picker->setCalendarPopup(true);
    placeTwips(picker, x, y, 1605, 375);
    return picker;
}

void SelectionPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int height = this->height() - departmentList_->y();
    if (height > 0) departmentList_->resize(departmentList_->width(), height);
}

}  // namespace tally::reportui
