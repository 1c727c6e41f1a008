#include "BusyPanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

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
    cancel_ = new QPushButton(kCancelText, this);
    cancel_->setObjectName("BusyCancel");
    cancel_->setFont(windowFont(9));
    cancel_->setFocusPolicy(Qt::NoFocus);  // Enter in the window never cancels by accident
    connect(cancel_, &QPushButton::clicked, this, &BusyPanel::cancelRequested);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(caption_, 1);
    layout->addWidget(cancel_);
    hide();
}

void BusyPanel::setCaption(const QString& caption) { caption_->setText(caption); }

QString BusyPanel::caption() const { return caption_->text(); }

}  // namespace tally::reportui
