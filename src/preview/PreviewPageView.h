#pragma once
#include "report/PagePainter.h"

#include <QWidget>

class ReportRun;

// Paints one page of a run at the preview's zoom: a white sheet on the window's background.
class PreviewPageView : public QWidget {
public:
    PreviewPageView(const ReportRun& run, QWidget* parent = nullptr);

    void setPage(int index);
    int page() const { return page_; }
    // Pixels per twip on this screen at the chosen zoom.
    void setScale(qreal pixelsPerTwip);
    qreal scale() const { return scale_; }
    QSize sheetSize(qreal pixelsPerTwip) const;

    // Shown on the sheet of a run without pages.
    static constexpr const char* EmptyNote =
        "印刷する領収証がありません。\n（チェックの付いた会員がいないか、枚数が 0 枚です）";

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintEmptyNote(QPainter& painter, const QRect& sheet) const;
    static constexpr int Gap = 12;
    const ReportRun& run_;
    PagePainter painter_;
    int page_ = 0;
    qreal scale_ = 0.05;
};
