#include "report/ReportDetail.h"

QString ReportDetail::text(const QString& control) const
{
    const int slot = slots_->value(control, -1);
    return slot < 0 ? QString() : texts_.at(slot);
}

void ReportDetail::setText(const QString& control, const QString& text)
{
    const int slot = slots_->value(control, -1);
    if (slot >= 0)
        texts_[slot] = text;
}
