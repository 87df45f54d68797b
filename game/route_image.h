#pragma once

#include <QImage>
#include <QWidget>

namespace kumoji {

// The overlay of the route map: a bitmap drawn by the game, shown over the
// route picture with the colour of its bottom-left pixel keyed out.
class TRouteImage : public QWidget {
    Q_OBJECT

public:
    explicit TRouteImage(QWidget* Parent = nullptr);

    // Sizes the bitmap; its content is undefined until drawn.
    void SetBitmapSize(int Width, int Height);
    QImage& Bitmap() { return FBitmap; }
    const QImage& Bitmap() const { return FBitmap; }
    QColor TransparentColor() const;

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    QImage FBitmap;
};

} // namespace kumoji
