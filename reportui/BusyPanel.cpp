#include "BusyPanel.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>

#include "ReportFonts.h"
#include "Twips.h"

namespace tally::reportui {

BusyPanel::BusyPanel(QWidget* parent) : QFrame(parent) {
    setObjectName("BusyPanel");
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(192, 192, 255));
    palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
    setPalette(palette);
    resize(twipsX(5340, this), twipsY(495, this));

    caption_ = new QLabel(this);
    caption_->setObjectName("BusyCaption");
    caption_->setFont(windowFont(10.5, true));
    caption_->setAlignment(Qt::AlignCenter);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(caption_);
    hide();
}

void BusyPanel::setCaption(const QString& caption) { caption_->setText(caption); }

QString BusyPanel::caption() const { return caption_->text(); }

BusyIndication::BusyIndication(BusyPanel* panel, const QString& caption) : panel_(panel) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    panel_->setCaption(caption);
    panel_->show();
    panel_->raise();
    // One pass so that the panel and the pointer are painted before the query blocks.
    QCoreApplication::processEvents();
}

BusyIndication::~BusyIndication() {
    panel_->hide();
    QApplication::restoreOverrideCursor();
}

}  // namespace tally::reportui
