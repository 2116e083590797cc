// The scenario driver on the real window: a MainDialog, offscreen, driven by the keyboard and
// mouse events a user would produce, and read back from its widgets.

#include <QApplication>
#include <cstdio>
#include <memory>

#include "driver.h"
#include "qt/zerkandlg.h"
#include "tests/support/qt/window_input.h"

namespace zerkan::replay {
namespace {

// The runner's standard error carries its own diagnostics only; the offscreen platform's
// remarks (no keyboard grab, no runtime directory) are not about the scenario.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "zerkan-replay: Qt: %s\n", qPrintable(message));
    }
}

std::unique_ptr<QApplication> MakeApplication(int& argc, char** argv) {
    if (QApplication::instance() != nullptr)
        return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QApplication>(argc, argv);
}

class WindowDriver final : public ScenarioDriver {
  public:
    WindowDriver(int& argc, char** argv)
        : previousHandler_(qInstallMessageHandler(QuietQtMessages)),
          app_(MakeApplication(argc, argv)),
          state_(std::make_unique<CompositionState>()),
          dialog_(std::make_unique<MainDialog>(*state_)) {
        dialog_->SetReadMeLauncher([](const ReadMeRequest&) {});
        catcher_ = std::make_unique<test::MessageCatcher>();
        dialog_->show();
        if (!QTest::qWaitForWindowActive(dialog_.get())) {
            std::fputs("zerkan-replay: the window did not become active\n", stderr);
        }
    }

    ~WindowDriver() override {
        catcher_.reset();
        dialog_.reset();
        app_.reset();
        qInstallMessageHandler(previousHandler_);
    }

    WindowDriver(const WindowDriver&) = delete;
    WindowDriver& operator=(const WindowDriver&) = delete;

    void Apply(const Gesture& gesture) override { test::Apply(*dialog_, gesture); }
    WindowView Read() const override { return test::ViewOf(*dialog_); }
    std::vector<Text> TakeMessages() override { return catcher_->TakeTexts(); }

    const CompositionState& State() const override { return *state_; }

  private:
    QtMessageHandler previousHandler_;
    std::unique_ptr<QApplication> app_;
    std::unique_ptr<CompositionState> state_;
    std::unique_ptr<MainDialog> dialog_;
    std::unique_ptr<test::MessageCatcher> catcher_;
};

}  // namespace

std::unique_ptr<ScenarioDriver> MakeWindowDriver(int& argc, char** argv) {
    return std::make_unique<WindowDriver>(argc, argv);
}

}  // namespace zerkan::replay
