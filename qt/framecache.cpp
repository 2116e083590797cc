#include "qt/framecache.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTransform>
#include <optional>

namespace zerkan {
namespace {

const QString kFusion = QStringLiteral("fusion");

// Far more than the window has frames; only a change of palette or size makes new ones.
constexpr qsizetype kMostFrames = 64;

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
            // The frame starts lower when the box has a title or a check box.
            if (const auto* box = qobject_cast<const QGroupBox*>(widget))
                return box->isCheckable() || !box->title().isEmpty() ? 1 : 0;
            return 0;
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

void FrameCacheStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                    QPainter* painter, const QWidget* widget) const {
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
    const std::optional<int> widgetPart = WidgetPart(element, widget);
    // A scaled or rotated painter would blur a copied picture.
    if (!frame || !widgetPart || frame->rect.isEmpty() ||
        painter->transform().type() > QTransform::TxTranslate) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const qreal ratio = painter->device()->devicePixelRatioF();
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
    auto kept = frames_.constFind(look);
    if (kept == frames_.cend()) {
        QPixmap pixmap(frame->rect.size() * ratio);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        QPainter picture(&pixmap);
        picture.setRenderHints(painter->renderHints());
        picture.translate(-frame->rect.topLeft());
        QProxyStyle::drawPrimitive(element, option, &picture, widget);
        picture.end();
        if (frames_.size() >= kMostFrames)
            frames_.clear();
        kept = frames_.insert(look, pixmap);
    }
    painter->drawPixmap(frame->rect.topLeft(), *kept);
}

void UseFrameCache() {
    if (QApplication::style()->name().compare(kFusion, Qt::CaseInsensitive) == 0)
        QApplication::setStyle(new FrameCacheStyle(QStyleFactory::create(kFusion)));
}

}  // namespace zerkan
