// What a screen reader or another assistive client reads and edits through the accessibility
// interfaces, in process: the text of every field and box by ranges, its selection and caret,
// edits that obey the keyboard's rules, and the pickers' list, edit field and actions.

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QTest>
#include <functional>
#include <utility>

#include "core/composition_state.h"
#include "qt/zerkandlg.h"
#include "tests/support/qt/window_input.h"

using namespace zerkan;
using namespace zerkan::test;

namespace {

// The window with water composed and oxygen chosen again, so that every field shows text.
struct Window {
    CompositionState state;
    MainDialog dialog{state};

    Window() {
        dialog.show();
        for (const Gesture& g :
             {Gesture::Choose(ControlId::NamePicker, 0), Gesture::TypeCount("2"),
              Gesture::Click(ControlId::AddButton), Gesture::Choose(ControlId::NamePicker, 7),
              Gesture::Click(ControlId::AddButton), Gesture::Choose(ControlId::NamePicker, 7),
              Gesture::TypeCount("12345")}) {
            Apply(dialog, g);
        }
    }
    // The widget an assistive client reads for a control: a picker's edit field.
    QWidget* Reads(ControlId id) const {
        QWidget* widget = FindControl<QWidget>(dialog, id);
        if (auto* picker = qobject_cast<QComboBox*>(widget))
            return picker->lineEdit();
        return widget;
    }
    QAccessibleInterface* Interface(ControlId id) const {
        return QAccessible::queryAccessibleInterface(Reads(id));
    }
};

}  // namespace

Q_DECLARE_METATYPE(zerkan::ControlId)

class tst_AccessibleText : public QObject {
    Q_OBJECT

  private slots:
    void textReadsByRangesSelectionAndCaret_data();
    void textReadsByRangesSelectionAndCaret();
    void editsObeyTheKeyboardsRules_data();
    void editsObeyTheKeyboardsRules();
    void pickersOfferTheirListTheirFieldAndTheirActions();
};

void tst_AccessibleText::textReadsByRangesSelectionAndCaret_data() {
    QTest::addColumn<ControlId>("control");
    QTest::addColumn<QString>("shown");
    QTest::newRow("count field") << ControlId::CountField << "12345";
    QTest::newRow("picker") << ControlId::NamePicker << "Oksijen";
    QTest::newRow("molecular mass") << ControlId::MolecularMassBox << "18.01528";
    QTest::newRow("contents") << ControlId::ContentsBox << "2 Hidrojen, 1 Oksijen ";
    QTest::newRow("formula") << ControlId::FormulaBox << "H2O";
}

void tst_AccessibleText::textReadsByRangesSelectionAndCaret() {
    QFETCH(ControlId, control);
    QFETCH(QString, shown);
    Window w;
    QAccessibleInterface* iface = w.Interface(control);
    QAccessibleTextInterface* text = iface->textInterface();
    QVERIFY(text != nullptr);
    QCOMPARE(iface->text(QAccessible::Value), shown);
    const int n = text->characterCount();
    QCOMPARE(n, shown.size());
    QVERIFY(iface->state().selectableText);
    // Ranges past either end are cut to the text; a reversed range is empty.
    QCOMPARE(text->text(1, 3), shown.mid(1, 2));
    QCOMPARE(text->text(-5, n + 5), shown);
    QCOMPARE(text->text(3, 1), QString());

    text->setSelection(0, 1, 3);
    int start = -1, end = -1;
    QCOMPARE(text->selectionCount(), 1);
    text->selection(0, &start, &end);
    QCOMPARE(std::pair(start, end), std::pair(1, 3));
    text->selection(1, &start, &end);  // there is only one selection
    QCOMPARE(std::pair(start, end), std::pair(0, 0));
    text->removeSelection(1);
    QCOMPARE(text->selectionCount(), 1);
    text->removeSelection(0);
    QCOMPARE(text->selectionCount(), 0);
    text->addSelection(0, n);
    text->selection(0, &start, &end);
    QCOMPARE(std::pair(start, end), std::pair(0, n));
    text->setCursorPosition(2);
    QCOMPARE(text->cursorPosition(), 2);

    // Characters have a place on the screen, and the place leads back to the character.
    QVERIFY(text->characterRect(-1).isEmpty());
    QVERIFY(text->characterRect(n).isEmpty());
    text->scrollToSubstring(n - 1, n);
    const QRect last = text->characterRect(n - 1);
    QVERIFY(!last.isEmpty());
    const int offset = text->offsetAtPoint(last.center());
    QVERIFY2(offset == n - 1 || offset == n, qPrintable(QString::number(offset)));
    QCOMPARE(text->attributes(1, &start, &end), QString());
    QVERIFY(start <= 1 && 1 <= end && end <= n);
}

void tst_AccessibleText::editsObeyTheKeyboardsRules_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("edit");  // insert, delete, replace or value
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("after");
    QTest::newRow("a digit inserted") << "123"
                                      << "insert" << 0 << 0 << "9"
                                      << "9123";
    QTest::newRow("past the end: at the end") << "123"
                                              << "insert" << 99 << 0 << "4"
                                              << "1234";
    QTest::newRow("a letter refused") << "123"
                                      << "insert" << 3 << 0 << "a"
                                      << "123";
    QTest::newRow("the length limit holds") << "123456789"
                                            << "insert" << 9 << 0 << "1"
                                            << "123456789";
    QTest::newRow("a range deleted") << "12345"
                                     << "delete" << 1 << 3 << ""
                                     << "145";
    QTest::newRow("a reversed range deletes nothing") << "12345"
                                                      << "delete" << 3 << 1 << ""
                                                      << "12345";
    QTest::newRow("replaced") << "12345"
                              << "replace" << -3 << 5 << "7"
                              << "7";
    QTest::newRow("the whole value") << "12345"
                                     << "value" << 0 << 0 << "42"
                                     << "42";
    QTest::newRow("a value with letters refused") << "12"
                                                  << "value" << 0 << 0 << "x1"
                                                  << "12";
}

void tst_AccessibleText::editsObeyTheKeyboardsRules() {
    QFETCH(QString, before);
    QFETCH(QString, edit);
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(QString, text);
    QFETCH(QString, after);
    Window w;
    Apply(w.dialog, Gesture::TypeCount(FromQ(before)));
    QAccessibleInterface* iface = w.Interface(ControlId::CountField);
    QAccessibleEditableTextInterface* editable = iface->editableTextInterface();
    QVERIFY(editable != nullptr);
    if (edit == u"insert")
        editable->insertText(start, text);
    else if (edit == u"delete")
        editable->deleteText(start, end);
    else if (edit == u"replace")
        editable->replaceText(start, end, text);
    else
        iface->setText(QAccessible::Value, text);
    QCOMPARE(FindControl<QLineEdit>(w.dialog, ControlId::CountField)->text(), after);
    // The window's own handler ran, as for typing.
    QCOMPARE(w.state.count, after.toInt());

    // A read-only field takes no edits at all.
    QAccessibleInterface* mass = w.Interface(ControlId::MolecularMassBox);
    QVERIFY(mass->state().readOnly);
    QVERIFY(!mass->state().editable);
    QCOMPARE(mass->editableTextInterface(), nullptr);
    mass->setText(QAccessible::Value, QStringLiteral("1"));
    QCOMPARE(mass->text(QAccessible::Value), QStringLiteral("18.01528"));
}

void tst_AccessibleText::pickersOfferTheirListTheirFieldAndTheirActions() {
    Window w;
    auto* picker = FindControl<QComboBox>(w.dialog, ControlId::NamePicker);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(picker);
    QCOMPARE(iface->role(), QAccessible::ComboBox);
    QCOMPARE(iface->text(QAccessible::Value), QStringLiteral("Oksijen"));
    QCOMPARE(iface->childCount(), 2);
    QCOMPARE(iface->child(0)->object(), picker->view());
    QCOMPARE(iface->child(1)->object(), picker->lineEdit());
    QCOMPARE(iface->child(2), nullptr);
    QCOMPARE(iface->indexOfChild(iface->child(0)), 0);
    QCOMPARE(iface->indexOfChild(iface->child(1)), 1);
    QCOMPARE(iface->indexOfChild(nullptr), -1);
    QCOMPARE(iface->indexOfChild(w.Interface(ControlId::CountField)), -1);
    const QPoint field = picker->lineEdit()->mapToGlobal(picker->lineEdit()->rect().center());
    QCOMPARE(iface->childAt(field.x(), field.y())->object(), picker->lineEdit());
    QCOMPARE(iface->childAt(field.x() - 10000, field.y()), nullptr);

    // The field answers to the picker's name, the caption's, and is labelled by the caption.
    QAccessibleInterface* edit = iface->child(1);
    QCOMPARE(edit->text(QAccessible::Name), QStringLiteral("Element"));
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Element"));
    const auto labels = edit->relations(QAccessible::Label);
    QCOMPARE(labels.size(), 1);
    QCOMPARE(labels.front().first->object()->objectName(), QStringLiteral("NameCaption"));
    QVERIFY(!edit->state().passwordEdit);

    // Its actions open and close the list; an unknown action does nothing.
    const QAccessibleActionInterface* actions = iface->actionInterface();
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::showMenuAction()));
    iface->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
    QVERIFY(picker->view()->isVisible());
    iface->actionInterface()->doAction(QStringLiteral("no such action"));
    QVERIFY(picker->view()->isVisible());
    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(!picker->view()->isVisible());
    QCOMPARE(picker->currentIndex(), 7);

    // An entry the client toggles in the open list is the choice, though another entry is
    // highlighted there and the toggle first clears that one's selection.
    iface->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
    QAccessibleInterface* iron = iface->child(0)->child(25);
    iron->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QTRY_VERIFY(!picker->view()->isVisible());
    QCOMPARE(picker->currentText(), QStringLiteral("Demir"));
    QCOMPARE(w.state.selectedIndex, 25);

    // In the closed list too, a toggled entry or a selected row is the choice, and every list
    // then reports as selected what its field shows.
    auto* symbols = FindControl<QComboBox>(w.dialog, ControlId::SymbolPicker);
    const std::pair<int, std::function<void()>> closedChoices[] = {
        {5,
         [iface] {
             iface->child(0)->child(5)->actionInterface()->doAction(
                 QAccessibleActionInterface::toggleAction());
         }},
        {10, [iface] { iface->child(0)->tableInterface()->selectRow(10); }},
    };
    for (const auto& [entry, choose] : closedChoices) {
        choose();
        QTRY_COMPARE(w.state.selectedIndex, entry);
        QVERIFY(!picker->view()->isVisible());
        QCOMPARE(picker->currentIndex(), entry);
        QCOMPARE(symbols->currentIndex(), entry);
        QCOMPARE(symbols->view()->selectionModel()->selectedRows(),
                 QModelIndexList{symbols->model()->index(entry, 0)});
    }
}

QTEST_MAIN(tst_AccessibleText)
#include "tst_accessibletext.moc"
