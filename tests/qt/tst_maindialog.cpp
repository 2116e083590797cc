// The main window through real input: its start state, the typical road, the accept and
// cancel actions, the mnemonics, the menu's commands and what the fields let in.

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "core/composition_state.h"
#include "qt/aboutdialog.h"
#include "qt/resultbox.h"
#include "qt/zerkandlg.h"
#include "tests/support/qt/window_input.h"

using zerkan::CompositionState;
using zerkan::ControlId;
using zerkan::MainDialog;
using zerkan::ReadMeRequest;
using namespace zerkan::test;

namespace {

// A fresh window on its own record, shown and active; the read-me launcher only records.
struct Window {
    CompositionState state;
    std::unique_ptr<MainDialog> dialog;
    std::vector<ReadMeRequest> readMe;

    Window() : dialog(std::make_unique<MainDialog>(state)) {
        dialog->SetReadMeLauncher(
            [this](const ReadMeRequest& request) { readMe.push_back(request); });
        dialog->show();
    }

    template <typename T>
    T* Find(const char* name) const {
        return dialog->findChild<T*>(name);
    }
    QComboBox* Picker(const char* name) const { return Find<QComboBox>(name); }
    QLineEdit* Edit(const char* name) const { return Find<QLineEdit>(name); }
    QString BoxText(const char* name) const { return Find<zerkan::ResultBox>(name)->text(); }
    QString Label(const char* name) const { return Find<QLabel>(name)->text(); }
};

// The parts of the record that a refused accept action must leave alone.
struct Snapshot {
    int selectedIndex, step, count;
    double molecularMass;
    std::string formula, contents;

    explicit Snapshot(const CompositionState& s)
        : selectedIndex(s.selectedIndex),
          step(s.step),
          count(s.count),
          molecularMass(s.molecularMass),
          formula(s.formulaText),
          contents(s.contentsText) {}
    bool operator==(const Snapshot&) const = default;
};

enum class Setup { Nothing, ZeroCount, CountOnly, ElementAndMolecule };

}  // namespace

Q_DECLARE_METATYPE(Setup)

class tst_MainDialog : public QObject {
    Q_OBJECT

  private slots:
    void cleanup();

    void shouldStartEmptyWithFilledPickers();
    void shouldKeepTheRecordItWasGiven();
    void shouldComposeWaterWithTheKeyboardAlone();
    void acceptAction_data();
    void acceptAction();
    void cancel_data();
    void cancel();
    void escapeWithAnOpenListClosesOnlyTheList();
    void enterOnAButtonPressesThatButton();
    void mnemonics_data();
    void mnemonics();
    void typedTextStaysUnselectedWhenFocusLeaves();
    void charactersOutsideTheCodePage_data();
    void charactersOutsideTheCodePage();
    void countFieldTakesDigitsOnly_data();
    void countFieldTakesDigitsOnly();
    void messageBoxIsAWarningTitledWithTheApplicationName();
    void buttonShowsPressedAndLetGoOnScreen();
    void screenShowsWhatAWholePaintShows();
    void aboutBoxFromTheMenuLeavesTheWindowAsItWas();
    void readMe_data();
    void readMe();
    void fileDropsAreNotAccepted();
    void iconOffersEverySize();
};

void tst_MainDialog::cleanup() {
    const QString left = LeftoverWindows();
    QVERIFY2(left.isEmpty(), qPrintable(left));
}

void tst_MainDialog::shouldStartEmptyWithFilledPickers() {
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(w.dialog.get()));
    QCOMPARE(w.dialog->windowTitle(), QStringLiteral("Zerkan Kütlesi 3.1"));
    const struct {
        const char* name;
        const char* first;
        const char* last;
    } pickers[] = {{"NumberPicker", "1", "112"},
                   {"NamePicker", "Hidrojen", "Ununbiyum"},
                   {"SymbolPicker", "H", "Uub"}};
    for (const auto& p : pickers) {
        QComboBox* picker = w.Picker(p.name);
        QCOMPARE(picker->count(), 112);
        QCOMPARE(picker->itemText(0), QString::fromUtf8(p.first));
        if (qstrcmp(p.name, "NumberPicker") == 0)
            QCOMPARE(picker->itemText(111), p.last);
        QCOMPARE(picker->currentIndex(), -1);
        QCOMPARE(picker->currentText(), QString());
        QVERIFY(picker->isEditable());
        QCOMPARE(picker->completer(), nullptr);
        QCOMPARE(picker->insertPolicy(), QComboBox::NoInsert);
    }
    for (const char* name : {"CountField", "MolecularMassBox"})
        QCOMPARE(w.Edit(name)->text(), QString());
    for (const char* name : {"ContentsBox", "FormulaBox"})
        QCOMPARE(w.BoxText(name), QString());
    for (const char* name : {"AtomicMassValue", "ProtonLine", "PeriodGroupLine", "KindLine"})
        QCOMPARE(w.Label(name), QString());
    QCOMPARE(w.Label("StepPrompt"), QStringLiteral("1. Elementi Seçiniz."));
    QCOMPARE(w.Label("CountLabel"), QStringLiteral("1. Elementin Adedi"));
    QVERIFY(w.Find<QLabel>("AtomicMassLabel")->isHidden());
    QCOMPARE(w.Edit("CountField")->maxLength(), 9);
    QCOMPARE(QApplication::focusWidget(), w.Picker("NumberPicker"));
    QCOMPARE(w.state.count, 0);
    QCOMPARE(w.state.step, 1);
    QCOMPARE(w.state.selectedIndex, -1);
}

void tst_MainDialog::shouldKeepTheRecordItWasGiven() {
    // The record outlives windows: a new window neither recreates nor clears it, except that
    // emptying the count field reads the count as 0.
    CompositionState state;
    state.step = 3;
    state.formulaText = "H2O";
    state.molecularMass = 18.01528;
    state.count = 7;
    { MainDialog dialog(state); }
    QCOMPARE(state.step, 3);
    QCOMPARE(state.formulaText, std::string("H2O"));
    QCOMPARE(state.molecularMass, 18.01528);
    QCOMPARE(state.count, 0);
}

void tst_MainDialog::shouldComposeWaterWithTheKeyboardAlone() {
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(w.dialog.get()));
    MessageCatcher messages;
    QSignalSpy added(w.Find<QPushButton>("AddButton"), &QPushButton::clicked);

    PressKey(Qt::Key_Tab);  // NumberPicker -> NamePicker
    QCOMPARE(QApplication::focusWidget(), w.Picker("NamePicker"));
    TypeIntoFocus(QStringLiteral("hidrojen"));
    for (int i = 0; i < 3; ++i)
        PressKey(Qt::Key_Tab);  // SymbolPicker, SearchButton, count
    QCOMPARE(QApplication::focusWidget(), w.Edit("CountField"));
    TypeIntoFocus(QStringLiteral("2"));
    PressKey(Qt::Key_E, Qt::AltModifier);
    QCOMPARE(added.size(), 1);

    // The mnemonic leaves the focus in the count field; back over SearchButton.
    for (int i = 0; i < 2; ++i)
        PressKey(Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), w.Picker("SymbolPicker"));
    TypeIntoFocus(QStringLiteral("O"));
    PressKey(Qt::Key_E, Qt::AltModifier);
    QCOMPARE(added.size(), 2);

    QVERIFY(messages.shown.empty());
    QCOMPARE(w.BoxText("FormulaBox"), QStringLiteral("H2O"));
    QCOMPARE(w.BoxText("ContentsBox"), QStringLiteral("2 Hidrojen, 1 Oksijen "));
    QCOMPARE(w.Edit("MolecularMassBox")->text(), QStringLiteral("18.01528"));
    QCOMPARE(w.Label("StepPrompt"), QStringLiteral("3. Elementi Seçiniz."));
    QCOMPARE(w.state.step, 3);
    QVERIFY(w.dialog->isVisible());
}

void tst_MainDialog::acceptAction_data() {
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QString>("enterIn");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("key");

    const QString integer = QStringLiteral("Lütfen bir tam sayı girin.");
    const QString range = QStringLiteral("Lütfen 1 ile 2147483647 arasında bir tam sayı girin.");
    const QString number = QStringLiteral("Lütfen bir sayı girin.");
    QTest::newRow("empty count, Enter in a picker: an integer is expected")
        << Setup::Nothing << "NamePicker" << integer << "CountField"
        << "Return";
    QTest::newRow("count 0, Enter in a picker: outside the range")
        << Setup::ZeroCount << "NumberPicker" << range << "CountField"
        << "Return";
    QTest::newRow("count 0, keypad Enter in the count field: outside the range")
        << Setup::ZeroCount << "CountField" << range << "CountField"
        << "Num+Enter";
    QTest::newRow("count but no molecular mass: a number is expected")
        << Setup::CountOnly << "SymbolPicker" << number << "MolecularMassBox"
        << "Return";
    QTest::newRow("everything valid, Enter in a picker: the window ends")
        << Setup::ElementAndMolecule << "NamePicker" << QString() << QString() << "Return";
    QTest::newRow("everything valid, keypad Enter in the molecular mass: the window ends")
        << Setup::ElementAndMolecule << "MolecularMassBox" << QString() << QString() << "Num+Enter";
    // Enter with Ctrl or Shift is no accept action: nothing happens, valid fields or not.
    for (const char* key : {"Ctrl+Return", "Shift+Enter"}) {
        QTest::addRow("everything valid, %s: nothing", key)
            << Setup::ElementAndMolecule << "NamePicker" << QString() << "NamePicker" << key;
    }
}

void tst_MainDialog::acceptAction() {
    QFETCH(Setup, setup);
    QFETCH(QString, enterIn);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    QFETCH(QString, key);

    Window w;
    QVERIFY(QTest::qWaitForWindowActive(w.dialog.get()));
    MessageCatcher messages;
    switch (setup) {
        case Setup::Nothing:
            break;
        case Setup::ZeroCount:
            TypeOver(w.Edit("CountField"), QStringLiteral("0"));
            break;
        case Setup::CountOnly:
            TypeOver(w.Edit("CountField"), QStringLiteral("5"));
            break;
        case Setup::ElementAndMolecule:
            ChooseFromList(w.Picker("NamePicker"), 0);
            QTest::mouseClick(w.Find<QPushButton>("AddButton"), Qt::LeftButton);
            ChooseFromList(w.Picker("NamePicker"), 7);
            TypeOver(w.Edit("CountField"), QStringLiteral("3"));
            break;
    }
    const Snapshot before(w.state);
    const QString countText = w.Edit("CountField")->text();
    QSignalSpy finished(w.dialog.get(), &QDialog::finished);

    QWidget* field = w.dialog->findChild<QWidget*>(enterIn);
    if (auto* picker = qobject_cast<QComboBox*>(field))
        field = picker->lineEdit();
    QTest::mouseClick(field, Qt::LeftButton);
    const QKeyCombination keys = QKeySequence::fromString(key)[0];
    PressKey(keys.key(), keys.keyboardModifiers());

    if (message.isEmpty() && !focus.isEmpty()) {
        QVERIFY(messages.shown.empty());
        QCOMPARE(finished.size(), 0);
        QVERIFY(Snapshot(w.state) == before);
        return;
    }
    if (message.isEmpty()) {
        QVERIFY(messages.shown.empty());
        QCOMPARE(finished.size(), 1);
        QCOMPARE(w.dialog->result(), int(QDialog::Accepted));
        QCOMPARE(w.dialog->boundCount, 3);
        QCOMPARE(w.dialog->boundAtomicMass, 15.9994);
        QCOMPARE(w.dialog->boundMolecularMass, 1.00794);
        return;
    }
    QCOMPARE(messages.shown.size(), std::size_t{1});
    QCOMPARE(messages.shown.front().text, message);
    QCOMPARE(finished.size(), 0);
    QVERIFY(w.dialog->isVisible());
    // The window's own focus: it gets the keyboard back when the message box has gone.
    QCOMPARE(w.dialog->focusWidget()->objectName(), focus);
    auto* failed = qobject_cast<QLineEdit*>(w.dialog->focusWidget());
    QCOMPARE(failed->selectedText(), failed->text());
    QVERIFY(Snapshot(w.state) == before);
    QCOMPARE(w.Edit("CountField")->text(), countText);
    if (setup == Setup::CountOnly)
        QCOMPARE(w.dialog->boundCount, 5);  // read before failing
}

void tst_MainDialog::cancel_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Escape") << "Escape";
    QTest::newRow("close box") << "close";
    QTest::newRow("Dosya > Çık") << "menu";
}

void tst_MainDialog::cancel() {
    QFETCH(QString, how);
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(w.dialog.get()));
    MessageCatcher messages;
    ChooseFromList(w.Picker("NamePicker"), 0);
    QTest::mouseClick(w.Find<QPushButton>("AddButton"), Qt::LeftButton);
    QCOMPARE(w.state.step, 2);
    QSignalSpy finished(w.dialog.get(), &QDialog::finished);

    if (how == u"Escape") {
        PressKey(Qt::Key_Escape);
    } else if (how == u"close") {
        w.dialog->close();  // what the close box and Alt+F4 ask of the window
    } else {
        ChooseMenuItem(w.dialog.get(), "FileMenu", "ExitAction");
    }
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.front().front().toInt(), int(QDialog::Rejected));
    QVERIFY(!w.dialog->isVisible());
    QVERIFY(messages.shown.empty());
}

void tst_MainDialog::escapeWithAnOpenListClosesOnlyTheList() {
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(w.dialog.get()));
    QComboBox* picker = w.Picker("SymbolPicker");
    picker->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(picker, Qt::Key_Down, Qt::AltModifier);
    QVERIFY(picker->view()->isVisible());
    QSignalSpy finished(w.dialog.get(), &QDialog::finished);
    QTest::keyClick(picker->view(), Qt::Key_Escape);
    QVERIFY(!picker->view()->isVisible());
    QCOMPARE(finished.size(), 0);
    QCOMPARE(picker->currentIndex(), -1);
    QTest::keyClick(picker, Qt::Key_Escape);
    QCOMPARE(finished.size(), 1);
}

void tst_MainDialog::enterOnAButtonPressesThatButton() {
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(w.dialog.get()));
    ChooseFromList(w.Picker("NamePicker"), 0);
    QPushButton* add = w.Find<QPushButton>("AddButton");
    QVERIFY(!add->autoDefault());
    add->setFocus(Qt::TabFocusReason);
    QSignalSpy finished(w.dialog.get(), &QDialog::finished);
    PressKey(Qt::Key_Return);
    QCOMPARE(w.state.step, 2);
    QCOMPARE(w.BoxText("FormulaBox"), QStringLiteral("H"));
    QCOMPARE(finished.size(), 0);
}

void tst_MainDialog::mnemonics_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QString>("focusText");
    // Each row starts from one hydrogen added. The keys arrive together, as from a fast typist:
    // the mnemonic's handler must run before the key after it.
    QTest::newRow("Alt+E adds carbon before the 8") << "NumberPicker"
                                                    << "6, Alt+E, 8" << 3 << "HC"
                                                    << "8";
    QTest::newRow("Alt+G undoes before the 3") << "CountField"
                                               << "Alt+G, 3" << 1 << ""
                                               << "3";
    QTest::newRow("Alt+S resets before the 8") << "CountField"
                                               << "5, Alt+S, 8" << 1 << ""
                                               << "8";
}

void tst_MainDialog::mnemonics() {
    QFETCH(QString, focus);
    QFETCH(QString, keys);
    QFETCH(int, step);
    QFETCH(QString, formula);
    QFETCH(QString, focusText);
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(w.dialog.get()));
    TypeOver(w.Picker("NumberPicker")->lineEdit(), QStringLiteral("1"));
    QTest::mouseClick(w.Find<QPushButton>("AddButton"), Qt::LeftButton);
    QWidget* target = w.Find<QWidget>(qPrintable(focus));
    target->setFocus(Qt::MouseFocusReason);
    PostKeys(w.dialog.get(), QKeySequence::fromString(keys));
    QCoreApplication::processEvents();
    QCOMPARE(w.state.step, step);
    QCOMPARE(w.BoxText("FormulaBox"), formula);
    QCOMPARE(QApplication::focusWidget(), target->focusProxy() ? target->focusProxy() : target);
    const auto* picker = qobject_cast<QComboBox*>(target);
    QCOMPARE(picker ? picker->currentText() : qobject_cast<QLineEdit*>(target)->text(), focusText);
}

void tst_MainDialog::typedTextStaysUnselectedWhenFocusLeaves() {
    // Only a choice from the list selects; typing a full name and leaving the field must not.
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(w.dialog.get()));
    ChooseFromList(w.Picker("NamePicker"), 0);
    TypeOver(w.Picker("NamePicker")->lineEdit(), QStringLiteral("Oksijen"));
    QCOMPARE(w.Picker("NamePicker")->currentIndex(), -1);
    QVERIFY(w.Find<QLabel>("AtomicMassLabel")->isHidden());
    PressKey(Qt::Key_Tab);
    QCOMPARE(w.Picker("NamePicker")->currentIndex(), -1);
    QCOMPARE(w.Picker("NamePicker")->currentText(), QStringLiteral("Oksijen"));
    QCOMPARE(w.state.selectedIndex, 0);  // the edit handler leaves the choice alone
    QCOMPARE(w.Picker("SymbolPicker")->currentText(), QString());
}

void tst_MainDialog::charactersOutsideTheCodePage_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("Turkish letters stay")
        << QStringLiteral("Kükürtğış") << QStringLiteral("Kükürtğış");
    QTest::newRow("Cyrillic becomes ?") << QStringLiteral("Fж") << QStringLiteral("F?");
    QTest::newRow("a character beyond 16 bits is one ?")
        << QStringLiteral("O\U0001F600") << QStringLiteral("O?");
}

void tst_MainDialog::charactersOutsideTheCodePage() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(w.dialog.get()));
    QLineEdit* edit = w.Picker("NamePicker")->lineEdit();
    QTest::mouseClick(edit, Qt::LeftButton);
    // One key event may carry a whole composed sequence, as an input method sends it.
    QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, typed, Qt::NoModifier);
    QCOMPARE(edit->text(), shown);
    QCOMPARE(ToQ(w.dialog->GetText(zerkan::ControlId::NamePicker)), shown);
}

void tst_MainDialog::countFieldTakesDigitsOnly_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("count");
    QTest::newRow("letters are dropped") << "a1b2"
                                         << "12" << 12;
    QTest::newRow("nine characters at most") << "1234567890123"
                                             << "123456789" << 123456789;
    QTest::newRow("leading zeros stay in the field") << "007"
                                                     << "007" << 7;
    QTest::newRow("no minus sign") << "-5"
                                   << "5" << 5;
    QTest::newRow("only the digits 0 to 9") << QStringLiteral("\u0663\uFF15\u00B2") << "" << 0;
}

void tst_MainDialog::countFieldTakesDigitsOnly() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, count);
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(w.dialog.get()));
    TypeOver(w.Edit("CountField"), typed);
    QCOMPARE(w.Edit("CountField")->text(), shown);
    QCOMPARE(w.state.count, count);
}

void tst_MainDialog::messageBoxIsAWarningTitledWithTheApplicationName() {
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(w.dialog.get()));
    MessageCatcher messages;
    QTest::mouseClick(w.Find<QPushButton>("SearchButton"), Qt::LeftButton);
    QCOMPARE(messages.shown.size(), std::size_t{1});
    const ShownMessage& shown = messages.shown.front();
    QCOMPARE(shown.title, QCoreApplication::applicationName());
    QCOMPARE(shown.title, QStringLiteral("tst_maindialog"));
    QCOMPARE(shown.icon, QMessageBox::Warning);
    QCOMPARE(shown.buttonCount, 1);
    QCOMPARE(shown.parent, w.dialog.get());
    QVERIFY(!shown.text.isEmpty());
}

void tst_MainDialog::buttonShowsPressedAndLetGoOnScreen() {
    // The button paints with the window's next pass rather than at once: on screen it must
    // still show pressed while held, and let go again, also behind the message box its click
    // opens (nothing typed to search for).
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(w.dialog.get()));
    auto* search = w.Find<QPushButton>("SearchButton");
    const QRect area(search->mapTo(w.dialog.get(), QPoint(0, 0)), search->size());
    const auto onScreen = [&w, &area] {
        QCoreApplication::processEvents();
        const QImage window = w.dialog->screen()->grabWindow(w.dialog->winId()).toImage();
        const qreal ratio = window.devicePixelRatio();
        return window.copy(
            QRectF(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio).toAlignedRect());
    };
    const QImage up = onScreen();
    QTest::mousePress(search, Qt::LeftButton);
    QVERIFY(search->isDown());
    QVERIFY(onScreen() != up);
    QImage behindBox;
    auto answer = [&behindBox, &onScreen](QMessageBox& box) {
        behindBox = onScreen();
        box.accept();
    };
    DialogAnswerer<QMessageBox, decltype(answer)> answerer(answer);
    QTest::mouseRelease(search, Qt::LeftButton);
    QCOMPARE(answerer.count, 1);
    QCOMPARE(behindBox, up);
    QCOMPARE(onScreen(), up);
}

// Each action repaints only what it changed: what is on screen then must be what painting
// the whole window anew gives, whatever was left from the paints before.
void tst_MainDialog::screenShowsWhatAWholePaintShows() {
    // A blinking caret would differ between the two.
    const auto restoreFlash = qScopeGuard(
        [flash = QApplication::cursorFlashTime()] { QApplication::setCursorFlashTime(flash); });
    QApplication::setCursorFlashTime(0);
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(w.dialog.get()));
    const auto fresh = [&w] { return w.dialog->grab().toImage(); };
    const auto onScreen = [&w] {
        QCoreApplication::processEvents();
        return w.dialog->screen()->grabWindow(w.dialog->winId()).toImage();
    };
    const Gesture gestures[] = {
        Gesture::Choose(ControlId::NamePicker, 7),
        Gesture::TypeCount("2"),
        Gesture::Click(ControlId::AddButton),
        Gesture::Choose(ControlId::SymbolPicker, 0),
        Gesture::TypeCount("13"),
        Gesture::Click(ControlId::AddButton),
        Gesture::Click(ControlId::UndoButton),
        Gesture::Type(ControlId::SymbolPicker, "Fe"),
        Gesture::Click(ControlId::SearchButton),
        Gesture::Choose(ControlId::NumberPicker, 110),
        Gesture::Type(ControlId::NamePicker, "Unnil"),
        Gesture::Click(ControlId::ResetButton),
    };
    int step = 0;
    for (const Gesture& gesture : gestures) {
        Apply(*w.dialog, gesture);
        // The offscreen platform leaves a closed list's window active.
        w.dialog->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), w.dialog.get());
        const QImage shown = onScreen().convertToFormat(QImage::Format_RGB32);
        const QImage whole = fresh().convertToFormat(QImage::Format_RGB32);
        QVERIFY2(shown == whole, qPrintable(QString::number(step)));
        ++step;
    }
}

void tst_MainDialog::aboutBoxFromTheMenuLeavesTheWindowAsItWas() {
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(w.dialog.get()));
    ChooseFromList(w.Picker("NamePicker"), 7);
    const Snapshot before(w.state);
    const QString prompt = w.Label("StepPrompt");
    QString title;
    Qt::WindowModality modality = Qt::NonModal;
    auto close = [&title, &modality](zerkan::AboutDialog& about) {
        title = about.windowTitle();
        modality = about.windowModality();
        QTest::keyClick(&about, Qt::Key_Escape);
    };
    DialogAnswerer<zerkan::AboutDialog, decltype(close)> answerer(close);
    // The command returns while the box is open: it is modal to the window without a nested
    // event loop, so the box is answered only once the test's own loop runs.
    ChooseMenuItem(w.dialog.get(), "HelpMenu", "AboutAction");
    QCOMPARE(answerer.count, 1);
    QVERIFY(title.isEmpty());
    // The command again while the box is open, as an assistive client may send it: the same
    // box comes forward, no second one opens.
    w.Find<QAction>("AboutAction")->trigger();
    QCOMPARE(w.dialog->findChildren<zerkan::AboutDialog*>().size(), 1);
    QTRY_COMPARE(title, QStringLiteral("Zerkan Kütlesi Hakkında"));
    QCOMPARE(modality, Qt::WindowModal);
    QTRY_VERIFY(w.dialog->findChild<zerkan::AboutDialog*>() == nullptr);
    QVERIFY(Snapshot(w.state) == before);
    QCOMPARE(w.Label("StepPrompt"), prompt);
    QVERIFY(w.dialog->isVisible());
}

void tst_MainDialog::readMe_data() {
    QTest::addColumn<bool>("byKey");
    QTest::newRow("Yardım > Yardım") << false;
    QTest::newRow("F1") << true;
}

void tst_MainDialog::readMe() {
    QFETCH(bool, byKey);
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(w.dialog.get()));
    for (int i = 0; i < 2; ++i) {
        if (byKey) {
            PressKey(Qt::Key_F1);
        } else {
            ChooseMenuItem(w.dialog.get(), "HelpMenu", "ReadMeAction");
        }
    }
    // Each command starts its own viewer and the window carries on.
    QCOMPARE(w.readMe.size(), std::size_t{2});
    const ReadMeRequest& request = w.readMe.front();
    QCOMPARE(request.document,
             QUrl::fromLocalFile(QDir::current().absoluteFilePath(QStringLiteral("benioku.rtf"))));
    QVERIFY(w.dialog->isVisible());
    ChooseFromList(w.Picker("NamePicker"), 7);
    QCOMPARE(w.state.selectedIndex, 7);
}

void tst_MainDialog::fileDropsAreNotAccepted() {
    Window w;
    QVERIFY(!w.dialog->acceptDrops());
    for (QWidget* widget : w.dialog->findChildren<QWidget*>())
        QVERIFY2(!widget->acceptDrops(), qPrintable(widget->objectName()));
}

void tst_MainDialog::iconOffersEverySize() {
    Window w;
    const QIcon icon = w.dialog->QWidget::windowIcon();
    const QList<QSize> sizes = icon.availableSizes();
    for (int size : {32, 48, 64, 128, 256}) {
        QVERIFY2(sizes.contains(QSize(size, size)), qPrintable(QString::number(size)));
        // Its pictures are read only now, each at its own size, for every look.
        for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled}) {
            const QImage picture = icon.pixmap(QSize(size, size), mode).toImage();
            QCOMPARE(picture.size(), QSize(size, size));
            QSet<QRgb> colours;
            for (int y = 0; y < size; ++y) {
                for (int x = 0; x < size; ++x)
                    colours.insert(picture.pixel(x, y));
            }
            QVERIFY2(colours.size() > 4, qPrintable(QString::number(size)));
        }
    }
}

QTEST_MAIN(tst_MainDialog)
#include "tst_maindialog.moc"
