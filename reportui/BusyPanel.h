#pragma once
// The small panel centred over the result grid that tells the user a long
// command is running, and the wait pointer that goes with it.
#include <QFrame>

class QLabel;

namespace tally::reportui {

class BusyPanel : public QFrame {
    Q_OBJECT
public:
    explicit BusyPanel(QWidget* parent = nullptr);

    void setCaption(const QString& caption);
    QString caption() const;

private:
    QLabel* caption_;
};

// While alive: the wait pointer and the panel with its caption, painted once
// before the long routine starts (the routine itself does not yield).
class BusyIndication {
public:
    BusyIndication(BusyPanel* panel, const QString& caption);
    ~BusyIndication();
    BusyIndication(const BusyIndication&) = delete;
    BusyIndication& operator=(const BusyIndication&) = delete;

private:
    BusyPanel* panel_;
};

}  // namespace tally::reportui
