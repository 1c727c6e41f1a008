#pragma once
// The strip above the result grid: first/previous buttons, the page label,
// next/last buttons, and the "转到 [box] 页" page-number box (Enter only).
// It only reports what the user did; ResultPager decides what that means.
#include <QWidget>

class QLabel;
class QLineEdit;
class QToolButton;

namespace tally::reportui {

class PageNavigator : public QWidget {
    Q_OBJECT
public:
    explicit PageNavigator(QWidget* parent = nullptr);

    void setLabel(const QString& text);
    QString labelText() const;

    QLineEdit* pageBox() const { return pageBox_; }
    QToolButton* firstButton() const { return first_; }
    QToolButton* previousButton() const { return previous_; }
    QToolButton* nextButton() const { return next_; }
    QToolButton* lastButton() const { return last_; }

signals:
    void firstRequested();
    void previousRequested();
    void nextRequested();
    void lastRequested();
    // Enter in the page-number box, with the box's text.
    void pageEntered(const QString& text);

private:
    QToolButton* makeButton(const QString& tooltip, const QString& name, bool pointsLeft, int x);

    QToolButton* first_;
    QToolButton* previous_;
    QToolButton* next_;
    QToolButton* last_;
    QLabel* label_;
    QLineEdit* pageBox_;
};

}  // namespace tally::reportui
