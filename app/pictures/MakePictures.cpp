// Build step: writes the program's pictures into a folder.
//   tallyvane-make-pictures OUT_DIR  ->  banner.png, emblem.png, MDI.BMP and the desktop
//   icon: tallyvane-48.png, tallyvane-128.png, tallyvane.svg
#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>

#include "ProjectArt.h"

namespace {

bool save(const QImage& image, const QString& path, const char* format) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, format) || !file.commit()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

bool saveText(const QByteArray& text, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    // Runs during the build, where there may be no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tallyvane-make-pictures OUT_DIR\n");
        return 2;
    }
    QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(".")) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    const bool ok = save(tally::app::drawBanner(), out.filePath("banner.png"), "PNG") &&
                    save(tally::app::drawEmblem(64), out.filePath("emblem.png"), "PNG") &&
                    save(tally::app::drawBackground(), out.filePath("MDI.BMP"), "BMP") &&
                    save(tally::app::drawEmblem(48), out.filePath("tallyvane-48.png"), "PNG") &&
                    save(tally::app::drawEmblem(128), out.filePath("tallyvane-128.png"), "PNG") &&
                    saveText(tally::app::emblemSvg(), out.filePath("tallyvane.svg"));
    return ok ? 0 : 1;
}
