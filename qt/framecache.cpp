#include "qt/framecache.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QPolygon>
#include <QStyleOption>
#include <QTextLayout>
#include <QTransform>
#include <algorithm>
#include <climits>
#include <optional>
#include <vector>

#include "qt/pictures.h"

namespace zerkan {
namespace {

const QString kFusion = QStringLiteral("fusion");

// Far more than the window has frames; only a change of palette or size makes new ones.
constexpr qsizetype kMostFrames = 64;
// The raster engine hands a blend of more than about a hundred lines to its thread pool; for
// a frame's picture, waking the pool costs more than the blend, and a group box's is taller.
constexpr int kBandLines = 64;
// Every label text the window can show, several times over.
constexpr qsizetype kMostWords = 1024;

// Flags under which the style lays a text out as one line, the way it is kept.
constexpr int kPlainFlags = Qt::AlignHorizontal_Mask | Qt::AlignVertical_Mask | Qt::TextSingleLine |
                            Qt::TextDontClip | Qt::TextExpandTabs | Qt::TextShowMnemonic |
                            Qt::TextHideMnemonic | Qt::TextForceLeftToRight |
                            Qt::TextForceRightToLeft;

bool IsPlain(const QString& text, int flags) {
    if ((flags & ~kPlainFlags) != 0)
        return false;
    // Line breaks, tabs and length variants are the style's to lay out.
    for (QChar c : text) {
        if (c == u'\n' || c == u'\r' || c == u'\t' || c == QChar(0x9c) ||
            c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            return false;
    }
    return !text.isEmpty();
}

// The text as shown: a mnemonic's ampersand taken out and the letter after it underlined
// when mnemonics are shown; "&&" is one ampersand.
QString ShownText(const QString& text, int flags, QList<QTextLayout::FormatRange>& underlines) {
    if ((flags & (Qt::TextShowMnemonic | Qt::TextHideMnemonic)) == 0)
        return text;
    const bool underline = (flags & Qt::TextShowMnemonic) && !(flags & Qt::TextHideMnemonic);
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&') {
            if (++i == text.size())
                break;
            if (text[i] != u'&' && underline) {
                QTextLayout::FormatRange range;
                range.start = static_cast<int>(shown.size());
                range.length = 1;
                range.format.setFontUnderline(true);
                underlines.append(range);
            }
        }
        shown += text[i];
    }
    return shown;
}

// A paint device that draws nothing and writes down each run of text given to it: where, what
// and in which colour, and whether anything else was drawn or clipped.
class TextRecorder final : public QPaintDevice {
  public:
    // A run of text, or a line or shape such as an underline.
    struct Run {
        QPointF at;
        QString text;
        int textFlags = 0;
        QPen pen;
        QBrush brush;
        QPainterPath path;
        friend bool operator==(const Run&, const Run&) = default;
    };

    // Resolves fonts as `like` does.
    explicit TextRecorder(const QPaintDevice& like)
        : dpiX_(like.logicalDpiX()),
          dpiY_(like.logicalDpiY()),
          physicalX_(like.physicalDpiX()),
          physicalY_(like.physicalDpiY()),
          ratio_(like.devicePixelRatioF()),
          engine_(*this) {}

    QPaintEngine* paintEngine() const override { return &engine_; }

    std::vector<Run> runs;
    bool other = false;

  protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
            case PdmDpiX:
                return dpiX_;
            case PdmDpiY:
                return dpiY_;
            case PdmPhysicalDpiX:
                return physicalX_;
            case PdmPhysicalDpiY:
                return physicalY_;
            case PdmDevicePixelRatio:
                return qRound(ratio_);
            case PdmDevicePixelRatioScaled:
                return qRound(ratio_ * devicePixelRatioFScale());
            case PdmDepth:
                return 32;
            case PdmNumColors:
                return INT_MAX;
            default:
                return 1 << 20;  // sizes: nothing is clipped by the device
        }
    }

  private:
    class Engine final : public QPaintEngine {
      public:
        explicit Engine(TextRecorder& owner) : QPaintEngine(AllFeatures), owner_(owner) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        Type type() const override { return User; }
        void drawTextItem(const QPointF& at, const QTextItem& item) override {
            if (painter()->hasClipping())
                owner_.other = true;
            owner_.runs.push_back(
                {at, item.text(), static_cast<int>(item.renderFlags()), painter()->pen(), {}, {}});
        }
        void drawPath(const QPainterPath& path) override {
            if (painter()->hasClipping())
                owner_.other = true;
            owner_.runs.push_back({{}, {}, 0, painter()->pen(), painter()->brush(), path});
        }
        void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
            QPainterPath path;
            path.addPolygon(QPolygonF(QList<QPointF>(points, points + count)));
            if (mode != PolylineMode)
                path.closeSubpath();
            drawPath(path);
        }
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {
            owner_.other = true;
        }

      private:
        TextRecorder& owner_;
    };

    int dpiX_, dpiY_, physicalX_, physicalY_;
    qreal ratio_;
    mutable Engine engine_;
};

// Puts `painter` in the state of `like` as far as text is concerned.
void TakeTextState(QPainter& painter, const QPainter& like) {
    painter.setFont(like.font());
    painter.setPen(like.pen());
    painter.setLayoutDirection(like.layoutDirection());
    painter.setRenderHints(like.renderHints());
}

bool IsBoxField(const QWidget* widget) {
    const auto* box = widget ? qobject_cast<const QComboBox*>(widget->parentWidget()) : nullptr;
    return box && box->isEditable() && box->lineEdit() == widget;
}

// What besides the option the drawing depends on; nullopt when it is not kept at all.
std::optional<int> WidgetPart(QStyle::PrimitiveElement element, const QWidget* widget) {
    const QWidget* parent = widget ? widget->parentWidget() : nullptr;
    switch (element) {
        case QStyle::PE_PanelLineEdit:
            // The fields of combo and spin boxes are drawn with their box.
            if (qobject_cast<const QComboBox*>(parent) ||
                qobject_cast<const QAbstractSpinBox*>(parent))
                return std::nullopt;
            return 0;
        case QStyle::PE_FrameGroupBox:
            // The frame starts lower when the box has a title or a check box; without the
            // box to ask, the style guesses, so that look is kept apart.
            if (const auto* box = qobject_cast<const QGroupBox*>(widget))
                return box->isCheckable() || !box->title().isEmpty() ? 1 : 0;
            return 2;
        default:
            return std::nullopt;
    }
}

}  // namespace

size_t qHash(const FrameCacheStyle::Look& look, size_t seed) {
    return qHashMulti(seed, look.element, look.width, look.height, look.state, look.lineWidth,
                      look.midLineWidth, look.features, look.shape, look.direction, look.palette,
                      look.colorGroup, look.ratio, look.hints, look.fontHeight, look.widgetPart);
}

FrameCacheStyle::FrameCacheStyle(QStyle* base) : QProxyStyle(base) {}

// Fusion paints an editable combo box's field all over in the base colour, but the field does
// not tell the toolkit so, which then repaints the whole box behind the field whenever its text
// changes. Filled with that same colour first, the field is known to cover its place.
void FrameCacheStyle::polish(QWidget* widget) {
    QProxyStyle::polish(widget);
    if (IsBoxField(widget))
        widget->setAutoFillBackground(true);
}

QIcon FrameCacheStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                    const QWidget* widget) const {
    // An option lives only as long as this call.
    if (option != nullptr)
        return QProxyStyle::standardIcon(icon, option, widget);
    return DeferredIcon(
        [style = QPointer<QStyle>(baseStyle()), icon, widget = QPointer<const QWidget>(widget)] {
            return style != nullptr ? style->standardIcon(icon, nullptr, widget) : QIcon();
        });
}

void FrameCacheStyle::unpolish(QWidget* widget) {
    if (IsBoxField(widget))
        widget->setAutoFillBackground(false);
    QProxyStyle::unpolish(widget);
}

void FrameCacheStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                    QPainter* painter, const QWidget* widget) const {
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
    const std::optional<int> widgetPart = WidgetPart(element, widget);
    // A scaled or rotated painter would blur a copied picture, and so would a screen scaled by
    // a fraction, which puts most frames between its pixels.
    const qreal ratio = painter->device()->devicePixelRatioF();
    const int wholeRatio = qRound(ratio);
    if (!frame || !widgetPart || frame->rect.isEmpty() ||
        painter->transform().type() > QTransform::TxTranslate || wholeRatio < 1 ||
        !qFuzzyCompare(ratio, qreal(wholeRatio))) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const Look look{element,
                    frame->rect.width(),
                    frame->rect.height(),
                    static_cast<int>(frame->state),
                    frame->lineWidth,
                    frame->midLineWidth,
                    static_cast<int>(frame->features),
                    static_cast<int>(frame->frameShape),
                    static_cast<int>(frame->direction),
                    frame->palette.cacheKey(),
                    static_cast<int>(frame->palette.currentColorGroup()),
                    ratio,
                    static_cast<int>(painter->renderHints()),
                    frame->fontMetrics.height(),
                    *widgetPart};
    // A look met once is drawn as it is; only the second meeting keeps it, so that the
    // window's first paint costs no more than Fusion's own.
    auto kept = frames_.find(look);
    if (kept == frames_.end()) {
        if (frames_.size() >= kMostFrames)
            frames_.clear();
        frames_.insert(look, QPixmap());
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    if (kept->isNull()) {
        QPixmap pixmap(frame->rect.size() * ratio);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        QPainter picture(&pixmap);
        picture.setRenderHints(painter->renderHints());
        picture.translate(-frame->rect.topLeft());
        QProxyStyle::drawPrimitive(element, option, &picture, widget);
        picture.end();
        *kept = pixmap;
    }
    const int bandHeight = std::max(1, kBandLines / wholeRatio);
    for (int top = 0; top < frame->rect.height(); top += bandHeight) {
        const QRect band(0, top, frame->rect.width(),
                         std::min(bandHeight, frame->rect.height() - top));
        painter->drawPixmap(frame->rect.topLeft() + band.topLeft(), *kept,
                            QRectF(QPointF(band.topLeft()) * ratio, QSizeF(band.size()) * ratio));
    }
}

// A text as the style laid it out: drawn with this layout at this offset from the rectangle's
// corner in this colour, or, when that would not be exactly what the style drew, by the style.
struct FrameCacheStyle::LaidOut {
    QTextLayout layout;
    QPointF offset;
    QBrush brush;
    bool kept = false;
};

size_t qHash(const FrameCacheStyle::Words& words, size_t seed) {
    return qHashMulti(seed, words.text, words.font, words.width, words.height, words.flags,
                      words.palette, words.colorGroup, words.enabled, words.role, words.direction,
                      words.dpiX, words.dpiY, words.ratio);
}

size_t qHash(const FrameCacheStyle::BoxPart& part, size_t seed) {
    return qHashMulti(seed, part.rect.x(), part.rect.y(), part.rect.width(), part.rect.height(),
                      part.part, part.subControls, part.state, part.direction, part.features,
                      part.lineWidth, part.midLineWidth, part.alignment, part.title, part.font);
}

// A group box measures its title on every paint to place its frame and label.
QRect FrameCacheStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                      SubControl part, const QWidget* widget) const {
    const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (control != CC_GroupBox || !box || !widget)
        return QProxyStyle::subControlRect(control, option, part, widget);
    const BoxPart key{box->rect,
                      static_cast<int>(part),
                      static_cast<int>(box->subControls),
                      static_cast<int>(box->state),
                      static_cast<int>(box->direction),
                      static_cast<int>(box->features),
                      box->lineWidth,
                      box->midLineWidth,
                      static_cast<int>(box->textAlignment),
                      box->text,
                      widget->font()};
    auto kept = boxParts_.constFind(key);
    if (kept == boxParts_.cend()) {
        if (boxParts_.size() >= kMostFrames)
            boxParts_.clear();
        kept = boxParts_.insert(key, QProxyStyle::subControlRect(control, option, part, widget));
    }
    return *kept;
}

void FrameCacheStyle::drawItemText(QPainter* painter, const QRect& rect, int flags,
                                   const QPalette& palette, bool enabled, const QString& text,
                                   QPalette::ColorRole textRole) const {
    if (!IsPlain(text, flags) || textRole == QPalette::NoRole ||
        painter->transform().type() > QTransform::TxTranslate) {
        QProxyStyle::drawItemText(painter, rect, flags, palette, enabled, text, textRole);
        return;
    }
    const QPaintDevice& device = *painter->device();
    const Words words{text,
                      painter->font(),
                      rect.width(),
                      rect.height(),
                      flags,
                      palette.cacheKey(),
                      static_cast<int>(palette.currentColorGroup()),
                      enabled,
                      static_cast<int>(textRole),
                      static_cast<int>(painter->layoutDirection()),
                      device.logicalDpiX(),
                      device.logicalDpiY(),
                      device.devicePixelRatioF()};
    // As with the frames, a text is laid out to be kept only when it is met a second time.
    auto kept = words_.find(words);
    if (kept == words_.end()) {
        if (words_.size() >= kMostWords)
            words_.clear();
        words_.insert(words, nullptr);
        QProxyStyle::drawItemText(painter, rect, flags, palette, enabled, text, textRole);
        return;
    }
    if (*kept == nullptr)
        *kept = LayOut(*painter, rect, flags, palette, enabled, text, textRole);
    const LaidOut& laidOut = **kept;
    if (!laidOut.kept) {
        QProxyStyle::drawItemText(painter, rect, flags, palette, enabled, text, textRole);
        return;
    }
    const QPen pen = painter->pen();
    painter->setPen(QPen(laidOut.brush, pen.widthF()));
    laidOut.layout.draw(painter, rect.topLeft() + laidOut.offset);
    painter->setPen(pen);
}

// Lets the style draw the text once where it is only written down, lays it out as one line
// the same way, and keeps the layout only if drawing it gives the very same runs of text.
std::shared_ptr<const FrameCacheStyle::LaidOut> FrameCacheStyle::LayOut(
    const QPainter& painter, const QRect& rect, int flags, const QPalette& palette, bool enabled,
    const QString& text, QPalette::ColorRole textRole) const {
    auto laidOut = std::make_shared<LaidOut>();
    TextRecorder drawn(*painter.device());
    {
        QPainter recording(&drawn);
        TakeTextState(recording, painter);
        QProxyStyle::drawItemText(&recording, rect, flags, palette, enabled, text, textRole);
    }
    if (drawn.other || drawn.runs.empty() || !drawn.runs.front().path.isEmpty())
        return laidOut;

    QList<QTextLayout::FormatRange> underlines;
    laidOut->layout.setText(ShownText(text, flags, underlines));
    laidOut->layout.setFormats(underlines);
    laidOut->layout.setFont(painter.font());
    QTextOption option;
    option.setTextDirection((flags & Qt::TextForceLeftToRight)   ? Qt::LeftToRight
                            : (flags & Qt::TextForceRightToLeft) ? Qt::RightToLeft
                                                                 : painter.layoutDirection());
    option.setFlags(QTextOption::IncludeTrailingSpaces);
    laidOut->layout.setTextOption(option);
    laidOut->layout.setCacheEnabled(true);
    laidOut->layout.beginLayout();
    QTextLine line = laidOut->layout.createLine();
    if (!line.isValid()) {
        laidOut->layout.endLayout();
        return laidOut;
    }
    line.setLineWidth(0x01000000);
    line.setPosition(QPointF(0, 0));
    const bool oneLine = !laidOut->layout.createLine().isValid();
    laidOut->layout.endLayout();
    if (!oneLine)
        return laidOut;

    // Where the layout's first run falls when drawn at the origin gives the offset at which
    // it must be drawn to fall where the style put it.
    laidOut->brush = drawn.runs.front().pen.brush();
    TextRecorder atOrigin(*painter.device());
    {
        QPainter recording(&atOrigin);
        TakeTextState(recording, painter);
        recording.setPen(QPen(laidOut->brush, painter.pen().widthF()));
        laidOut->layout.draw(&recording, QPointF(0, 0));
    }
    if (atOrigin.runs.empty())
        return laidOut;
    laidOut->offset = drawn.runs.front().at - atOrigin.runs.front().at - QPointF(rect.topLeft());

    TextRecorder redrawn(*painter.device());
    {
        QPainter recording(&redrawn);
        TakeTextState(recording, painter);
        recording.setPen(QPen(laidOut->brush, painter.pen().widthF()));
        laidOut->layout.draw(&recording, rect.topLeft() + laidOut->offset);
    }
    laidOut->kept = !redrawn.other && redrawn.runs == drawn.runs;
    return laidOut;
}

void UseFrameCache() {
    // The proxy takes the application's own Fusion over instead of making a second one; the
    // application then no longer deletes it, the proxy does.
    if (QStyle* style = QApplication::style();
        style->name().compare(kFusion, Qt::CaseInsensitive) == 0)
        QApplication::setStyle(new FrameCacheStyle(style));
}

}  // namespace zerkan
