#include "ReportBottomBar.h"

#include <QProgressBar>
#include <QPushButton>

#include "Twips.h"

namespace tally::reportui {
namespace {

constexpr int kExportLeft = 2250, kCommandWidth = 1305, kCommandHeight = 345;
constexpr int kCommandGap = 120;
constexpr int kProgressMargin = 30;

}  // namespace

void paintAsPanel(QWidget* region, const QString& name) {
    region->setObjectName(name);
    region->setAutoFillBackground(true);
    QPalette palette = region->palette();
    palette.setColor(QPalette::Window, kPanelColour);
    region->setPalette(palette);
}

ReportBottomBar::ReportBottomBar(QWidget* parent) : QWidget(parent) {
    paintAsPanel(this, "BottomBar");
    const int commandTop = (twipsY(kHeightTwips, this) - twipsY(kCommandHeight, this)) / 2;
    exportButton_ = new QPushButton("导出Excel", this);
    exportButton_->setObjectName("ExportButton");
    exportButton_->setGeometry(twipsX(kExportLeft, this), commandTop, twipsX(kCommandWidth, this),
                               twipsY(kCommandHeight, this));
    previewButton_ = new QPushButton("打印预览", this);
    previewButton_->setObjectName("PreviewButton");
    previewButton_->setGeometry(twipsX(kExportLeft + kCommandWidth + kCommandGap, this), commandTop,
                                twipsX(kCommandWidth, this), twipsY(kCommandHeight, this));
    exitButton_ = new QPushButton("退出", this);
    exitButton_->setObjectName("ExitButton");
    exitButton_->setGeometry(0, commandTop, twipsX(kCommandWidth, this), twipsY(kCommandHeight, this));
    progressBar_ = new QProgressBar(this);
    progressBar_->setObjectName("ProgressBar");
    progressBar_->setGeometry(twipsX(kProgressMargin, this), commandTop, 10, twipsY(kCommandHeight, this));
    progressBar_->hide();
}

// A width with no room for a control leaves it where it was.
void ReportBottomBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int width = this->width();
    // "退出" with the same margin at the right as "导出Excel" at the left.
    const int left = width - exitButton_->width() - exportButton_->x();
    if (left > 0) exitButton_->move(left, exitButton_->y());
    // The progress bar 30 in from the left edge and 60 narrower than the bar.
    const int margin = twipsX(kProgressMargin, this);
    if (width - 2 * margin > 0)
        progressBar_->setGeometry(margin, progressBar_->y(), width - 2 * margin, progressBar_->height());
}

}  // namespace tally::reportui
