#pragma once
#include <QToolButton>

// A button with a 32 × 32 icon and its caption under it, filled with its own background
// colour (palette Button) and drawn compactly, so short captions fit narrow buttons.
class IconButton : public QToolButton {
public:
    explicit IconButton(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool hovered_ = false;
};
