#pragma once
// Picture1: the picture strip along the top of the main window. Its banner stays drawn at
// the left edge; a slice of it is repeated to fill extra width and the banner's right-hand
// part is drawn against the right edge (see StripPlan.h).
#include <QImage>
#include <QWidget>

namespace tally::app {

class BannerStrip : public QWidget {
public:
    explicit BannerStrip(QWidget* parent = nullptr);
    const QImage& banner() const { return banner_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage banner_;
};

}  // namespace tally::app
