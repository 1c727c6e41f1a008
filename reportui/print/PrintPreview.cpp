#include "PrintPreview.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "Notifier.h"
#include "PdfFile.h"
#include "SheetError.h"
#include "Utf8Path.h"

namespace tally::reportui {
namespace {

std::unique_ptr<QPrinter> askForPrinter(QWidget* parent) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(printer.get(), parent);
    if (dialog.exec() != QDialog::Accepted) return nullptr;
    return printer;
}

std::optional<QString> askForPdfFile(QWidget* parent, const QString& proposedName) {
    const QString name = QFileDialog::getSaveFileName(parent, "另存为PDF", proposedName + ".pdf", "PDF 文件 (*.pdf)");
    if (name.isEmpty()) return std::nullopt;
    return name;
}

// The paper's twips onto a device of `width` pixels.
void scaleToWidth(QPainter& painter, double width) {
    const double scale = width / pdf::TablePages::paperTwips().width();
    painter.scale(scale, scale);
}

}  // namespace

PageView::PageView(const pdf::TablePages& pages, QWidget* parent) : QWidget(parent), pages_(pages) {
    setObjectName("PageView");
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void PageView::setPage(int page) {
    page_ = std::clamp(page, 0, pages_.pageCount() - 1);
    update();
}

QSize PageView::sizeHint() const { return {1100, heightForWidth(1100)}; }

int PageView::heightForWidth(int width) const {
    const QSizeF paper = pdf::TablePages::paperTwips();
    return static_cast<int>(width * paper.height() / paper.width());
}

void PageView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setRenderHint(QPainter::TextAntialiasing);
    scaleToWidth(painter, width());
    pages_.paint(painter, page_);
    ++painted_;
}

bool printTablePages(const pdf::TablePages& pages, QPrinter& printer) {
    printer.setFullPage(true);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const double width = printer.pageLayout().fullRectPixels(printer.resolution()).width();
    for (int p = 0; p < pages.pageCount(); ++p) {
        if (p > 0) printer.newPage();
        painter.save();
        scaleToWidth(painter, width);
        pages.paint(painter, p);
        painter.restore();
    }
    return painter.end();
}

PrintPreview::PrintPreview(pdf::PrintTable table, QString proposedName, Notifier& notifier,
                           PreviewEnvironment environment, QWidget* parent)
    : QDialog(parent),
      pages_(std::move(table)),
      proposedName_(std::move(proposedName)),
      notifier_(notifier),
      environment_(std::move(environment)) {
    setObjectName("PrintPreview");
    setWindowTitle("打印预览");
    if (!environment_.choosePrinter) environment_.choosePrinter = askForPrinter;
    if (!environment_.choosePdfFile) environment_.choosePdfFile = askForPdfFile;

    auto* bar = new QHBoxLayout;
    print_ = new QPushButton("打印", this);
    print_->setObjectName("PrintButton");
    save_ = new QPushButton("另存为PDF", this);
    save_->setObjectName("SavePdfButton");
    previous_ = new QPushButton("上一页", this);
    previous_->setObjectName("PreviousPageButton");
    next_ = new QPushButton("下一页", this);
    next_->setObjectName("NextPageButton");
    pageLabel_ = new QLabel(this);
    pageLabel_->setObjectName("PageLabel");
    auto* close = new QPushButton("关闭", this);
    close->setObjectName("CloseButton");
    for (QWidget* w : std::initializer_list<QWidget*>{print_, save_, previous_, pageLabel_, next_}) bar->addWidget(w);
    bar->addStretch();
    bar->addWidget(close);

    view_ = new PageView(pages_, this);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setWidget(view_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(scroll);
    resize(1180, 860);

    connect(previous_, &QPushButton::clicked, this, [this] { showPage(currentPage() - 1); });
    connect(next_, &QPushButton::clicked, this, [this] { showPage(currentPage() + 1); });
    connect(print_, &QPushButton::clicked, this, &PrintPreview::printPages);
    connect(save_, &QPushButton::clicked, this, &PrintPreview::saveAsPdf);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    showPage(0);
}

void PrintPreview::showPage(int page) {
    view_->setPage(page);
    const int shown = view_->page();
    pageLabel_->setText(QString("第 %1 页 共 %2 页").arg(shown + 1).arg(pages_.pageCount()));
    previous_->setEnabled(shown > 0);
    next_->setEnabled(shown + 1 < pages_.pageCount());
}

void PrintPreview::printPages() {
    std::unique_ptr<QPrinter> printer = environment_.choosePrinter(this);
    if (!printer) return;
    if (!printTablePages(pages_, *printer)) notifier_.notice("打印失败，请检查打印机设置！");
}

void PrintPreview::saveAsPdf() {
    const std::optional<QString> name = environment_.choosePdfFile(this, proposedName_);
    if (!name) return;
    try {
        pdf::writePdf(pages_.table(), utf8Path(name->toStdString()));
        notifier_.notice("PDF 文件已保存！");
    } catch (const sheet::SheetError& e) {
        notifier_.notice(e.messageText());
    }
}

}  // namespace tally::reportui
