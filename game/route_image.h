// The route map: a row of marks up the mountain, painted on an overlay of the route picture.
#pragma once

#include <QImage>
#include <QWidget>
#include <vector>

namespace kumoji {

// A bitmap shown over the route picture with the colour of its bottom-left pixel keyed out.
class TRouteImage : public QWidget {
    Q_OBJECT

public:
    explicit TRouteImage(QWidget* Parent = nullptr);

    // Sizes the bitmap; its content is undefined until drawn.
    void SetBitmapSize(int Width, int Height);
    QImage& Bitmap() { return FBitmap; }
    const QImage& Bitmap() const { return FBitmap; }
    QColor TransparentColor() const;

    // Clears the map, then paints every mark (Position -1) or the mark of Position alone.
    // Marks up to Reached are filled red; huts and both ends are three units tall.
    void DrawRoute(int Position, int Reached, const std::vector<int>& Huts);

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    QImage FBitmap;
};

} // namespace kumoji
