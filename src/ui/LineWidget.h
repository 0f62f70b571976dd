#pragma once
#include <QWidget>

// A straight one-pixel line across the widget, in the given colour (horizontal when wider
// than high, else vertical).
class LineWidget : public QWidget {
public:
    explicit LineWidget(QWidget* parent = nullptr);
    void setColour(const QColor& colour);
    QColor colour() const { return colour_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_ = Qt::black;
};
