#include "ui/TextLimit.h"

#include "domain/AmountText.h"
#include "messages/ShowMsg.h"

#include <QLineEdit>
#include <QTimer>
#include <QValidator>

#include <climits>

namespace TextLimit {

namespace {

// The line edit undoes a change that its validator calls Invalid, so an over-long text never
// reaches the box; the message waits until the edit has finished.
class LengthValidator : public QValidator {
public:
    explicit LengthValidator(QLineEdit* edit) : QValidator(edit) {}

    State validate(QString& input, int&) const override
    {
        if (input.size() <= MaximumLength)
            return Acceptable;
        if (!told_) {
            told_ = true;
            QTimer::singleShot(0, this, [this] {
                ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"),
                        QStringLiteral("入力できるのは %1 文字までです。長すぎるため、入力を取り消しました。")
                            .arg(AmountText::grouped(MaximumLength)));
                told_ = false;
            });
        }
        return Invalid;
    }

private:
    mutable bool told_ = false;
};

} // namespace

void guard(QLineEdit* edit)
{
    if (!edit || edit->validator())
        return;
    edit->setMaxLength(INT_MAX); // the validator decides; Qt would cut silently
    edit->setValidator(new LengthValidator(edit));
}

} // namespace TextLimit
