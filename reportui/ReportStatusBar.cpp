#include "ReportStatusBar.h"

#include <QDateTime>
#include <QLabel>
#include <QTimer>

#include "ReportFonts.h"

namespace tally::reportui {

ReportStatusBar::ReportStatusBar(QWidget* parent) : QStatusBar(parent), clock_(new QTimer(this)) {
    setObjectName("StatusBar");
    setFont(windowFont(9));
    setSizeGripEnabled(false);
    const char* const texts[kPanelCount] = {"操作员", "", "部门", "", "岗位", "", "Tallyvane 统计报表", "", ""};
    const int stretch[kPanelCount] = {0, 1, 0, 1, 0, 1, 2, 0, 0};
    for (int i = 0; i < kPanelCount; ++i) {
        panels_[i] = new QLabel(QString::fromUtf8(texts[i]), this);
        panels_[i]->setObjectName(QString("StatusPanel%1").arg(i + 1));
        panels_[i]->setFrameShape(QFrame::Panel);
        panels_[i]->setFrameShadow(QFrame::Sunken);
        panels_[i]->setMinimumWidth(40);
        addPermanentWidget(panels_[i], stretch[i]);
    }
    refreshClock();
    connect(clock_, &QTimer::timeout, this, &ReportStatusBar::refreshClock);
    clock_->start(1000);
}

QLabel* ReportStatusBar::panel(int index) const { return panels_[index]; }

void ReportStatusBar::refreshClock() {
    const QDateTime now = QDateTime::currentDateTime();
    panels_[DatePanel]->setText(now.date().toString("yyyy-MM-dd"));
    panels_[TimePanel]->setText(now.time().toString("HH:mm:ss"));
}

}  // namespace tally::reportui
