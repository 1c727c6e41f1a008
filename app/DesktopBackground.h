#pragma once
// The main window's desktop: MDI.BMP from the program's folder, stretched over the whole
// client area and redrawn on every resize. A missing or unreadable file leaves the desktop
// plain, without a message.
#include <QMdiArea>
#include <QPixmap>
#include <QString>

namespace tally::app {

// MDI.BMP next to the program; for an installed program, where there is none, the one in
// the program's data folder (<bin>/../share/tallyvane).
QString defaultBackgroundFile();

// The picture stretched to `clientSize`; null when the file cannot be read.
QPixmap stretchedBackground(const QString& file, const QSize& clientSize);

class PictureMdiArea : public QMdiArea {
public:
    explicit PictureMdiArea(QWidget* parent = nullptr);
    void setBackgroundFile(const QString& file);
    bool hasBackgroundPicture() const { return hasPicture_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void refreshBackground();

    QString file_;
    QBrush plain_;
    bool hasPicture_ = false;
};

}  // namespace tally::app
