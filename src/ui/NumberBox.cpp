#include "ui/NumberBox.h"

#include "domain/AmountText.h"

#include <QFocusEvent>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QValidator>

namespace {
// Accepts only what can still become a number in the range: digits, one leading minus when
// negatives are allowed, commas as typed separators.
class WholeNumberValidator : public QValidator {
public:
    WholeNumberValidator(const NumberBox* box) : QValidator(const_cast<NumberBox*>(box)), box_(box) {}

    State validate(QString& input, int&) const override
    {
        QString digits = input;
        digits.remove(QLatin1Char(','));
        if (digits.isEmpty())
            return Intermediate;
        if (digits == QLatin1String("-"))
            return box_->minimum() < 0 ? Intermediate : Invalid;
        bool ok = false;
        const qint64 value = digits.toLongLong(&ok);
        if (!ok || digits.startsWith(QLatin1Char('+')) || digits.contains(QLatin1Char(' ')))
            return Invalid;
        if (value > box_->maximum() && value > 0)
            return Invalid;
        if (value < box_->minimum() && value < 0)
            return Invalid;
        return value >= box_->minimum() && value <= box_->maximum() ? Acceptable : Intermediate;
    }

private:
    const NumberBox* box_;
};
} // namespace

NumberBox::NumberBox(QWidget* parent) : QLineEdit(parent)
{
    setValidator(new WholeNumberValidator(this));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    connect(this, &QLineEdit::editingFinished, this, &NumberBox::takeTypedText);
    connect(this, &QLineEdit::textChanged, this, &NumberBox::fitText);
    fullFont_ = font();
}

void NumberBox::setRange(qint64 minimum, qint64 maximum)
{
    minimum_ = qMin(minimum, maximum);
    maximum_ = qMax(minimum, maximum);
    if (!empty_)
        setValue(value_);
}

void NumberBox::setValue(qint64 value)
{
    const qint64 next = qBound(minimum_, value, maximum_);
    const bool changed = empty_ || next != value_;
    value_ = next;
    empty_ = false;
    showValue();
    if (changed)
        emit valueChanged();
}

void NumberBox::clear()
{
    const bool changed = !empty_;
    empty_ = true;
    value_ = 0;
    showValue();
    if (changed)
        emit valueChanged();
}

// "#,###" prints no digit for zero: 0 is shown as an empty box until it is edited.
QString NumberBox::shownText() const
{
    return empty_ ? QString() : AmountText::thousands(value_);
}

void NumberBox::showValue()
{
    if (empty_)
        QLineEdit::setText(QString());
    else
        QLineEdit::setText(hasFocus() ? QString::number(value_) : shownText());
}

// A typed number outside the range never gets past the validator; a lone "-" empties the box.
void NumberBox::takeTypedText()
{
    // Leaving the box reads it twice; what it shows for its value is no new input.
    if (!isModified() && QLineEdit::text() == shownText())
        return;
    QString digits = QLineEdit::text();
    digits.remove(QLatin1Char(','));
    bool ok = false;
    const qint64 typed = digits.toLongLong(&ok);
    if (digits.isEmpty() || !ok)
        clear();
    else
        setValue(typed);
}

// Steps the font down from the given size until the whole text fits between the frame's edges.
void NumberBox::fitText()
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    const int room = style()->subElementRect(QStyle::SE_LineEditContents, &option, this).width() - 4;
    QFont fitted = fullFont_;
    const bool points = fitted.pointSizeF() > 0;
    auto size = [&] { return points ? fitted.pointSizeF() : qreal(fitted.pixelSize()); };
    auto setSize = [&](qreal next) { points ? fitted.setPointSizeF(next) : fitted.setPixelSize(int(next)); };
    const qreal smallest = size() / 3;
    while (size() - 0.5 >= smallest && QFontMetrics(fitted).horizontalAdvance(QLineEdit::text()) > room)
        setSize(size() - 0.5);
    if (fitted == font())
        return;
    fitting_ = true;
    setFont(fitted);
    fitting_ = false;
}

void NumberBox::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    fitText();
}

void NumberBox::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange && !fitting_) {
        fullFont_ = font();
        fitText();
    }
}

void NumberBox::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (!empty_)
        QLineEdit::setText(QString::number(value_));
    selectAll();
}

void NumberBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    takeTypedText();
    showValue();
}
