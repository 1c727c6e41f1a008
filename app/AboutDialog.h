#pragma once
// The About window: the suite's name, the program's version and a button that starts the
// desktop's system-information tool. Modeless, deleted when closed.
#include <QDialog>
#include <QPointer>

class QLabel;
class QPushButton;

namespace tally {
class Notifier;
}  // namespace tally

namespace tally::app {

// Centres `window`, frame included, over `frameClient` (the main window's desktop).
void CentreInFrame(QWidget* window, const QWidget* frameClient);

// "major.minor.revision" of this build.
QString programVersion();

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    AboutDialog(const QWidget* frameClient, Notifier& notifier, QWidget* parent);

    // Starts the system-information tool, or tells the user it is unavailable.
    void StartSysInfo();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPointer<const QWidget> frameClient_;
    Notifier& notifier_;
    bool placed_ = false;
    QLabel* lblTitle_;
    QLabel* Label7_;
    QPushButton* cmdOK_;
    QPushButton* cmdSysInfo_;
};

}  // namespace tally::app
