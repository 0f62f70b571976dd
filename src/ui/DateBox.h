#pragma once
#include <QDate>
#include <QFrame>

class QLabel;
class QLineEdit;
class QToolButton;
class HolidayCalendar;

// A date input: shows and takes the date in its pattern ("yyyy年mm月dd日" or the era form
// "ggg ee年mm月dd日"), blank positions shown as "_", and a calendar that drops down from
// the arrow button (or Alt+Down / F4). The button shows while the box has the focus or the
// mouse, so that the whole date fits the box the rest of the time.
class DateBox : public QFrame {
    Q_OBJECT
public:
    explicit DateBox(QWidget* parent = nullptr);

    QDate date() const { return date_; }
    // An invalid date blanks the box; a date outside SupportedDates is refused with a message and
    // the box keeps its date.
    void setDate(const QDate& date);
    void clear() { setDate(QDate()); }
    bool isBlank() const { return !date_.isValid(); }

    // Eight digits "yyyymmdd", or a date in the box's own pattern.
    void setText(const QString& text);
    // The date as displayed; "" when the box is blank.
    QString text() const;
    // What the box shows, blank positions included.
    QString displayText() const;

    // Era form "ggg ee年mm月dd日" (true) or Gregorian "yyyy年mm月dd日" (false).
    void setEraFormat(bool era);
    bool eraFormat() const { return era_; }
    QString pattern() const;
    QString yearMonthPattern() const;

    QLineEdit* lineEdit() const { return edit_; }
    void showCalendar();
    // The drop-down calendar, created on first use.
    HolidayCalendar* calendar();

signals:
    void dateChanged(const QDate& date);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void refresh();
    bool refuseUnsupported(const QDate& date);
    void takeTypedText();
    void overwriteFromCursor();
    void updateMonthTitle();
    void placeButton();
    void fitText();

    static constexpr int LineEditMargin = 2; // QLineEdit's own space left and right of its text
    static constexpr int MinimumStretch = 75; // percent; narrower would be hard to read

    QDate date_;
    bool era_ = false;
    QLineEdit* edit_;
    QToolButton* drop_;
    QWidget* popup_ = nullptr;
    HolidayCalendar* calendar_ = nullptr;
    QLabel* monthTitle_ = nullptr;
};
