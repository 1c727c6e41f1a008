#pragma once
// The small panel centred over the result grid that tells the user a long
// command is running, with the 取消 button that stops it.
#include <QFrame>

class QLabel;
class QPushButton;

namespace tally::reportui {

class BusyPanel : public QFrame {
    Q_OBJECT
public:
    explicit BusyPanel(QWidget* parent = nullptr);

    static constexpr const char* kCancelText = "取消";
    // While another window's run holds the connection.
    static constexpr const char* kWaitingCaption = "正在等待其他窗口的统计完成……";

    void setCaption(const QString& caption);
    QString caption() const;
    QPushButton* cancelButton() const { return cancel_; }

signals:
    // 取消 was clicked.
    void cancelRequested();

private:
    QLabel* caption_;
    QPushButton* cancel_;
};

}  // namespace tally::reportui
