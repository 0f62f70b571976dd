#pragma once
#include <QHash>
#include <QStringList>

// The texts of one cell while it is being formatted, addressed by control name.
// Bound fields already hold their column's text (a Null column gives an empty text).
class ReportDetail {
public:
    ReportDetail(const QHash<QString, int>* slotOfControl, QStringList texts) : slots_(slotOfControl), texts_(std::move(texts)) {}

    bool has(const QString& control) const { return slots_->contains(control); }
    QString text(const QString& control) const;
    // Setting a control the layout does not have does nothing.
    void setText(const QString& control, const QString& text);
    QStringList takeTexts() { return std::move(texts_); }

private:
    const QHash<QString, int>* slots_;
    QStringList texts_;
};
