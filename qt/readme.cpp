#include "qt/readme.h"

#include <QDesktopServices>
#include <QDir>

#include "qt/platform.h"

namespace zerkan {

ReadMeRequest CurrentReadMeRequest() {
    return {QString::fromLatin1(platform::kWordPadCommandLine),
            QUrl::fromLocalFile(
                QDir::current().absoluteFilePath(QString::fromLatin1(platform::kReadMeDocument)))};
}

void OpenReadMe(const ReadMeRequest& request) {
#ifdef _WIN32
    static_cast<void>(request);
    platform::StartWordPadOnReadMe();
#else
    // The desktop's opener runs detached; whether it finds a program is its own business.
    QDesktopServices::openUrl(request.document);
#endif
}

}  // namespace zerkan
