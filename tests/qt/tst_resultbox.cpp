// The result box against the read-only line edit it replaces: the same picture after every
// operation the handlers use, the whole text for selection, copying and screen readers.

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdlib>

#include "qt/resultbox.h"
#include "qt/zerkandlg.h"

using zerkan::ResultBox;

namespace {

// Contents lists as the window shows them: n entries of the longest name with the longest
// count, or of a short one.
QString Contents(int entries, const QString& entry) {
    QString text;
    for (int i = 0; i < entries; ++i)
        text += entry + (i + 1 < entries ? QStringLiteral(", ") : QStringLiteral(" "));
    return text;
}

const QString kLongEntry = QStringLiteral("999999999 Meitneryum/Unnilennyum");

enum class Operation { SetText, CaretAtEnd, CaretAtStart, KeyEnd, KeyHome, ClickAndSelectAll };

void Apply(Operation op, QWidget* box, const QString& text) {
    auto* line = qobject_cast<QLineEdit*>(box);
    auto* ours = qobject_cast<ResultBox*>(box);
    const auto setText = [&] {
        line ? line->setText(text) : ours->setText(text);
        line ? line->setCursorPosition(0) : void();
    };
    const auto place = [&](int at) {
        line ? (line->deselect(), line->setCursorPosition(at)) : ours->setCursorPosition(at);
    };
    setText();
    switch (op) {
        case Operation::SetText:
            break;
        case Operation::CaretAtEnd:
            place(static_cast<int>(text.size()));
            break;
        case Operation::CaretAtStart:
            place(static_cast<int>(text.size()));
            box->grab();
            place(0);
            break;
        case Operation::KeyEnd:
            QTest::keyClick(box, Qt::Key_End);
            break;
        case Operation::KeyHome:
            QTest::keyClick(box, Qt::Key_End);
            box->grab();
            QTest::keyClick(box, Qt::Key_Home);
            break;
        case Operation::ClickAndSelectAll:
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(20, 12));
            QTest::keySequence(box, QKeySequence::SelectAll);
            break;
    }
}

// How far two pictures differ when `b` is moved `shift` pixels to the right, after a
// horizontal three-pixel average: the largest difference of any pixel.
int Distance(const QImage& a, const QImage& b, int shift) {
    const QImage ga = a.convertToFormat(QImage::Format_Grayscale8);
    const QImage gb = b.convertToFormat(QImage::Format_Grayscale8);
    int worst = 0;
    for (int y = 0; y < ga.height(); ++y) {
        const uchar* ra = ga.constScanLine(y);
        const uchar* rb = gb.constScanLine(y);
        for (int x = 2; x + 2 < ga.width(); ++x) {
            const int sa = ra[x - 1] + ra[x] + ra[x + 1];
            const int sb = rb[x - 1 - shift] + rb[x - shift] + rb[x + 1 - shift];
            worst = std::max(worst, std::abs(sa - sb));
        }
    }
    return worst;
}

// Equal pictures, up to where a glyph lands within its pixel: the box lays out a slice of the
// text, so deep into a long text a glyph can sit a fraction of a pixel off the line edit's.
// The box's picture must then be nearer the line edit's than itself moved by a whole pixel.
bool SameUpToSubpixel(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return false;
    const int distance = Distance(a, b, 0);
    return distance < Distance(a, b, 1) && distance < Distance(a, b, -1);
}

}  // namespace

class tst_ResultBox : public QObject {
    Q_OBJECT

  private slots:
    void looksLikeTheLineEdit_data();
    void looksLikeTheLineEdit();
    void selectionAndCopyGiveTheWholeSelectedText_data();
    void selectionAndCopyGiveTheWholeSelectedText();
    void keyboardScrollingReachesBothEnds();
    void mouseAndFocusSelectAsInALineEdit();
    void screenReadersGetTheWholeTextReadOnly();
    void windowBoxesKeepTheirNamesAndAreNoTabStops();
    void pickersTakeMoreThanTheToolkitDefault();
};

void tst_ResultBox::looksLikeTheLineEdit_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<Operation>("op");
    const struct {
        const char* name;
        QString text;
    } texts[] = {{"empty", QString()},
                 {"H2O", QStringLiteral("2 Hidrojen, 1 Oksijen ")},
                 {"3 long", Contents(3, kLongEntry)},
                 {"900 long", Contents(900, kLongEntry)}};
    const struct {
        const char* name;
        Operation op;
    } ops[] = {{"set text", Operation::SetText},
               {"caret at end", Operation::CaretAtEnd},
               {"caret at start", Operation::CaretAtStart},
               {"End", Operation::KeyEnd},
               {"Home", Operation::KeyHome},
               {"focus, all selected", Operation::ClickAndSelectAll}};
    for (const auto& t : texts) {
        for (const auto& o : ops)
            QTest::addRow("%s, %s", t.name, o.name) << t.text << o.op;
    }
}

void tst_ResultBox::looksLikeTheLineEdit() {
    QFETCH(QString, text);
    QFETCH(Operation, op);
    QWidget window;
    QLineEdit line(&window);
    line.setReadOnly(true);
    line.setFocusPolicy(Qt::ClickFocus);
    ResultBox box(&window);
    line.setGeometry(0, 0, 300, 24);
    box.setGeometry(0, 30, 300, 24);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    Apply(op, &line, text);
    const QImage expected = line.grab().toImage();
    Apply(op, &box, text);
    const QImage actual = box.grab().toImage();
    if (op == Operation::ClickAndSelectAll)
        QVERIFY(box.hasFocus() && box.selectedText() == text);
    // From the start of the text the pictures are the same to the pixel.
    const bool fromStart = box.visibleRange().first == 0;
    QVERIFY(fromStart ? expected == actual : SameUpToSubpixel(expected, actual));
    // The box laid out only about what it shows.
    QVERIFY(box.visibleText().size() < 80);
}

namespace {

struct Fixture {
    QWidget window;
    ResultBox* box = new ResultBox(&window);
    QString text = Contents(1000, kLongEntry);

    Fixture() {
        box->setGeometry(0, 0, 300, 24);
        window.show();
        box->setText(text);
    }
};

}  // namespace

void tst_ResultBox::selectionAndCopyGiveTheWholeSelectedText_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    const int size = static_cast<int>(Contents(1000, kLongEntry).size());
    QTest::newRow("Ctrl+A") << "Ctrl+A" << 0 << size;
    QTest::newRow("End, Shift+Home") << "End, Shift+Home" << 0 << size;
    QTest::newRow("Shift+Right twice") << "Shift+Right, Shift+Right" << 0 << 2;
    QTest::newRow("Ctrl+Shift+Right") << "Ctrl+Shift+Right" << 0 << 10;
    QTest::newRow("End, Shift+Left, Left") << "End, Shift+Left, Left" << size - 1 << size - 1;
    // Words: letters and digits; a move by word takes the blanks after it along.
    QTest::newRow("Ctrl+Right, Ctrl+Shift+Right") << "Ctrl+Right, Ctrl+Shift+Right" << 10 << 20;
    QTest::newRow("End, Ctrl+Shift+Left") << "End, Ctrl+Shift+Left" << size - 12 << size;
    QTest::newRow("End, Ctrl+Left, Shift+End") << "End, Ctrl+Left, Shift+End" << size - 12 << size;
}

void tst_ResultBox::selectionAndCopyGiveTheWholeSelectedText() {
    QFETCH(QString, keys);
    QFETCH(int, from);
    QFETCH(int, to);
    Fixture f;
    QApplication::clipboard()->clear();
    const QKeySequence sequence = QKeySequence::fromString(keys);
    for (int i = 0; i < sequence.count(); ++i)
        QTest::keySequence(f.box, QKeySequence(sequence[i]));
    QTest::keySequence(f.box, QKeySequence::Copy);
    QCOMPARE(f.box->selectedText(), f.text.mid(from, to - from));
    QCOMPARE(QApplication::clipboard()->text(), f.text.mid(from, to - from));

    // The context menu's Copy gives the same; Select All selects everything.
    QApplication::clipboard()->clear();
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            f.box->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(f.box, &event);
    auto* menu = f.box->findChild<QMenu*>(QStringLiteral("qt_edit_menu"));
    QVERIFY(menu != nullptr);
    const QList<QAction*> actions = menu->actions();
    QAction* copy = f.box->findChild<QAction*>(QStringLiteral("edit-copy"));
    QAction* selectAll = f.box->findChild<QAction*>(QStringLiteral("select-all"));
    QVERIFY(copy && selectAll && actions.contains(copy) && actions.contains(selectAll));
    QCOMPARE(copy->isEnabled(), from != to);
    QCOMPARE(selectAll->isEnabled(), to - from != f.text.size());
    copy->trigger();
    QCOMPARE(QApplication::clipboard()->text(), f.text.mid(from, to - from));
    selectAll->trigger();
    QCOMPARE(f.box->selectedText(), f.text);
    menu->close();
}

void tst_ResultBox::keyboardScrollingReachesBothEnds() {
    Fixture f;
    const int size = static_cast<int>(f.text.size());
    QTest::keyClick(f.box, Qt::Key_End);
    QCOMPARE(f.box->visibleRange().second, size);
    QVERIFY(f.text.endsWith(f.box->visibleText()));
    QTest::keyClick(f.box, Qt::Key_Home);
    QCOMPARE(f.box->visibleRange().first, 0);
    // Walking right, the view follows the caret once it reaches the right edge.
    const int end = f.box->visibleRange().second;
    for (int i = 0; i < end + 5; ++i)
        QTest::keyClick(f.box, Qt::Key_Right);
    QCOMPARE(f.box->cursorPosition(), end + 5);
    QVERIFY(f.box->visibleRange().first > 0);
    QVERIFY(f.box->visibleRange().second >= end + 5);
    // A drag past the left edge selects and scrolls back to the start.
    QTest::mousePress(f.box, Qt::LeftButton, {}, QPoint(150, 12));
    const int pressed = f.box->cursorPosition();
    for (int i = 0; i < end + 5 && f.box->visibleRange().first > 0; ++i)
        QTest::mouseMove(f.box, QPoint(-10, 12));
    QTest::mouseRelease(f.box, Qt::LeftButton, {}, QPoint(-10, 12));
    QCOMPARE(f.box->visibleRange().first, 0);
    QCOMPARE(f.box->selectedText(), f.text.left(pressed));
}

void tst_ResultBox::mouseAndFocusSelectAsInALineEdit() {
    QWidget window;
    auto* box = new ResultBox(&window);
    auto* other = new QLineEdit(&window);
    box->setGeometry(0, 0, 300, 24);
    other->setGeometry(0, 30, 300, 24);
    const QString text = QStringLiteral("2 Hidrojen, 1 Oksijen ");
    box->setText(text);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const auto at = [box](int i) { return box->characterRect(i).center(); };

    // A double click takes the word without the blank after it; a third click takes all.
    QTest::mouseDClick(box, Qt::LeftButton, {}, at(4));
    QCOMPARE(box->selectedText(), QStringLiteral("Hidrojen"));
    QTest::mousePress(box, Qt::LeftButton, {}, at(4));
    QCOMPARE(box->selectedText(), text);
    QTest::mouseRelease(box, Qt::LeftButton, {}, at(4));
    QTest::mouseDClick(box, Qt::LeftButton, {}, at(17));
    QCOMPARE(box->selectedText(), QStringLiteral("Oksijen"));
    // Shift extends from the caret; the right button moves nothing.
    QTest::mouseClick(box, Qt::LeftButton, {}, box->characterRect(2).topLeft());
    QTest::mouseClick(box, Qt::LeftButton, Qt::ShiftModifier, box->characterRect(11).topLeft());
    QCOMPARE(box->selectedText(), text.mid(2, 9));
    QTest::mouseClick(box, Qt::RightButton, {}, at(20));
    QTest::mouseDClick(box, Qt::RightButton, {}, at(20));
    QCOMPARE(box->selectedText(), text.mid(2, 9));

    // Leaving for a popup keeps the selection, leaving for another field drops it; coming
    // back by a shortcut selects everything.
    other->setFocus(Qt::PopupFocusReason);
    QCOMPARE(box->selectedText(), text.mid(2, 9));
    box->setFocus(Qt::MouseFocusReason);
    other->setFocus(Qt::MouseFocusReason);
    QVERIFY(!box->hasSelectedText());
    box->setFocus(Qt::ShortcutFocusReason);
    QCOMPARE(box->selectedText(), text);

    // A drag past the right edge selects on and scrolls to the end.
    box->setText(Contents(3, kLongEntry));
    const int size = static_cast<int>(box->text().size());
    const QPoint beyond(box->width() + 10, 12);
    QTest::mousePress(box, Qt::LeftButton, {}, at(1));
    const int pressed = box->cursorPosition();
    for (int i = 0; i < size && box->visibleRange().second < size; ++i)
        QTest::mouseMove(box, beyond);
    QTest::mouseRelease(box, Qt::LeftButton, {}, beyond);
    QCOMPARE(box->visibleRange().second, size);
    QCOMPARE(box->selectedText(), box->text().mid(pressed));

    // A larger font lays the text out again: less of it fits.
    box->setCursorPosition(0);
    const int shown = static_cast<int>(box->visibleText().size());
    QFont large = box->font();
    large.setPointSizeF(large.pointSizeF() * 2);
    box->setFont(large);
    QVERIFY(box->visibleText().size() < shown);
}

void tst_ResultBox::screenReadersGetTheWholeTextReadOnly() {
    Fixture f;
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(f.box);
    QVERIFY(iface != nullptr);
    QCOMPARE(iface->role(), QAccessible::EditableText);
    QVERIFY(iface->state().readOnly);
    QVERIFY(!iface->state().editable);
    QCOMPARE(iface->editableTextInterface(), nullptr);
    QAccessibleTextInterface* text = iface->textInterface();
    QVERIFY(text != nullptr);
    QCOMPARE(text->characterCount(), f.text.size());
    QCOMPARE(text->text(0, text->characterCount()), f.text);
    QCOMPARE(iface->text(QAccessible::Value), f.text);
    text->setSelection(0, 3, 12);
    QCOMPARE(f.box->selectedText(), f.text.mid(3, 9));
    QCOMPARE(text->cursorPosition(), 12);
}

void tst_ResultBox::windowBoxesKeepTheirNamesAndAreNoTabStops() {
    zerkan::CompositionState state;
    zerkan::MainDialog dialog(state);
    const struct {
        const char* name;
        const char* accessible;
    } boxes[] = {{"ContentsBox", "Zerkan İçeriği"}, {"FormulaBox", "Zerkan Formülü"}};
    for (const auto& b : boxes) {
        auto* box = dialog.findChild<ResultBox*>(QLatin1String(b.name));
        QVERIFY2(box != nullptr, b.name);
        QCOMPARE(box->accessibleName(), QString::fromUtf8(b.accessible));
        QCOMPARE(box->focusPolicy(), Qt::ClickFocus);
    }
}

void tst_ResultBox::pickersTakeMoreThanTheToolkitDefault() {
    zerkan::CompositionState state;
    zerkan::MainDialog dialog(state);
    dialog.show();
    QLineEdit* edit = dialog.findChild<QComboBox*>(QStringLiteral("NamePicker"))->lineEdit();
    edit->setFocus();
    const QString pasted(40000, QLatin1Char('x'));
    QApplication::clipboard()->setText(pasted);
    QTest::keySequence(edit, QKeySequence::Paste);
    QCOMPARE(edit->text(), pasted);
    QCOMPARE(dialog.GetText(zerkan::ControlId::NamePicker).size(), std::size_t{40000});
}

QTEST_MAIN(tst_ResultBox)
#include "tst_resultbox.moc"
