#pragma once

// What the window tests do as a user would: keys into the focused widget, choosing from an
// opened list, typing over a field's text, and answering message boxes.

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <vector>

namespace zerkan::test {

// Keys typed one by one into whatever has the focus, as a keyboard does. Characters outside
// Latin-1 carry their text in the key event.
inline void TypeIntoFocus(const QString& text) {
    for (const QChar c : text) {
        QWidget* target = QApplication::focusWidget();
        const char16_t u = c.toUpper().unicode();
        const bool plain = (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || u == u' ';
        QTest::sendKeyEvent(QTest::Click, target, plain ? static_cast<Qt::Key>(u) : Qt::Key_unknown,
                            QString(c), Qt::NoModifier);
    }
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
inline void ChooseFromList(QComboBox* picker, int index) {
    picker->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(picker, Qt::Key_Down, Qt::AltModifier);
    QAbstractItemView* list = picker->view();
    QTest::keyClick(list, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
}

// Clicks into the field, erases its text and types the new one.
inline void TypeOver(QLineEdit* edit, const QString& text) {
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Backspace);
    TypeIntoFocus(text);
}

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
    ~MessageCatcher() override { qApp->removeEventFilter(this); }
    MessageCatcher(const MessageCatcher&) = delete;
    MessageCatcher& operator=(const MessageCatcher&) = delete;

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (box != nullptr && event->type() == QEvent::Show) {
            QMetaObject::invokeMethod(
                box,
                [this, box] {
                    shown.push_back({box->windowTitle(), box->text(), box->icon(),
                                     static_cast<int>(box->buttons().size()), box->parentWidget()});
                    QTest::keyClick(box, Qt::Key_Return);
                },
                Qt::QueuedConnection);
        }
        return false;
    }

    std::vector<ShownMessage> shown;
};

}  // namespace zerkan::test

#include <QMenu>
#include <QMenuBar>

namespace zerkan::test {

// Clicks the menu's title in the bar, then the item in the opened menu.
inline void ChooseMenuItem(QWidget* window, const char* menuName, const char* actionName) {
    auto* bar = window->findChild<QMenuBar*>();
    auto* menu = window->findChild<QMenu*>(menuName);
    auto* action = window->findChild<QAction*>(actionName);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
}

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
