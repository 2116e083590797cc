#include "qt/zerkan.h"

#include <QIcon>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "qt/zerkandlg.h"

namespace zerkan {
namespace {

CompositionState programState;

#if defined(__unix__) && !defined(__APPLE__)
bool IsEmpty(const char* value) {
    return value == nullptr || *value == '\0';
}
#endif

}  // namespace

CompositionState& ProgramState() {
    return programState;
}

App::App(int& argc, char** argv) : QApplication(argc, argv) {
    // The application name stays Qt's default, the program file's name without extension:
    // message boxes carry it as their title.
    setApplicationVersion(QStringLiteral("3.1.0.1"));
    setWindowIcon(ProgramIcon());
}

int App::InitInstance(const std::function<void(MainDialog&)>& onShown) {
    MainDialog dialog(ProgramState());
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
    App app(argc, argv);
    return app.InitInstance(onShown);
}

}  // namespace zerkan
