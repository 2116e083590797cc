#include "tests/support/qt/window_input.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <algorithm>
#include <cstdio>

#include "qt/resultbox.h"
#include "qt/zerkandlg.h"

namespace zerkan::test {

QString ToQ(std::string_view windows1254) {
    const std::string utf8 = ToUtf8(windows1254);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

Text FromQ(const QString& text) {
    return FromUtf8(text.toStdString());
}

QString ObjectName(ControlId control) {
    const std::string_view name = ControlName(control);
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

void TypeKeys(QWidget* target, const QString& text) {
    for (const QChar c : text) {
        QWidget* widget = target != nullptr ? target : QApplication::focusWidget();
        const char16_t u = c.toUpper().unicode();
        const bool plain = (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || u == u' ';
        QTest::sendKeyEvent(QTest::Click, widget, plain ? static_cast<Qt::Key>(u) : Qt::Key_unknown,
                            QString(c), Qt::NoModifier);
    }
}

void ChooseFromList(QComboBox* picker, int index) {
    picker->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(picker, Qt::Key_Down, Qt::AltModifier);
    QAbstractItemView* list = picker->view();
    QTest::keyClick(list, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
}

void TypeOver(QLineEdit* edit, const QString& text, bool paste) {
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty() && edit->text().isEmpty())
        TypeKeys(edit, QStringLiteral("x"));
    // Erased first: a key the field refuses would otherwise leave the old text in place.
    if (!edit->text().isEmpty())
        QTest::keyClick(edit, Qt::Key_Backspace);
    if (paste && std::any_of(text.begin(), text.end(),
                             [](QChar c) { return !c.isPrint() || c.isSurrogate(); })) {
        Paste(edit, text);
        return;
    }
    TypeKeys(edit, text);
}

void Paste(QLineEdit* edit, const QString& text) {
    QApplication::clipboard()->setText(text);
    edit->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
}

QString LeftoverWindows(bool visibleOnly) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QStringList left;
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        if (!visibleOnly || widget->isVisible())
            left << QString::fromLatin1(widget->metaObject()->className()) + u' ' +
                        widget->objectName();
    }
    return left.join(u", ");
}

void ChooseMenuItem(QWidget* window, const char* menuName, const char* actionName) {
    auto* bar = window->findChild<QMenuBar*>();
    auto* menu = window->findChild<QMenu*>(menuName);
    auto* action = window->findChild<QAction*>(actionName);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
}

void Apply(MainDialog& window, const Gesture& gesture) {
    switch (gesture.kind) {
        case Gesture::Kind::Choose: {
            QComboBox* box = FindControl<QComboBox>(window, gesture.control);
            ChooseFromList(box, gesture.index);
            if (box->view()->isVisible() || box->currentIndex() != gesture.index) {
                std::fprintf(stderr, "choosing entry %d of %s failed\n", gesture.index,
                             qPrintable(ObjectName(gesture.control)));
            }
            break;
        }
        case Gesture::Kind::Type:
            TypeOver(FindControl<QComboBox>(window, gesture.control)->lineEdit(), ToQ(gesture.text),
                     true);
            break;
        case Gesture::Kind::TypeCount:
            // Typed one key at a time: the field itself drops what is not a digit and stops at
            // its length limit.
            TypeOver(FindControl<QLineEdit>(window, ControlId::CountField), ToQ(gesture.text));
            break;
        case Gesture::Kind::Click:
            QTest::mouseClick(FindControl<QPushButton>(window, gesture.control), Qt::LeftButton);
            break;
    }
}

WindowView ViewOf(const MainDialog& window) {
    auto caret = [&window](ControlId box) {
        return FindControl<ResultBox>(window, box)->cursorPosition();
    };
    return ReadThroughSurface(window,
                              !FindControl<QLabel>(window, ControlId::AtomicMassLabel)->isHidden(),
                              caret(ControlId::ContentsBox), caret(ControlId::FormulaBox));
}

bool MessageCatcher::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QMessageBox*>(watched);
    if (box != nullptr && event->type() == QEvent::Show) {
        QMetaObject::invokeMethod(
            box,
            [this, box] {
                shown.push_back({box->windowTitle(), box->text(), box->icon(),
                                 static_cast<int>(box->buttons().size()), box->parentWidget()});
                QTest::keyClick(box, Qt::Key_Return);
                if (box->isVisible()) {
                    std::fputs("a message box ignored Enter\n", stderr);
                    box->done(QMessageBox::Ok);
                }
            },
            Qt::QueuedConnection);
    }
    return false;
}

std::vector<Text> MessageCatcher::TakeTexts() {
    std::vector<Text> texts;
    for (const ShownMessage& message : shown)
        texts.push_back(FromQ(message.text));
    shown.clear();
    return texts;
}

}  // namespace zerkan::test
