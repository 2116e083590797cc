#pragma once

#include <QHash>
#include <QPixmap>
#include <QProxyStyle>

namespace zerkan {

// The Fusion style, keeping what it drew of the line edits' panels and the group boxes'
// frames. Fusion strokes them as antialiased rounded outlines on every paint, which costs
// more than all the texts of a repaint of the window; kept, they are copied instead. Other
// styles may animate these frames, so they are left alone.
class FrameCacheStyle final : public QProxyStyle {
  public:
    // Takes ownership of `base`.
    explicit FrameCacheStyle(QStyle* base);

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;

    // Everything a kept frame's look depends on.
    struct Look {
        int element, width, height, state, lineWidth, midLineWidth, features, shape, direction;
        qint64 palette;
        int colorGroup;
        qreal ratio;
        int hints;
        int fontHeight;
        int widgetPart;
        friend bool operator==(const Look&, const Look&) = default;
    };

  private:
    mutable QHash<Look, QPixmap> frames_;
};

size_t qHash(const FrameCacheStyle::Look& look, size_t seed = 0);

// Puts FrameCacheStyle in front of the application's style when that is Fusion.
void UseFrameCache();

}  // namespace zerkan
