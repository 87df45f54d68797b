// The route map: a row of marks up the mountain, painted on an overlay of the route picture.
#pragma once

#include <QImage>
#include <QWidget>
#include <optional>
#include <vector>

namespace kumoji {

// A bitmap shown over the route picture with the colour of its bottom-left pixel keyed out.
class TRouteImage : public QWidget {
    Q_OBJECT

public:
    explicit TRouteImage(QWidget* Parent = nullptr);

    // Sizes the bitmap for Width by Height logical pixels, in the screen's own pixels, and
    // draws again what was last drawn; undefined until the first drawing.
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
    // The last drawing's arguments, so that a new size shows the same map.
    struct TDrawn {
        int Position = -1;
        int Reached = 0;
        std::vector<int> Huts;
    };

    QImage FBitmap;
    std::optional<TDrawn> FDrawn;
};

} // namespace kumoji
