#pragma once

#include <QFont>
#include <QHash>
#include <QPixmap>
#include <QProxyStyle>
#include <QString>
#include <memory>

namespace zerkan {

// The Fusion style, keeping what it drew of the line edits' panels and the group boxes'
// frames, and how it laid out the labels' texts. Fusion strokes the frames as antialiased
// rounded outlines and shapes every text anew on every paint, which together cost more than
// half of a repaint of the window; kept, the frames are copied and the texts only drawn.
// A combo box's field is known to cover its place, so that a new entry repaints the field
// alone rather than the box behind it as well.
// Other styles may animate their frames, so they are left alone.
class FrameCacheStyle final : public QProxyStyle {
  public:
    // Takes ownership of `base`.
    explicit FrameCacheStyle(QStyle* base);

    void polish(QWidget* widget) override;
    void unpolish(QWidget* widget) override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget) const override;
    void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette,
                      bool enabled, const QString& text,
                      QPalette::ColorRole textRole) const override;
    // Fusion reads an icon's pictures as soon as it is asked for the icon, and a menu bar asks
    // for one as it is made, for a button that it shows only when too narrow for its menus.
    // Here they are read when first shown.
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;

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

    // Everything a group box's parts' places depend on.
    struct BoxPart {
        QRect rect;
        int part, subControls, state, direction, features, lineWidth, midLineWidth, alignment;
        QString title;
        QFont font;
        friend bool operator==(const BoxPart&, const BoxPart&) = default;
    };

    // Everything a kept text's layout and colour depend on.
    struct Words {
        QString text;
        QFont font;
        int width, height, flags;
        qint64 palette;
        int colorGroup;
        bool enabled;
        int role, direction, dpiX, dpiY;
        qreal ratio;
        friend bool operator==(const Words&, const Words&) = default;
    };
    struct LaidOut;

  private:
    std::shared_ptr<const LaidOut> LayOut(const QPainter& painter, const QRect& rect, int flags,
                                          const QPalette& palette, bool enabled,
                                          const QString& text, QPalette::ColorRole textRole) const;

    mutable QHash<Look, QPixmap> frames_;
    mutable QHash<BoxPart, QRect> boxParts_;
    mutable QHash<Words, std::shared_ptr<const LaidOut>> words_;
};

size_t qHash(const FrameCacheStyle::Look& look, size_t seed = 0);
size_t qHash(const FrameCacheStyle::Words& words, size_t seed = 0);
size_t qHash(const FrameCacheStyle::BoxPart& part, size_t seed = 0);

// Puts FrameCacheStyle in front of the application's style when that is Fusion.
void UseFrameCache();

}  // namespace zerkan
