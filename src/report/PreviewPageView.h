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

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    static constexpr int Gap = 12;
    const ReportRun& run_;
    PagePainter painter_;
    int page_ = 0;
    qreal scale_ = 0.05;
};
