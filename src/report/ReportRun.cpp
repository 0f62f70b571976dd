#include "report/ReportRun.h"

#include "report/ReportDetail.h"

ReportRun::ReportRun(ReportLayout layout, std::unique_ptr<ReportHandlers> handlers)
    : layout_(std::move(layout)), handlers_(std::move(handlers))
{
    if (!handlers_)
        handlers_ = std::make_unique<ReportHandlers>();
}

void ReportRun::format(const ReportRows& rows)
{
    cells_.clear();
    handlers_->reportStart(layout_);
    // Slots are fixed after reportStart, which may still change the layout.
    slots_.clear();
    slotOfControl_.clear();
    designTexts_.clear();
    QList<int> columnOfSlot;
    for (const ReportControl& c : layout_.controls) {
        if (!c.isText()) {
            slotOfControl_.append(-1);
            continue;
        }
        slotOfControl_.append(int(designTexts_.size()));
        slots_.insert(c.name, int(designTexts_.size()));
        designTexts_.append(c.text);
        columnOfSlot.append(c.column.isEmpty() ? -1 : int(rows.columns.indexOf(c.column)));
    }
    cells_.reserve(rows.count);
    for (qsizetype row = 0; row < rows.count; ++row) {
        QStringList texts = designTexts_;
        for (int slot = 0; slot < columnOfSlot.size(); ++slot) {
            const int column = columnOfSlot.at(slot);
            if (column >= 0) {
                const QVariant value = rows.value(row, column);
                texts[slot] = value.isNull() ? QString() : value.toString();
            }
        }
        ReportDetail detail(&slots_, std::move(texts));
        handlers_->detailFormat(detail);
        cells_.append(detail.takeTexts());
        handlers_->detailAfterPrint();
    }
}

int ReportRun::pageCount() const
{
    const int perPage = layout_.cellsPerPage();
    return (cellCount() + perPage - 1) / perPage;
}

ReportPage ReportRun::page(int pageIndex) const
{
    ReportPage page;
    page.number = pageIndex + 1;
    if (pageIndex < 0 || pageIndex >= pageCount())
        return page;
    const int perPage = layout_.cellsPerPage();
    const int first = pageIndex * perPage;
    const int last = std::min(cellCount(), first + perPage);
    page.items.reserve((last - first) * layout_.controls.size());
    for (int cell = first; cell < last; ++cell) {
        const QPoint origin = layout_.cellOrigin(cell - first);
        const QRect cellRect(origin, QSize(layout_.cellWidth, layout_.cellHeight));
        const QStringList texts = cells_.texts(cell);
        for (int i = 0; i < layout_.controls.size(); ++i) {
            const ReportControl& c = layout_.controls.at(i);
            PageItem item;
            item.control = &c;
            item.receipt = cell;
            item.cell = cellRect;
            if (c.kind == ControlKind::Line)
                item.line = c.line.translated(origin);
            else
                item.box = c.box.translated(origin);
            const int slot = slotOfControl_.at(i);
            if (slot >= 0)
                item.text = texts.at(slot);
            page.items.append(std::move(item));
        }
    }
    return page;
}

QString ReportRun::text(int cell, const QString& controlName) const
{
    const int slot = slots_.value(controlName, -1);
    if (cell < 0 || cell >= cellCount() || slot < 0)
        return QString();
    return cells_.text(cell, slot);
}

void ReportRun::setText(int cell, const QString& controlName, const QString& text)
{
    const int slot = slots_.value(controlName, -1);
    if (cell < 0 || cell >= cellCount() || slot < 0)
        return;
    cells_.setText(cell, slot, text);
}

std::pair<int, int> ReportRun::cellsOn(OutputPages pages) const
{
    const int perPage = layout_.cellsPerPage();
    const int first = std::clamp(pages.first * perPage, 0, cellCount());
    return {first, std::clamp((pages.last + 1) * perPage, first, cellCount())};
}

QString ReportRun::outputCompleted(const QList<WrittenFile>& files)
{
    handlers_->filesWritten(*this, files);
    return handlers_->outputCompleted(*this);
}

OutputClearance ReportRun::clearForOutput(const QString& outputName, OutputPages pages)
{
    return handlers_->clearForOutput(*this, outputName, pages);
}

void ReportRun::outputFailed(const QString& reason)
{
    handlers_->outputFailed(*this, reason);
}

void ReportRun::printStarted()
{
    handlers_->printStart();
}

void ReportRun::pagePrinted(int pageNumber)
{
    handlers_->printProgress(pageNumber);
}
