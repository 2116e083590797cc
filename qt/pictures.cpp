#include "qt/pictures.h"

#include <QIconEngine>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <array>
#include <memory>
#include <optional>
#include <utility>

namespace zerkan {
namespace {

// Every picture is read by the reader of its own format: a reader left to guess the format
// first loads each of the toolkit's image plug-ins and asks it, which cost start-up a few
// libraries and most of a millisecond.
QImage ReadResource(const QString& path, const char* format) {
    QImageReader reader(path, format);
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

struct Deferred {
    std::function<QIcon()> make;
    QList<QSize> sizes;
    std::optional<QIcon> made;

    const QIcon& Icon() {
        if (!made)
            made.emplace(make());
        return *made;
    }
};

// Hands every question that needs a picture to the icon built on first use; Qt's own engine
// then does all the rest (choice of size, the disabled look). The icon's own calls scale by the
// screen's pixel ratio, which the caller has already done: each is asked at ratio 1 or at the
// caller's.
class DeferredIconEngine final : public QIconEngine {
  public:
    explicit DeferredIconEngine(std::shared_ptr<Deferred> icon) : icon_(std::move(icon)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        icon_->Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return pixmap(size, mode, state).size();
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon_->Icon().pixmap(size, 1.0, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        if (scale <= 1.0)
            return pixmap(size, mode, state);
        // `size` comes in device pixels, the icon's own call takes logical ones.
        return icon_->Icon().pixmap(size / scale, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        if (!icon_->sizes.isEmpty())
            return mode == QIcon::Normal && state == QIcon::Off ? icon_->sizes : QList<QSize>();
        return icon_->Icon().availableSizes(mode, state);
    }
    QString iconName() override { return icon_->Icon().name(); }
    bool isNull() override { return icon_->sizes.isEmpty() && icon_->Icon().isNull(); }
    QString key() const override { return QStringLiteral("ZerkanDeferredIcon"); }
    QIconEngine* clone() const override { return new DeferredIconEngine(icon_); }

  private:
    std::shared_ptr<Deferred> icon_;
};

constexpr std::array kIconSizes = {32, 48, 64, 128, 256};

QIcon ReadProgramIcon() {
    QIcon icon;
    for (const int size : kIconSizes) {
        const QString path =
            size == 32
                ? QStringLiteral(":/res/icon180.png")
                : QStringLiteral(":/res/icons/hicolor/%1x%1/apps/zerkan-kutlesi.png").arg(size);
        icon.addPixmap(QPixmap::fromImage(ReadResource(path, "png")));
    }
    return icon;
}

}  // namespace

QPixmap ResourceBitmap(QStringView id) {
    return QPixmap::fromImage(ReadResource(QStringLiteral(":/res/bitmap%1.bmp").arg(id), "bmp"));
}

QIcon DeferredIcon(std::function<QIcon()> make, QList<QSize> sizes) {
    return QIcon(new DeferredIconEngine(
        std::make_shared<Deferred>(Deferred{std::move(make), std::move(sizes), std::nullopt})));
}

QIcon ProgramIcon() {
    // One set of pictures for every program icon alive: the main window's and the
    // application's.
    static std::weak_ptr<Deferred> shared;
    std::shared_ptr<Deferred> pictures = shared.lock();
    if (!pictures) {
        QList<QSize> sizes;
        for (const int size : kIconSizes)
            sizes.append(QSize(size, size));
        pictures = std::make_shared<Deferred>(Deferred{ReadProgramIcon, sizes, std::nullopt});
        shared = pictures;
    }
    return QIcon(new DeferredIconEngine(pictures));
}

}  // namespace zerkan
