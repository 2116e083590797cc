#include "qt/readme.h"

#include <QDesktopServices>
#include <QDir>

namespace zerkan {

ReadMeRequest CurrentReadMeRequest() {
    return {QUrl::fromLocalFile(QDir::current().absoluteFilePath(QStringLiteral("benioku.rtf")))};
}

void OpenReadMe(const ReadMeRequest& request) {
    // The desktop's opener runs detached; whether it finds a program is its own business.
    QDesktopServices::openUrl(request.document);
}

}  // namespace zerkan
