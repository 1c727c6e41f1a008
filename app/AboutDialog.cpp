#include "AboutDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "Notifier.h"
#include "SystemInformation.h"

namespace tally::app {
namespace {

QLabel* namedLabel(const QString& name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    return label;
}

QPushButton* namedButton(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

}  // namespace

QString programVersion() {
    return QString("%1.%2.%3").arg(TALLYVANE_VERSION_MAJOR).arg(TALLYVANE_VERSION_MINOR).arg(TALLYVANE_VERSION_PATCH);
}

void CentreInFrame(QWidget* window, const QWidget* frameClient) {
    const QSize outer = window->frameGeometry().size();
    const QPoint offset((frameClient->width() - outer.width()) / 2, (frameClient->height() - outer.height()) / 2);
    window->move(frameClient->mapToGlobal(offset));
}

AboutDialog::AboutDialog(const QWidget* frameClient, Notifier& notifier, QWidget* parent)
    : QDialog(parent),
      frameClient_(frameClient),
      notifier_(notifier),
      lblTitle_(namedLabel("lblTitle", this)),
      Label7_(namedLabel("Label7", this)),
      cmdOK_(namedButton("cmdOK", "确定", this)),
      cmdSysInfo_(namedButton("cmdSysInfo", "系统信息", this)) {
    setObjectName("frmAbout");  // the name scripts and tests look the window up by
    setWindowTitle("关于Korvane系统2011版");
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    auto* picture = namedLabel("picIcon", this);
    picture->setPixmap(QPixmap(":/tallyvane/emblem.png"));
    picture->setAlignment(Qt::AlignTop);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdSysInfo_);

    auto* layout = new QGridLayout(this);
    layout->addWidget(picture, 0, 0, 2, 1);
    layout->addWidget(lblTitle_, 0, 1);
    layout->addWidget(Label7_, 1, 1);
    layout->setRowStretch(2, 1);
    layout->addLayout(buttons, 3, 0, 1, 2);
    layout->setColumnStretch(1, 1);

    connect(cmdOK_, &QPushButton::clicked, this, &QWidget::close);
    connect(cmdSysInfo_, &QPushButton::clicked, this, &AboutDialog::StartSysInfo);
    cmdOK_->setDefault(true);

    lblTitle_->setText("Korvane系统2011版的一部分");
    Label7_->setText("系统信息设置系统" + programVersion());
    setFixedSize(qMax(420, sizeHint().width()), qMax(180, sizeHint().height()));
}

void AboutDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Placed once, when first shown: only then does the window know its frame.
    if (placed_ || !frameClient_) return;
    placed_ = true;
    CentreInFrame(this, frameClient_);
}

void AboutDialog::StartSysInfo() {
    if (startSystemInformationProgram()) return;
    notifier_.tell({"此时系统信息不可用", "Tallyvane", MessageIcon::None, MessageButtons::Ok});
}

}  // namespace tally::app
