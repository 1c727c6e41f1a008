#pragma once
// The print preview of a report: one page at a time, painted only when it is shown, so a
// year of rows opens as fast as a month; "打印" prints every page through the printer the
// user picks, "另存为PDF" writes the PDF file. What it asks the outside world (the printer,
// the file name) comes through its environment, so tests drive it without modal dialogs.
#include <QDialog>

#include <functional>
#include <memory>
#include <optional>

#include "TablePages.h"

class QLabel;
class QPrinter;
class QPushButton;

namespace tally {
class Notifier;
}  // namespace tally

namespace tally::reportui {

struct PreviewEnvironment {
    // A printer set up by the user, or null when the user cancels. Default: QPrintDialog.
    std::function<std::unique_ptr<QPrinter>(QWidget* parent)> choosePrinter;
    // The PDF file to write, or nullopt on cancel. Default: the save dialog.
    std::function<std::optional<QString>(QWidget* parent, const QString& proposedName)> choosePdfFile;
};

// The page on screen: the paper at the widget's width, painted when shown.
class PageView : public QWidget {
    Q_OBJECT
public:
    PageView(const pdf::TablePages& pages, QWidget* parent);
    void setPage(int page);
    int page() const { return page_; }
    // How many times a page has been painted, for the tests of lazy painting.
    int paintedPages() const { return painted_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    int heightForWidth(int width) const override;
    bool hasHeightForWidth() const override { return true; }

private:
    const pdf::TablePages& pages_;
    int page_ = 0;
    int painted_ = 0;
};

class PrintPreview : public QDialog {
    Q_OBJECT
public:
    // `proposedName`: the file name the save dialog proposes, without extension.
    PrintPreview(pdf::PrintTable table, QString proposedName, Notifier& notifier, PreviewEnvironment environment = {},
                 QWidget* parent = nullptr);

    const pdf::TablePages& pages() const { return pages_; }
    int currentPage() const { return view_->page(); }
    void showPage(int page);

    // Commands, as the buttons run them.
    void printPages();
    void saveAsPdf();

    PageView* pageView() const { return view_; }
    QLabel* pageLabel() const { return pageLabel_; }
    QPushButton* previousButton() const { return previous_; }
    QPushButton* nextButton() const { return next_; }
    QPushButton* printButton() const { return print_; }
    QPushButton* saveButton() const { return save_; }

private:
    pdf::TablePages pages_;
    QString proposedName_;
    Notifier& notifier_;
    PreviewEnvironment environment_;
    PageView* view_ = nullptr;
    QLabel* pageLabel_ = nullptr;
    QPushButton* previous_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* save_ = nullptr;
};

// Paints every page onto `printer`, one sheet of paper each. Returns false when the
// printer could not be started.
bool printTablePages(const pdf::TablePages& pages, QPrinter& printer);

}  // namespace tally::reportui
