#pragma once
// 连接设置: edits the four DBConfig values of the settings file. The server (host,
// host\instance, host,port, or an odbc: connection string) with login, password and database,
// or an embedded database file (saved as Svr=sqlite:PATH). The dialog is the only writer of
// the file; start-up only reads it.
#include <QDialog>

#include <string>

#include "Connection.h"
#include "ConnectionSettings.h"

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tally {
class Notifier;
}  // namespace tally

namespace tally::app {

class ConnectionSettingsDialog : public QDialog {
    Q_OBJECT
public:
    // Shows the values of `iniPath` (empty when the file is missing); messages go to `notifier`.
    ConnectionSettingsDialog(std::string iniPath, Notifier& notifier, QWidget* parent = nullptr);

    // The four values as Save writes them. In file mode Svr is "sqlite:" + the file; the
    // other fields are kept as typed.
    data::ConnectionSettings entered() const;
    // Fills the fields from the file again.
    void load();

    // 测试连接: opens a read-only connection with the entered values, asks the engine its
    // version and closes it; tells the user the answer or why it failed.
    void testConnection();
    // 保存: writes the four keys (temporary file renamed into place) and closes the dialog;
    // false, after telling the user, when the file cannot be written.
    bool save();

private:
    void showMode();
    void browse();

    std::string iniPath_;
    Notifier& notifier_;
    QRadioButton* optServer_;
    QRadioButton* optFile_;
    QLineEdit* txtServer_;
    QLineEdit* txtUser_;
    QLineEdit* txtPassword_;
    QLineEdit* txtDatabase_;
    QLineEdit* txtFile_;
    QPushButton* cmdBrowse_;
    QPushButton* cmdTest_;
    QPushButton* cmdSave_;
    QPushButton* cmdCancel_;
};

// What the engine behind `connection` says it is ("SQLite 3.40.1", SQL Server's @@VERSION).
// Throws DbError.
std::string engineAnswer(data::Connection& connection);

}  // namespace tally::app
