#pragma once

// The program's pictures and icon, compiled into it under :/res/, and icons read only when
// they are first shown.

#include <QIcon>
#include <QList>
#include <QPixmap>
#include <QSize>
#include <QStringView>
#include <functional>

namespace zerkan {

// Bitmap resource `id` ("132", "177"), at its own pixel size.
QPixmap ResourceBitmap(QStringView id);

// The program icon in every size the resources hold, so each screen and menu gets a crisp one.
// Its pictures are read when one is first wanted: an X11 window asks for all of them as it is
// created, an offscreen window for none.
QIcon ProgramIcon();

// An icon that `make` builds when it is first painted, measured or asked for a picture.
// `sizes`, when given, are its sizes in the normal mode, answered without building it.
QIcon DeferredIcon(std::function<QIcon()> make, QList<QSize> sizes = {});

}  // namespace zerkan
