#include "ui/DateBox.h"

#include "domain/EraDateFormat.h"
#include "domain/SupportedDates.h"
#include "messages/ShowMsg.h"
#include "ui/HolidayCalendar.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
// The pattern's letters as "_", the rest as written: "____年__月__日".
QString blankPicture(bool era)
{
    return era ? QStringLiteral("__ __年__月__日") : QStringLiteral("____年__月__日");
}

// Where the year, month or day stands in the box's text: [start, end).
struct Section {
    int start;
    int end;
};

// The year, month and day as they stand in the box's text: runs of digits or of the blank
// picture's "_". The era name holds neither.
QList<Section> sectionsOf(const QString& shown)
{
    QList<Section> sections;
    for (int at = 0; at < shown.size(); ++at) {
        if (!shown.at(at).isDigit() && shown.at(at) != u'_')
            continue;
        if (sections.isEmpty() || sections.last().end != at)
            sections.append({at, at + 1});
        else
            ++sections.last().end;
    }
    return sections;
}
} // namespace

DateBox::DateBox(QWidget* parent) : QFrame(parent), edit_(new QLineEdit(this)), drop_(new QToolButton(this))
{
    edit_->setObjectName(QStringLiteral("text"));
    edit_->setFrame(false);
    edit_->setTextMargins(0, 0, 0, 0);
    // The line edit reaches under the frame's 1 px edges and lets the box paint the background,
    // so that a whole 12 pt date fits the narrow layout width.
    QPalette clear = edit_->palette();
    clear.setColor(QPalette::Base, Qt::transparent);
    edit_->setPalette(clear);
    edit_->installEventFilter(this);
    drop_->setObjectName(QStringLiteral("drop"));
    drop_->setArrowType(Qt::DownArrow);
    drop_->setFocusPolicy(Qt::NoFocus);
    drop_->setAutoRaise(true);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(edit_);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    edit_->setAttribute(Qt::WA_InputMethodEnabled, false); // digits only: no Japanese input
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    connect(drop_, &QToolButton::clicked, this, &DateBox::showCalendar);
    connect(edit_, &QLineEdit::editingFinished, this, &DateBox::takeTypedText);
    refresh();
}

// True, after telling the user, when `date` lies outside the range the box can show.
bool DateBox::refuseUnsupported(const QDate& date)
{
    if (!date.isValid() || SupportedDates::contains(date))
        return false;
    ShowMsg(QStringLiteral("入力"), QStringLiteral("範囲外"),
            QStringLiteral("日付（%1～%2）").arg(EraDateFormat::format(SupportedDates::First, EraDateFormat::GregorianPattern),
                                              EraDateFormat::format(SupportedDates::Last, EraDateFormat::GregorianPattern)));
    return true;
}

void DateBox::setDate(const QDate& date)
{
    if (refuseUnsupported(date)) {
        refresh();
        return;
    }
    const QDate next = date.isValid() ? date : QDate();
    const bool changed = next != date_;
    date_ = next;
    refresh();
    if (changed)
        emit dateChanged(date_);
}

void DateBox::setText(const QString& text)
{
    static const QRegularExpression digits(QStringLiteral("^\\d{8}$"));
    const QString trimmed = text.trimmed();
    if (digits.match(trimmed).hasMatch())
        setDate(QDate(trimmed.left(4).toInt(), trimmed.mid(4, 2).toInt(), trimmed.mid(6, 2).toInt()));
    else
        setDate(EraDateFormat::parse(trimmed, pattern()));
}

QString DateBox::text() const { return EraDateFormat::format(date_, pattern()); }

QString DateBox::displayText() const { return date_.isValid() ? text() : blankPicture(era_); }

void DateBox::setEraFormat(bool era)
{
    era_ = era;
    refresh();
    updateMonthTitle();
}

QString DateBox::pattern() const { return era_ ? EraDateFormat::EraPattern : EraDateFormat::GregorianPattern; }

QString DateBox::yearMonthPattern() const
{
    return era_ ? EraDateFormat::EraYearMonthPattern : EraDateFormat::GregorianYearMonthPattern;
}

void DateBox::refresh()
{
    edit_->setText(displayText());
    edit_->setCursorPosition(0);
    fitText();
}

// Typed text that is not a whole date of the box's pattern (or eight digits) is refused with a
// message, and the previous date comes back; clearing the text blanks the box.
void DateBox::takeTypedText()
{
    const QString typed = edit_->text().trimmed();
    if (typed.isEmpty() || typed == blankPicture(era_)) {
        setDate(QDate());
        return;
    }
    static const QRegularExpression digits(QStringLiteral("^\\d{8}$"));
    QDate parsed = EraDateFormat::parse(typed, pattern());
    if (!parsed.isValid() && digits.match(typed).hasMatch())
        parsed = QDate(typed.left(4).toInt(), typed.mid(4, 2).toInt(), typed.mid(6, 2).toInt());
    if (parsed.isValid()) {
        setDate(parsed); // refuses a date out of range
        return;
    }
    refresh();
    ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"),
            QStringLiteral("「%1」は日付として読み取れません。日付は「%2」のままです。\n"
                           "同じ形か、8 桁の数字（例：20261215）で入力してください。")
                .arg(typed, displayText()));
}

HolidayCalendar* DateBox::calendar()
{
    if (calendar_)
        return calendar_;
    popup_ = new QFrame(this, Qt::Popup);
    popup_->setObjectName(QStringLiteral("calendarPopup"));
    static_cast<QFrame*>(popup_)->setFrameShape(QFrame::Box);
    auto* column = new QVBoxLayout(popup_);
    column->setContentsMargins(2, 2, 2, 2);
    column->setSpacing(2);
    auto* bar = new QHBoxLayout;
    auto* previous = new QToolButton(popup_);
    previous->setArrowType(Qt::LeftArrow);
    previous->setAutoRaise(true);
    auto* next = new QToolButton(popup_);
    next->setArrowType(Qt::RightArrow);
    next->setAutoRaise(true);
    monthTitle_ = new QLabel(popup_);
    monthTitle_->setObjectName(QStringLiteral("monthTitle"));
    monthTitle_->setAlignment(Qt::AlignCenter);
    bar->addWidget(previous);
    bar->addWidget(monthTitle_, 1);
    bar->addWidget(next);
    column->addLayout(bar);
    calendar_ = new HolidayCalendar(popup_);
    calendar_->setObjectName(QStringLiteral("calendar"));
    calendar_->setDateRange(SupportedDates::First, SupportedDates::Last);
    column->addWidget(calendar_);
    connect(previous, &QToolButton::clicked, calendar_, &QCalendarWidget::showPreviousMonth);
    connect(next, &QToolButton::clicked, calendar_, &QCalendarWidget::showNextMonth);
    connect(calendar_, &QCalendarWidget::currentPageChanged, this, &DateBox::updateMonthTitle);
    connect(calendar_, &QCalendarWidget::activated, this, [this](const QDate& picked) {
        popup_->hide();
        setDate(picked);
        edit_->setFocus();
    });
    connect(calendar_, &QCalendarWidget::clicked, this, [this](const QDate& picked) {
        popup_->hide();
        setDate(picked);
        edit_->setFocus();
    });
    return calendar_;
}

void DateBox::updateMonthTitle()
{
    if (!calendar_)
        return;
    const QDate first(calendar_->yearShown(), calendar_->monthShown(), 1);
    monthTitle_->setText(EraDateFormat::format(first, yearMonthPattern()));
}

void DateBox::showCalendar()
{
    HolidayCalendar* shown = calendar();
    const QDate start = date_.isValid() ? date_ : QDate::currentDate();
    shown->setSelectedDate(start);
    shown->setCurrentPage(start.year(), start.month());
    updateMonthTitle();
    popup_->setFont(font());
    popup_->adjustSize();
    QPoint at = mapToGlobal(QPoint(0, height()));
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        if (at.y() + popup_->height() > area.bottom())
            at.setY(mapToGlobal(QPoint(0, 0)).y() - popup_->height());
        at.setX(qBound(area.left(), at.x(), area.right() - popup_->width()));
    }
    popup_->move(at);
    popup_->show();
    shown->setFocus();
}

// A digit typed with nothing selected writes over the digit at the cursor, as in a date-time
// box: within the year, month or day it replaces the next digit; at the end of a part that is
// whole it goes on in the next part; before the first it starts there. Past the last part the
// digit is added, and the text, no longer a date, is refused with a message on leaving.
void DateBox::overwriteFromCursor()
{
    const QList<Section> sections = sectionsOf(edit_->text());
    const int cursor = edit_->cursorPosition();
    for (qsizetype index = 0; index < sections.size(); ++index) {
        const Section& section = sections[index];
        const int width = (!era_ && index == 0) ? 4 : 2; // yyyy, or ee / mm / dd
        if (cursor < section.end) {
            edit_->setSelection(std::max(cursor, section.start), 1);
            return;
        }
        if (cursor == section.end && section.end - section.start < width)
            return; // a part typed short takes the digit in
    }
}

bool DateBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == edit_ && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        placeButton();
    // A click into the year, month or day selects its digits, so that typing replaces them.
    if (watched == edit_ && event->type() == QEvent::MouseButtonRelease && !edit_->hasSelectedText()) {
        const QList<Section> sections = sectionsOf(edit_->text());
        const int cursor = edit_->cursorPosition();
        for (const Section& section : sections)
            if (section.start <= cursor && cursor <= section.end)
                edit_->setSelection(section.start, section.end - section.start);
    }
    if (watched == edit_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F4 || (key->key() == Qt::Key_Down && (key->modifiers() & Qt::AltModifier))) {
            showCalendar();
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            refresh();
            return false;
        }
        if (!edit_->hasSelectedText() && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
            key->text().size() == 1 && key->text().at(0) >= u'0' && key->text().at(0) <= u'9')
            overwriteFromCursor();
    }
    return QFrame::eventFilter(watched, event);
}

void DateBox::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    placeButton();
}

void DateBox::placeButton()
{
    const QRect inside = contentsRect();
    const bool shown = edit_->hasFocus() || underMouse() || (popup_ && popup_->isVisible());
    const int button = shown ? qMin(inside.height(), 16) : 0;
    drop_->setVisible(shown);
    drop_->setGeometry(inside.right() + 1 - button, inside.top() + (inside.height() - button) / 2, button, button);
    edit_->setGeometry(inside.left() - 1, inside.top(), inside.width() - button + (button ? 1 : 2), inside.height());
    fitText();
}

// A whole 12 pt date fills the box: beside the drop-down button it is set narrower (same
// height), so that its last characters do not hide under the button.
void DateBox::fitText()
{
    const int room = edit_->width() - 2 * LineEditMargin - 1; // the cursor takes a pixel
    const int natural = QFontMetrics(font()).horizontalAdvance(edit_->text());
    QFont fitted = font();
    if (natural > room && room > 0)
        fitted.setStretch(qMax(MinimumStretch, room * 100 / natural));
    if (edit_->font() != fitted)
        edit_->setFont(fitted);
}

void DateBox::enterEvent(QEnterEvent* event)
{
    QFrame::enterEvent(event);
    placeButton();
}

void DateBox::leaveEvent(QEvent* event)
{
    QFrame::leaveEvent(event);
    placeButton();
}

void DateBox::changeEvent(QEvent* event)
{
    QFrame::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitText();
}
