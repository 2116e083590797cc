// Hostile input at the real window, offscreen: pasted junk in the count field, text the code
// page cannot hold in the pickers, Undo far past the empty molecule, every element added in
// turn, double-clicks and key repeat on the buttons, and the accept action with every mix of
// empty, zero and huge fields. After every gesture the invariants hold, and every message box
// (dismissed at once) carries one of the program's own texts.

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <memory>
#include <utility>

#include "core/composition_state.h"
#include "core/elements.h"
#include "core/texts.h"
#include "qt/resultbox.h"
#include "qt/zerkandlg.h"
#include "tests/support/invariants.h"
#include "tests/support/qt/window_input.h"

using namespace zerkan;
using test::FromQ;
using test::TypeKeys;

namespace {

QString Q(std::string_view windows1254) {
    return test::ToQ(windows1254);
}

void Click(QPushButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

}  // namespace

Q_DECLARE_METATYPE(zerkan::ControlId)

class HostileInput : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void pasteIntoCountField_data();
    void pasteIntoCountField();
    void pasteIntoAFullCountField();
    void pickersTakeAnyText_data();
    void pickersTakeAnyText();
    void turkishLettersInEveryCase();
    void undoTwoThousandTimes();
    void addEveryElementInTurn();
    void doubleClicksOnTheButtons_data();
    void doubleClicksOnTheButtons();
    void keyRepeatOnTheButtons_data();
    void keyRepeatOnTheButtons();
    void acceptActionWithEveryMixOfFields_data();
    void acceptActionWithEveryMixOfFields();

  private:
    template <typename T = QPushButton>
    T* Find(ControlId id) {
        return test::FindControl<T>(*window_, id);
    }
    QComboBox* Picker(ControlId id) { return Find<QComboBox>(id); }
    // Fails the test when an invariant is broken or a message is not the program's own.
    bool Holds(const char* after);
    void Compose(int element, const QString& count);

    std::unique_ptr<CompositionState> state_;
    std::unique_ptr<MainDialog> window_;
    std::unique_ptr<test::MessageCatcher> messages_;
    robust::InvariantHistory history_;
    QStringList lastMessages_;  // shown during the gesture that Holds checked last
    QPushButton *add_ = nullptr, *undo_ = nullptr, *reset_ = nullptr, *search_ = nullptr;
    QLineEdit* count_ = nullptr;
};

void HostileInput::init() {
    state_ = std::make_unique<CompositionState>();
    window_ = std::make_unique<MainDialog>(*state_);
    messages_ = std::make_unique<test::MessageCatcher>();
    history_ = robust::InvariantHistory();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    add_ = Find(ControlId::AddButton);
    undo_ = Find(ControlId::UndoButton);
    reset_ = Find(ControlId::ResetButton);
    search_ = Find(ControlId::SearchButton);
    count_ = Find<QLineEdit>(ControlId::CountField);
    QVERIFY(Holds("start"));
}

void HostileInput::cleanup() {
    messages_.reset();
    window_.reset();
    state_.reset();
    const QString left = test::LeftoverWindows(true);
    QVERIFY2(left.isEmpty(), qPrintable(left));
}

bool HostileInput::Holds(const char* after) {
    const auto problems = robust::CheckInvariants(*state_, test::ViewOf(*window_), history_);
    for (const std::string& p : problems)
        qWarning("after %s: %s", after, p.c_str());
    bool own = true;
    lastMessages_.clear();
    for (const test::ShownMessage& shown : std::exchange(messages_->shown, {})) {
        lastMessages_.push_back(shown.text);
        if (!robust::IsOwnMessage(FromQ(shown.text))) {
            qWarning("after %s: message not the program's own: %s", after, qPrintable(shown.text));
            own = false;
        }
        own = own && shown.title == QApplication::applicationName() && shown.buttonCount == 1;
    }
    return problems.empty() && own;
}

void HostileInput::Compose(int element, const QString& count) {
    for (const test::Gesture& g : test::AddingEntry(element, FromQ(count))) {
        test::Apply(*window_, g);
        QVERIFY(Holds(g.kind == test::Gesture::Kind::Click ? "Add" : "choose or count"));
    }
}

// ---- the count field -----------------------------------------------------------------------

void HostileInput::pasteIntoCountField_data() {
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("shown");  // what the field holds afterwards
    QTest::newRow("letters") << "abc"
                             << "";
    QTest::newRow("minus sign") << "-5"
                                << "";
    QTest::newRow("plus sign") << "+5"
                               << "";
    QTest::newRow("blanks around") << " 12 "
                                   << "";
    QTest::newRow("digits and letters") << "12abc34"
                                        << "";
    QTest::newRow("ten digits") << "1234567890"
                                << "123456789";
    QTest::newRow("twenty digits") << "99999999999999999999"
                                   << "999999999";
    QTest::newRow("2^31") << "2147483648"
                          << "214748364";
    QTest::newRow("-2^31") << "-2147483648"
                           << "";
    QTest::newRow("nine digits") << "999999999"
                                 << "999999999";
    QTest::newRow("leading zeros") << "007"
                                   << "007";
    QTest::newRow("Arabic-Indic digits") << QString::fromUtf8("٣٤") << "";
    QTest::newRow("full-width digits") << QString::fromUtf8("１２") << "";
    QTest::newRow("emoji") << QString::fromUtf8("😀") << "";
    QTest::newRow("line break") << "1\n2"
                                << "";
}

void HostileInput::pasteIntoCountField() {
    QFETCH(QString, pasted);
    QFETCH(QString, shown);
    test::ChooseFromList(Picker(ControlId::NamePicker), 7);  // Oksijen
    QVERIFY(Holds("choose"));
    test::Paste(count_, pasted);
    QVERIFY(Holds("paste"));
    QCOMPARE(count_->text(), shown);
    QVERIFY(state_->count >= 0);
    Click(add_);
    QVERIFY(Holds("Add"));
    QCOMPARE(state_->step, 2);
    QVERIFY(state_->entryCount[0] >= 1);
    QCOMPARE(state_->entryCount[0], std::max(1, shown.isEmpty() ? 0 : shown.toInt()));
}

void HostileInput::pasteIntoAFullCountField() {
    test::TypeOver(count_, "12345678");
    QVERIFY(Holds("typing"));
    count_->end(false);
    test::Paste(count_, "999");
    QVERIFY(Holds("paste"));
    QCOMPARE(count_->text(), QString("123456789"));
    // Typing on in a full field changes nothing.
    TypeKeys(count_, "77");
    QVERIFY(Holds("typing"));
    QCOMPARE(state_->count, 123456789);
}

// ---- the pickers ---------------------------------------------------------------------------

void HostileInput::pickersTakeAnyText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("paste");
    QTest::newRow("1000 letters") << QString(1000, QChar('a')) << true;
    QTest::newRow("1000 Turkish letters") << QString(1000, QChar(0x015E)) << true;
    QTest::newRow("1000 digits") << QString(1000, QChar('1')) << true;
    QTest::newRow("control characters") << QString::fromUtf8("\x01\x02\t\x1b\x7f") << false;
    QTest::newRow("emoji") << QString::fromUtf8("😀👍") << false;
    QTest::newRow("Arabic") << QString::fromUtf8("هيدروجين") << false;
    QTest::newRow("CJK") << QString::fromUtf8("氢氧") << false;
    QTest::newRow("only spaces") << "     " << false;
    QTest::newRow("emoji after a symbol") << QString::fromUtf8("O😀") << false;
    QTest::newRow("pasted mix") << QString::fromUtf8("Ok\x01😀氢 ") << true;
}

void HostileInput::pickersTakeAnyText() {
    QFETCH(QString, text);
    QFETCH(bool, paste);
    for (ControlId id : {ControlId::NumberPicker, ControlId::NamePicker, ControlId::SymbolPicker}) {
        QLineEdit* edit = Picker(id)->lineEdit();
        for (QPushButton* button : {search_, add_}) {
            test::ChooseFromList(Picker(ControlId::SymbolPicker), 5);
            QVERIFY(Holds("choose"));
            edit->setFocus(Qt::MouseFocusReason);
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(edit, Qt::Key_Backspace);
            QVERIFY(Holds("erase"));
            if (paste) {
                test::Paste(edit, text);
            } else {
                TypeKeys(edit, text);
            }
            QVERIFY(Holds("text"));
            // What the picker holds is what the logic reads: nothing outside the code page.
            QCOMPARE(Q(FromQ(edit->text())), edit->text());
            const int step = state_->step;
            Click(button);
            QVERIFY(Holds(button == search_ ? "search" : "Add"));
            // Found, added, or refused with one message.
            const bool done =
                button == search_ ? state_->selectedIndex >= 0 : state_->step == step + 1;
            QCOMPARE(lastMessages_.size(), done ? 0 : 1);
        }
    }
}

void HostileInput::turkishLettersInEveryCase() {
    // Upper case by the Turkish rule (i -> İ, ı -> I) and by the ASCII rule (i -> I), lower
    // case likewise: every name is found in every form.
    for (int i = 0; i < kElementCount; ++i) {
        const QString name = Q(ElementTable::Name(i));
        QString turkishUpper = name, asciiUpper = name.toUpper(), lower = name;
        turkishUpper.replace(QChar('i'), QChar(0x0130)).replace(QChar(0x0131), QChar('I'));
        turkishUpper = turkishUpper.toUpper();
        lower.replace(QChar(0x0130), QChar('i')).replace(QChar('I'), QChar(0x0131));
        lower = lower.toLower();
        for (const QString& typed : {turkishUpper, asciiUpper, lower}) {
            test::TypeOver(Picker(ControlId::NamePicker)->lineEdit(), typed);
            QVERIFY(Holds("typing a name"));
            Click(search_);
            QVERIFY(Holds("search"));
            if (state_->selectedIndex != i) {
                QFAIL(qPrintable(QStringLiteral("\"%1\" found %2, not %3")
                                     .arg(typed)
                                     .arg(state_->selectedIndex)
                                     .arg(i)));
            }
        }
    }
    // The Turkish letters in the other pickers: found or refused, never harmful.
    const QString letters = QString::fromUtf8("çÇğĞıIİiöÖşŞüÜ");
    for (ControlId id : {ControlId::SymbolPicker, ControlId::NumberPicker}) {
        for (const QChar c : letters) {
            test::TypeOver(Picker(id)->lineEdit(), QString(c));
            QVERIFY(Holds("typing a letter"));
            Click(search_);
            QVERIFY(Holds("search"));
            Click(add_);
            QVERIFY(Holds("Add"));
        }
    }
}

// ---- Add and Undo --------------------------------------------------------------------------

void HostileInput::undoTwoThousandTimes() {
    Compose(0, "2");
    Compose(7, "");
    Compose(111, "999999999");
    Compose(5, "007");
    for (int i = 0; i < 2000; ++i) {
        Click(undo_);
        if (!Holds("Undo"))
            QFAIL(qPrintable(QStringLiteral("after Undo %1").arg(i + 1)));
    }
    QCOMPARE(state_->step, 1);
    QCOMPARE(state_->molecularMass, 0.0);
    Click(add_);  // Undo left Hidrojen chosen
    QVERIFY(Holds("Add"));
    QCOMPARE(Find<ResultBox>(ControlId::FormulaBox)->text(), QString("H"));
}

void HostileInput::addEveryElementInTurn() {
    const QString counts[] = {"", "999999999", "007", "1", "0"};
    int added = 0;
    for (int i = 0; i < kElementCount; ++i) {
        Compose(i, counts[i % 5]);
        if (QTest::currentTestFailed())
            return;
        if (!ElementTable::IsNobleGas(i))
            ++added;
        QCOMPARE(state_->step, added + 1);
    }
    // Then back to empty and up again with the numbers typed.
    Click(reset_);
    QVERIFY(Holds("Reset"));
    for (int i = 0; i < kElementCount; ++i) {
        test::TypeOver(Picker(ControlId::NumberPicker)->lineEdit(), QString::number(i + 1));
        QVERIFY(Holds("typing a number"));
        Click(add_);
        QVERIFY(Holds("Add"));
    }
    QCOMPARE(state_->step, added + 1);
}

// ---- repeated presses ----------------------------------------------------------------------

void HostileInput::doubleClicksOnTheButtons_data() {
    QTest::addColumn<ControlId>("button");
    for (const ControlId id : test::kButtons)
        QTest::newRow(std::string(ControlName(id)).c_str()) << id;
}

void HostileInput::doubleClicksOnTheButtons() {
    QFETCH(ControlId, button);
    QPushButton* target = Find(button);
    for (int round = 0; round < 3; ++round) {
        test::ChooseFromList(Picker(ControlId::NamePicker), 7 + round);
        QVERIFY(Holds("choose"));
        QTest::mouseDClick(target, Qt::LeftButton);
        QVERIFY(Holds("double-click"));
        QTest::mouseClick(target, Qt::LeftButton);
        QVERIFY(Holds("click"));
        Click(add_);
        QVERIFY(Holds("Add"));
    }
}

void HostileInput::keyRepeatOnTheButtons_data() {
    QTest::addColumn<ControlId>("button");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("step");      // after the key is let go
    QTest::addColumn<int>("messages");  // shown meanwhile
    // Space presses a button once, when it is let go; Enter presses it on every repeat. Two
    // entries are held and Oksijen is chosen when the key goes down.
    QTest::newRow("Add, Space") << ControlId::AddButton << int(Qt::Key_Space) << 4 << 0;
    QTest::newRow("Add, Enter") << ControlId::AddButton << int(Qt::Key_Return) << 4 << 20;
    QTest::newRow("Undo, Space") << ControlId::UndoButton << int(Qt::Key_Space) << 2 << 0;
    QTest::newRow("Undo, Enter") << ControlId::UndoButton << int(Qt::Key_Return) << 1 << 0;
    QTest::newRow("Reset, Space") << ControlId::ResetButton << int(Qt::Key_Space) << 1 << 0;
    QTest::newRow("Reset, Enter") << ControlId::ResetButton << int(Qt::Key_Return) << 1 << 0;
    QTest::newRow("Search, Space") << ControlId::SearchButton << int(Qt::Key_Space) << 3 << 0;
    QTest::newRow("Search, Enter") << ControlId::SearchButton << int(Qt::Key_Return) << 3 << 0;
}

void HostileInput::keyRepeatOnTheButtons() {
    QFETCH(ControlId, button);
    QFETCH(int, key);
    QFETCH(int, step);
    QFETCH(int, messages);
    QPushButton* target = Find(button);
    int shown = 0;
    Compose(0, "3");
    Compose(8, "");
    test::ChooseFromList(Picker(ControlId::NamePicker), 7);
    QVERIFY(Holds("choose"));
    target->setFocus(Qt::TabFocusReason);
    const QString text = key == Qt::Key_Space ? QStringLiteral(" ") : QStringLiteral("\r");
    // A key held down: one press, twenty repeated presses, one release.
    for (int i = 0; i <= 20; ++i) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text, i > 0);
        QApplication::sendEvent(target, &press);
        QVERIFY(Holds("a key press"));
        shown += static_cast<int>(lastMessages_.size());
    }
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text, false);
    QApplication::sendEvent(target, &release);
    QVERIFY(Holds("the key release"));
    shown += static_cast<int>(lastMessages_.size());
    QCOMPARE(state_->step, step);
    QCOMPARE(shown, messages);
}

// ---- the accept action ---------------------------------------------------------------------

void HostileInput::acceptActionWithEveryMixOfFields_data() {
    QTest::addColumn<QString>("count");
    QTest::addColumn<int>("molecule");  // 0: none, 1: water, 2: 999999999 Ununbiyum
    QTest::addColumn<bool>("chosen");   // an element shown, so AtomicMassValue has a number
    QTest::addColumn<QString>("message");
    const QString integer = Q(texts::kIntegerExpected);
    const QString range = Q(texts::kCountRange);
    const QString number = Q(texts::kNumberExpected);
    for (const QString& count : {QString(), QString("0"), QString("5"), QString("999999999")}) {
        for (int molecule = 0; molecule < 3; ++molecule) {
            for (bool chosen : {false, true}) {
                QString message = count.isEmpty() ? integer
                                  : count == "0"  ? range
                                  : molecule == 0 ? number
                                  : !chosen       ? number
                                                  : QString();
                QTest::addRow("count '%s', molecule %d, %s", qPrintable(count), molecule,
                              chosen ? "chosen" : "none chosen")
                    << count << molecule << chosen << message;
            }
        }
    }
}

void HostileInput::acceptActionWithEveryMixOfFields() {
    QFETCH(QString, count);
    QFETCH(int, molecule);
    QFETCH(bool, chosen);
    QFETCH(QString, message);
    if (molecule == 1) {
        Compose(0, "2");
        Compose(7, "");
    } else if (molecule == 2) {
        Compose(111, "999999999");
    }
    if (chosen) {
        test::ChooseFromList(Picker(ControlId::NumberPicker), 25);
        QVERIFY(Holds("choose"));
    }
    test::TypeOver(count_, count);
    QVERIFY(Holds("count"));
    const CompositionState before = *state_;
    QTest::keyClick(count_, Qt::Key_Return);
    QVERIFY(Holds("the accept action"));
    const QStringList shown = lastMessages_;
    if (message.isEmpty()) {
        QVERIFY(shown.isEmpty());
        QVERIFY(!window_->isVisible());
        QCOMPARE(window_->result(), int(QDialog::Accepted));
        // The window may be shown again and used on; the record went on unchanged.
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    } else {
        QCOMPARE(shown, QStringList{message});
        QVERIFY(window_->isVisible());
    }
    QCOMPARE(state_->step, before.step);
    QCOMPARE(state_->count, before.count);
    QCOMPARE(state_->molecularMass, before.molecularMass);
    QCOMPARE(state_->selectedIndex, before.selectedIndex);
    Click(undo_);
    QVERIFY(Holds("Undo"));
    test::ChooseFromList(Picker(ControlId::SymbolPicker), 10);
    QVERIFY(Holds("choose"));
    Click(add_);
    QVERIFY(Holds("Add"));
}

QTEST_MAIN(HostileInput)
#include "tst_hostile.moc"
