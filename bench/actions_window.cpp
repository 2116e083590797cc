// Every handler through the real window, offscreen: the action as a click or a choice starts
// it, plus the event-loop turn that lays out and paints its result.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <cstddef>
#include <string_view>

#include "bench/action_benchmarks.h"
#include "core/composition_state.h"
#include "core/surface.h"
#include "qt/zerkan.h"
#include "qt/zerkandlg.h"
#include "tests/support/qt/window_input.h"

namespace {

// Counts paint events anywhere in the program, so that each benchmark can report how many
// widgets an action repaints.
class PaintCounter : public QObject {
  public:
    std::size_t paints = 0;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

class WindowDriver {
  public:
    static constexpr bool kReportsCpuTime = true;

    WindowDriver() : dialog_(state_) {
        dialog_.show();
        if (!QTest::qWaitForWindowExposed(&dialog_))
            qFatal("the window was never exposed");
        qApp->installEventFilter(&paintCounter_);
        // A message box would block the benchmark in its own modal loop: close it at once and
        // count it, so that the benchmark that caused it reports an error instead of a time.
        QObject::connect(&messageGuard_, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != &dialog_) {
                ++messages_;
                modal->close();
            }
        });
        messageGuard_.start(20);
        Settle();
    }

    // As a user: text typed key by key, buttons clicked by the mouse. A choice is timed from
    // the list's report of it: opening the list and walking it by keys would time the list.
    void Apply(const zerkan::test::Gesture& gesture) {
        if (gesture.kind != zerkan::test::Gesture::Kind::Choose) {
            zerkan::test::Apply(dialog_, gesture);
            return;
        }
        auto* combo = zerkan::test::FindControl<QComboBox>(dialog_, gesture.control);
        combo->setCurrentIndex(gesture.index);
        Q_EMIT combo->activated(gesture.index);
    }
    // Everything the action posted: layout requests, update requests (which paint into the
    // backing store and flush it), deferred deletions.
    void Settle() {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
    const zerkan::CompositionState& State() const { return state_; }
    std::size_t MessageCount() const { return messages_; }
    std::size_t PaintCount() const { return paintCounter_.paints; }

  private:
    zerkan::CompositionState state_;
    zerkan::MainDialog dialog_;
    PaintCounter paintCounter_;
    QTimer messageGuard_;
    std::size_t messages_ = 0;
};

benchmark::IterationCount Iterations(std::string_view action, int entries) {
    // Reset is restored by rebuilding the molecule with real Adds, Add by a real Undo; both
    // grow with the molecule, so fewer iterations there keep the run short.
    if (action == "Reset")
        return entries >= 999 ? 5 : entries >= 100 ? 30 : 300;
    if (action == "Add" || action == "Undo")
        return entries >= 999 ? 40 : entries >= 100 ? 100 : 300;
    return 300;
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    // The window is measured offscreen whatever the session offers, so numbers compare.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The program's own application: its style and translations are part of what is timed.
    zerkan::App app(argc, argv);
    WindowDriver driver;
    zerkan::bench::RegisterActionBenchmarks("window", driver, &Iterations);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
