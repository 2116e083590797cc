#pragma once

// The real window driven as a user drives it: gestures (gesture.h) as key and mouse events,
// keys into the focused widget, menus, and message boxes answered as they show. Also the
// text conversions and look-ups every window test needs.

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <string_view>
#include <vector>

#include "core/surface.h"
#include "core/text.h"
#include "tests/support/gesture.h"
#include "tests/support/window_view.h"

namespace zerkan {
class MainDialog;
}

namespace zerkan::test {

// The core's Windows-1254 texts and Qt's.
QString ToQ(std::string_view windows1254);
Text FromQ(const QString& text);

// The widget of a control: every control carries its member name as its object name.
QString ObjectName(ControlId control);
template <typename T>
T* FindControl(const QWidget& window, ControlId control) {
    T* widget = window.findChild<T*>(ObjectName(control));
    if (widget == nullptr)
        qFatal("no control named %s", qPrintable(ObjectName(control)));
    return widget;
}

// Runs the gesture by real input: a choice through the opened list, typing by keys (text that
// no key produces is pasted into a picker; the count field ignores it), a click by the mouse.
void Apply(MainDialog& window, const Gesture& gesture);
// What the window shows, read through its surface plus the caption and the carets.
WindowView ViewOf(const MainDialog& window);

// Keys typed one by one into `target` (the focused widget when null), as a keyboard does.
// Characters outside Latin-1 carry their text in the key event, as an input method sends them.
void TypeKeys(QWidget* target, const QString& text);
inline void TypeIntoFocus(const QString& text) {
    TypeKeys(nullptr, text);
}
inline void PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}
// Queues the keys (press and release each) to the window as the window system delivers them:
// each goes to whatever has the focus when it is handled, shortcuts first. Nothing runs until
// the event loop turns.
inline void PostKeys(QWidget* window, const QKeySequence& keys) {
    for (int i = 0; i < keys.count(); ++i) {
        const QKeyCombination combination = keys[i];
        const Qt::Key key = combination.key();
        const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
        const QString text = modifiers == Qt::NoModifier && key < 0x80
                                 ? QString(QChar(static_cast<char16_t>(key))).toLower()
                                 : QString();
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QCoreApplication::postEvent(window->windowHandle(),
                                        new QKeyEvent(type, key, modifiers, text));
        }
    }
}
// Opens the list with Alt+Down, walks to the entry and takes it with Enter.
void ChooseFromList(QComboBox* picker, int index);
// Clicks into the field, selects and erases its text and types the new one. An empty text is
// still an edit (a character is typed and erased). With `paste`, text that no key produces
// is pasted instead.
void TypeOver(QLineEdit* edit, const QString& text, bool paste = false);
// Puts the text on the clipboard and pastes it with Ctrl+V where the field's caret stands.
void Paste(QLineEdit* edit, const QString& text);
// The top-level widgets a test left behind once the posted deletions have run, by class and
// name (with `visibleOnly`, the shown ones only); empty when there are none.
QString LeftoverWindows(bool visibleOnly = false);

// Clicks the menu's title in the bar, then the item in the opened menu.
void ChooseMenuItem(QWidget* window, const char* menuName, const char* actionName);

struct ShownMessage {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttonCount = 0;
    QWidget* parent = nullptr;
};

// Answers every message box with Enter as soon as it shows, and keeps what it showed.
class MessageCatcher final : public QObject {
  public:
    MessageCatcher() { qApp->installEventFilter(this); }
    ~MessageCatcher() override {
        if (qApp != nullptr)
            qApp->removeEventFilter(this);
    }
    MessageCatcher(const MessageCatcher&) = delete;
    MessageCatcher& operator=(const MessageCatcher&) = delete;

    bool eventFilter(QObject* watched, QEvent* event) override;
    // The texts shown since the last call, in Windows-1254.
    std::vector<Text> TakeTexts();

    std::vector<ShownMessage> shown;
};

// Runs `answer` on each dialog of type T as soon as it shows (for modal dialogs the test
// cannot reach otherwise), and counts them.
template <typename T, typename Answer>
class DialogAnswerer final : public QObject {
  public:
    explicit DialogAnswerer(Answer answer) : answer_(std::move(answer)) {
        qApp->installEventFilter(this);
    }
    ~DialogAnswerer() override { qApp->removeEventFilter(this); }
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* dialog = qobject_cast<T*>(watched);
        if (dialog != nullptr && event->type() == QEvent::Show) {
            ++count;
            QMetaObject::invokeMethod(
                dialog, [this, dialog] { answer_(*dialog); }, Qt::QueuedConnection);
        }
        return false;
    }

    int count = 0;

  private:
    Answer answer_;
};

}  // namespace zerkan::test
