#include "qt/zerkan.h"

#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/version.h"
#include "qt/desktopentry.h"
#include "qt/framecache.h"
#include "qt/pictures.h"
#include "qt/zerkandlg.h"

namespace zerkan {
namespace {

CompositionState programState;

#if defined(__unix__) && !defined(__APPLE__)
bool IsEmpty(const char* value) {
    return value == nullptr || *value == '\0';
}
#endif

// The toolkit's messages while the application object starts. Where no window system can be
// reached, the toolkit writes a few lines of its own and then aborts the process through a
// fatal message; the user gets one line of ours and status 1 instead.
struct HeldMessage {
    QtMsgType type;
    const char* file;
    int line;
    const char* function;
    const char* category;
    QString text;
};
std::vector<HeldMessage> heldMessages;

void HoldStartMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtFatalMsg) {
        heldMessages.push_back(
            {type, context.file, context.line, context.function, context.category, text});
        return;
    }
    std::string where;
    for (const char* name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            where += (where.empty() ? "" : ", ") + std::string(name) + '=' + value;
    }
    std::fprintf(stderr, "Zerkan Kütlesi: grafik ekrana bağlanılamadı (%s).\n",
                 where.empty() ? "ekran tanımlı değil" : where.c_str());
    std::fflush(stderr);
    // The toolkit is half started; nothing of it may run any more.
    std::_Exit(1);
}

}  // namespace

CompositionState& ProgramState() {
    return programState;
}

App::App(int& argc, char** argv) : QApplication(argc, argv) {
    // The application name stays Qt's default, the program file's name without extension:
    // message boxes carry it as their title.
    setApplicationVersion(
        QString::fromLatin1(version::kFull.data(), static_cast<qsizetype>(version::kFull.size())));
    // The Wayland app id; X11 gets its window class from the main window.
    setDesktopFileName(QString::fromLatin1(kDesktopEntryName));
    // The menu bar belongs to the window on every desktop; without this, making it asks the
    // session bus whether a global menu runs, and waits for the answer.
    setAttribute(Qt::AA_DontUseNativeMenuBar);
    // The program speaks Turkish whatever the user's locale, and so do the toolkit's own texts
    // (message-box buttons, the fields' context menus). Without the translation they stay
    // English, which is all that can be done.
    auto* toolkitTexts = new QTranslator(this);
    if (toolkitTexts->load(QLocale(QLocale::Turkish, QLocale::Turkey), QStringLiteral("qtbase"),
                           QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(toolkitTexts);
    UseFrameCache();
}

int App::InitInstance(const std::function<void(MainDialog&)>& onShown) {
    MainDialog dialog(ProgramState());
    // The application's icon, for every window that has none of its own, is set once the main
    // window exists: a window made while the application has an icon sends the window system
    // that one first and then its own, a third of a megabyte each time on X11.
    dialog.winId();
    setWindowIcon(ProgramIcon());
    if (onShown)
        QTimer::singleShot(0, &dialog, [&dialog, &onShown] { onShown(dialog); });
    dialog.exec();
    return 0;
}

bool DisplayAvailable() {
#if defined(__unix__) && !defined(__APPLE__)
    if (IsEmpty(std::getenv("QT_QPA_PLATFORM")) && IsEmpty(std::getenv("DISPLAY")) &&
        IsEmpty(std::getenv("WAYLAND_DISPLAY"))) {
        std::fputs("Zerkan Kütlesi: grafik ekran bulunamadı (DISPLAY tanımlı değil).\n", stderr);
        return false;
    }
#endif
    return true;
}

int RunZerkan(int argc, char** argv, std::function<void(MainDialog&)> onShown) {
    if (!DisplayAvailable())
        return 1;
    const QtMessageHandler previous = qInstallMessageHandler(HoldStartMessage);
    App app(argc, argv);
    qInstallMessageHandler(previous);
    for (const HeldMessage& m : heldMessages)
        previous(m.type, QMessageLogContext(m.file, m.line, m.function, m.category), m.text);
    heldMessages.clear();
    return app.InitInstance(onShown);
}

}  // namespace zerkan
