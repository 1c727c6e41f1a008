#pragma once
// The bar under a report window's result: "导出Excel" and "打印预览" at its left, "退出" as far
// from its right edge, and the progress bar across it (shown only during an
// export, while the two commands are hidden). It keeps them in place itself when
// the window resizes it.
#include <QWidget>

class QProgressBar;
class QPushButton;

namespace tally::reportui {

// The light orange of the report windows' banners, panels and bottom bars.
inline const QColor kPanelColour(255, 224, 192);

// Gives a region that background and a name.
void paintAsPanel(QWidget* region, const QString& name);

class ReportBottomBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeightTwips = 585;

    explicit ReportBottomBar(QWidget* parent = nullptr);

    QPushButton* exportButton() const { return exportButton_; }
    QPushButton* previewButton() const { return previewButton_; }
    QPushButton* exitButton() const { return exitButton_; }
    QProgressBar* progressBar() const { return progressBar_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QPushButton* exportButton_;
    QPushButton* previewButton_;
    QPushButton* exitButton_;
    QProgressBar* progressBar_;
};

}  // namespace tally::reportui
