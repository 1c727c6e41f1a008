#include "ConnectionSettingsDialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "Connection.h"
#include "DbError.h"
#include "Notifier.h"
#include "OdbcConnection.h"
#include "OpenDatabase.h"

namespace tally::app {
namespace {

constexpr std::string_view kSqlitePrefix = "sqlite:";
const char* const kTitle = "连接设置";

template <typename T>
T* named(T* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

QString fromStd(const std::string& text) { return QString::fromStdString(text); }
std::string toStd(const QLineEdit* edit) { return edit->text().toStdString(); }

std::string firstValue(data::Connection& connection, std::string_view sql) {
    auto rs = connection.open(sql);
    return rs->eof() ? std::string() : rs->field(0).text();
}

}  // namespace

std::string engineAnswer(data::Connection& connection) {
    const auto* odbc = dynamic_cast<const data::OdbcConnection*>(&connection);
    if (connection.engineName() == "sqlite" || (odbc && odbc->dbmsName().find("SQLite") != std::string::npos))
        return "SQLite " + firstValue(connection, "SELECT sqlite_version()");
    std::string version = firstValue(connection, "SELECT @@VERSION");
    // SQL Server's answer runs over several lines; the first names product and version.
    if (auto end = version.find('\n'); end != std::string::npos) version.erase(end);
    return version;
}

ConnectionSettingsDialog::ConnectionSettingsDialog(std::string iniPath, Notifier& notifier, QWidget* parent)
    : QDialog(parent),
      iniPath_(std::move(iniPath)),
      notifier_(notifier),
      optServer_(named(new QRadioButton("数据库服务器", this), "optServer")),
      optFile_(named(new QRadioButton("数据库文件", this), "optFile")),
      txtServer_(named(new QLineEdit(this), "txtServer")),
      txtUser_(named(new QLineEdit(this), "txtUser")),
      txtPassword_(named(new QLineEdit(this), "txtPassword")),
      txtDatabase_(named(new QLineEdit(this), "txtDatabase")),
      txtFile_(named(new QLineEdit(this), "txtFile")),
      cmdBrowse_(named(new QPushButton("浏览...", this), "cmdBrowse")),
      cmdTest_(named(new QPushButton("测试连接", this), "cmdTest")),
      cmdSave_(named(new QPushButton("保存", this), "cmdSave")),
      cmdCancel_(named(new QPushButton("取消", this), "cmdCancel")) {
    setObjectName("frmConnectionSettings");
    setWindowTitle(kTitle);
    txtPassword_->setEchoMode(QLineEdit::Password);
    txtServer_->setPlaceholderText("host, host\\instance 或 host,port");
    txtFile_->setPlaceholderText("SQLite 数据库文件");

    auto* server = new QFormLayout;
    server->addRow("服务器:", txtServer_);
    server->addRow("用户名:", txtUser_);
    server->addRow("密码:", txtPassword_);
    server->addRow("数据库:", txtDatabase_);
    auto* file = new QHBoxLayout;
    file->addWidget(txtFile_, 1);
    file->addWidget(cmdBrowse_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdTest_);
    buttons->addStretch();
    buttons->addWidget(cmdSave_);
    buttons->addWidget(cmdCancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(optServer_);
    layout->addLayout(server);
    layout->addWidget(optFile_);
    layout->addLayout(file);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(optServer_, &QRadioButton::toggled, this, &ConnectionSettingsDialog::showMode);
    connect(cmdBrowse_, &QPushButton::clicked, this, &ConnectionSettingsDialog::browse);
    connect(cmdTest_, &QPushButton::clicked, this, &ConnectionSettingsDialog::testConnection);
    connect(cmdSave_, &QPushButton::clicked, this, &ConnectionSettingsDialog::save);
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);
    cmdSave_->setDefault(true);
    setMinimumWidth(440);
    load();
}

void ConnectionSettingsDialog::load() {
    const data::ConnectionSettings s = data::readConnectionSettings(iniPath_);
    const bool isFile = s.server.rfind(kSqlitePrefix, 0) == 0;
    txtServer_->setText(isFile ? QString() : fromStd(s.server));
    txtFile_->setText(isFile ? fromStd(s.server.substr(kSqlitePrefix.size())) : QString());
    txtUser_->setText(fromStd(s.login));
    txtPassword_->setText(fromStd(s.password));
    txtDatabase_->setText(fromStd(s.catalog));
    (isFile ? optFile_ : optServer_)->setChecked(true);
    showMode();
}

data::ConnectionSettings ConnectionSettingsDialog::entered() const {
    data::ConnectionSettings s;
    s.server = optFile_->isChecked() ? std::string(kSqlitePrefix) + toStd(txtFile_) : toStd(txtServer_);
    s.login = toStd(txtUser_);
    s.password = toStd(txtPassword_);
    s.catalog = toStd(txtDatabase_);
    return s;
}

void ConnectionSettingsDialog::showMode() {
    const bool server = optServer_->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(txtServer_), static_cast<QWidget*>(txtUser_),
                       static_cast<QWidget*>(txtPassword_), static_cast<QWidget*>(txtDatabase_)})
        w->setEnabled(server);
    txtFile_->setEnabled(!server);
    cmdBrowse_->setEnabled(!server);
}

void ConnectionSettingsDialog::browse() {
    const QString file = QFileDialog::getOpenFileName(this, "选择数据库文件", txtFile_->text(),
                                                      "SQLite 数据库 (*.sqlite *.db *.sqlite3);;所有文件 (*)");
    if (!file.isEmpty()) txtFile_->setText(file);
}

void ConnectionSettingsDialog::testConnection() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    UserMessage message{"", kTitle};
    try {
        // Opened read-only like the program's own connection, and closed at once.
        std::unique_ptr<data::Connection> connection = data::connect(entered());
        message.text = "连接成功：" + engineAnswer(*connection);
    } catch (const data::DbError& e) {
        message.text = "连接失败：" + e.description();
    } catch (const std::exception& e) {
        message.text = "连接失败：" + std::string(e.what());
    }
    QApplication::restoreOverrideCursor();
    notifier_.tell(message);
}

bool ConnectionSettingsDialog::save() {
    const std::string whyNot = data::writeConnectionSettings(entered(), iniPath_);
    if (!whyNot.empty()) {
        notifier_.tell({"保存失败：" + whyNot, kTitle});
        return false;
    }
    accept();
    return true;
}

}  // namespace tally::app
