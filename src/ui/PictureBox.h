#pragma once
#include <QImage>
#include <QWidget>

// A picture stretched over the whole widget; clicking it does nothing.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);
    void setImage(const QImage& image);
    const QImage& image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};
