#include "PdfFile.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <cerrno>

#include "SheetError.h"
#include "TablePages.h"
#include "TempFile.h"

namespace tally::pdf {

std::filesystem::path writePdf(const PrintTable& table, const std::filesystem::path& file,
                               const exports::ExportProgress& progress) {
    const TablePages pages(table);
    sheet::TempFile temp(file, ".pdf");
    {
        // Our own QFile, because QPdfWriter does not report a failed write.
        QFile out(QString::fromStdString(temp.path().string()));
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            throw sheet::fileError(errno ? errno : EIO, "无法写入文件", file.string());
        QPdfWriter writer(&out);
        // One device unit a twip: the pages are laid out in twips.
        writer.setResolution(1440);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0)));
        writer.setTitle(QString::fromStdString(table.title));
        writer.setCreator("Tallyvane");
        QPainter painter;
        if (!painter.begin(&writer)) throw sheet::fileError(EIO, "无法写入文件", file.string());
        for (int p = 0; p < pages.pageCount(); ++p) {
            if (p > 0) writer.newPage();
            pages.paint(painter, p);
            if (progress) progress(p + 1, pages.pageCount());
        }
        painter.end();
        out.flush();
        if (out.error() != QFileDevice::NoError || out.size() == 0)
            throw sheet::fileError(errno ? errno : EIO, "无法写入文件", file.string());
        out.close();
    }
    temp.commitTo(file);
    return file;
}

}  // namespace tally::pdf
