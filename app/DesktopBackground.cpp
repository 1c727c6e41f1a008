#include "DesktopBackground.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace tally::app {

QString defaultBackgroundFile() {
    const QDir programFolder(QCoreApplication::applicationDirPath());
    const QString beside = programFolder.filePath("MDI.BMP");
    if (QFileInfo::exists(beside)) return beside;
    const QString installed = QDir::cleanPath(programFolder.filePath(TALLYVANE_DATA_FROM_BIN "/MDI.BMP"));
    return QFileInfo::exists(installed) ? installed : beside;
}

QPixmap stretchedBackground(const QString& file, const QSize& clientSize) {
    if (clientSize.isEmpty()) return {};
    QImageReader reader(file);
    const QImage picture = reader.read();
    if (picture.isNull()) return {};
    return QPixmap::fromImage(picture.scaled(clientSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

PictureMdiArea::PictureMdiArea(QWidget* parent)
    : QMdiArea(parent), file_(defaultBackgroundFile()), plain_(background()) {}

void PictureMdiArea::setBackgroundFile(const QString& file) {
    file_ = file;
    refreshBackground();
}

void PictureMdiArea::resizeEvent(QResizeEvent* event) {
    QMdiArea::resizeEvent(event);
    refreshBackground();
}

void PictureMdiArea::refreshBackground() {
    const QPixmap picture = stretchedBackground(file_, viewport()->size());
    hasPicture_ = !picture.isNull();
    setBackground(hasPicture_ ? QBrush(picture) : plain_);
}

}  // namespace tally::app
