#pragma once
#include <QLabel>
#include <QTimer>

// A one-line note along the bottom of its window that goes away by itself: tells what was just
// written where, without a box the user has to click away. Selectable, so that a path can be
// copied while it shows.
class BriefNotice : public QLabel {
    Q_OBJECT
public:
    static constexpr int ShownMilliseconds = 8000;

    explicit BriefNotice(QWidget* window);

    void showText(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place();

    QTimer hideTimer_;
};
