#pragma once
#include <QLineEdit>

// A box for whole numbers within a range, shown as "#,###" (thousands separated by commas)
// and edited as plain digits. It can be empty, which is not the same as 0. A number wider than
// the box is shown whole in a smaller font.
class NumberBox : public QLineEdit {
    Q_OBJECT
public:
    explicit NumberBox(QWidget* parent = nullptr);

    void setRange(qint64 minimum, qint64 maximum);
    qint64 minimum() const { return minimum_; }
    qint64 maximum() const { return maximum_; }

    bool isEmpty() const { return empty_; }
    qint64 value() const { return value_; } // 0 when empty
    void setValue(qint64 value);            // kept within the range
    void clear();

signals:
    void valueChanged();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void takeTypedText();
    QString shownText() const;
    void showValue();
    void fitText();

    qint64 minimum_ = -99999;
    qint64 maximum_ = 99999;
    qint64 value_ = 0;
    bool empty_ = true;
    QFont fullFont_;      // the font the box was given
    bool fitting_ = false; // the box itself is changing its font
};
