#include "qt/aboutdialog.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "core/controls.h"
#include "qt/dialoglayout.h"

namespace zerkan {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutDialog"));
    setWindowTitle(QString::fromUtf8(layout::kAboutTitle.data(),
                                     static_cast<qsizetype>(layout::kAboutTitle.size())));
    // A fixed box with a close button and nothing else in its caption.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    const DialogUnits units = DialogUnits::Of(font());
    client->setFixedSize(units.ToPixels(layout::kAboutClient));
    for (QWidget* control : BuildControls(layout::kAboutControls, units, client)) {
        // OK is the default button: Enter presses it, which accepts the box.
        if (auto* ok = qobject_cast<QPushButton*>(control)) {
            connect(ok, &QPushButton::clicked, this, &QDialog::accept);
            ok->setFocus();
        }
    }

    auto* frame = new QVBoxLayout(this);
    frame->setContentsMargins(0, 0, 0, 0);
    frame->addWidget(client);
    frame->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace zerkan
