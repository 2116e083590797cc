// The two dialogs as laid out at the default font: every control inside the client area, no
// overlaps but the frames and what they enclose, no caption cut short, names for tests and
// screen readers, tab order, fixed size and placement.

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <memory>

#include "core/composition_state.h"
#include "core/controls.h"
#include "qt/aboutdialog.h"
#include "qt/dialoglayout.h"
#include "qt/resultbox.h"
#include "qt/zerkandlg.h"
#include "userinput.h"

using namespace zerkan;

namespace {

std::unique_ptr<QDialog> MakeDialog(const QString& which, CompositionState& state) {
    if (which == u"main")
        return std::make_unique<MainDialog>(state);
    return std::make_unique<AboutDialog>();
}

std::span<const layout::Control> RowsOf(const QString& which) {
    if (which == u"main")
        return layout::kMainControls;
    return layout::kAboutControls;
}

QList<QWidget*> ControlsOf(QDialog& dialog) {
    return dialog.findChild<QWidget*>(QStringLiteral("ClientArea"))
        ->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
}

QString Describe(const QWidget* w) {
    const QRect r = w->geometry();
    return QStringLiteral("%1 (%2,%3 %4x%5)")
        .arg(w->objectName())
        .arg(r.x())
        .arg(r.y())
        .arg(r.width())
        .arg(r.height());
}

void AddDialogRows() {
    QTest::addColumn<QString>("which");
    QTest::newRow("main window, layout 102") << "main";
    QTest::newRow("About box, layout 100") << "about";
}

}  // namespace

class tst_DialogLayout : public QObject {
    Q_OBJECT

  private slots:
    void cleanup();

    void everyControlIsNamedAndInLayoutOrder_data() { AddDialogRows(); }
    void everyControlIsNamedAndInLayoutOrder();
    void everyControlLiesInsideTheClientArea_data() { AddDialogRows(); }
    void everyControlLiesInsideTheClientArea();
    void onlyTheFramesOverlapWhatTheyEnclose_data() { AddDialogRows(); }
    void onlyTheFramesOverlapWhatTheyEnclose();
    void noCaptionIsCut_data() { AddDialogRows(); }
    void noCaptionIsCut();
    void interactiveControlsHaveTurkishNames_data() { AddDialogRows(); }
    void interactiveControlsHaveTurkishNames();
    void clientAreaFollowsTheFontsBaseUnits_data() { AddDialogRows(); }
    void clientAreaFollowsTheFontsBaseUnits();
    void mainWindowIsFixedCentredAndHasItsMenuAbove();
    void tabVisitsTheControlsInLayoutOrder();
    void informationLinesFitForEveryElement();
    void dialogUnitsUseTheAverageLetterWidthAndTheFontHeight();
};

void tst_DialogLayout::cleanup() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_DialogLayout::everyControlIsNamedAndInLayoutOrder() {
    QFETCH(QString, which);
    CompositionState state;
    auto dialog = MakeDialog(which, state);
    const QList<QWidget*> controls = ControlsOf(*dialog);
    const auto rows = RowsOf(which);
    QCOMPARE(controls.size(), qsizetype(rows.size()));
    // Creation order is the layout order; only the frames move to the back of the stack.
    QStringList expected, frameNames;
    for (const auto& row : rows) {
        const QString name = QString::fromUtf8(row.name.data(), qsizetype(row.name.size()));
        QVERIFY(!name.isEmpty());
        (row.kind == layout::Kind::Frame ? frameNames : expected) << name;
    }
    QStringList actual;
    for (const QWidget* control : controls) {
        if (!frameNames.contains(control->objectName()))
            actual << control->objectName();
    }
    QCOMPARE(actual, expected);
}

void tst_DialogLayout::everyControlLiesInsideTheClientArea() {
    QFETCH(QString, which);
    CompositionState state;
    auto dialog = MakeDialog(which, state);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    const QRect client(QPoint(0, 0),
                       dialog->findChild<QWidget*>(QStringLiteral("ClientArea"))->size());
    for (const QWidget* control : ControlsOf(*dialog))
        QVERIFY2(client.contains(control->geometry()), qPrintable(Describe(control)));
}

void tst_DialogLayout::onlyTheFramesOverlapWhatTheyEnclose() {
    QFETCH(QString, which);
    CompositionState state;
    auto dialog = MakeDialog(which, state);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    QList<QWidget*> frames, others;
    for (QWidget* control : ControlsOf(*dialog))
        (qobject_cast<QGroupBox*>(control) ? frames : others).append(control);
    for (qsizetype i = 0; i < others.size(); ++i) {
        for (qsizetype j = i + 1; j < others.size(); ++j) {
            QVERIFY2(!others[i]->geometry().intersects(others[j]->geometry()),
                     qPrintable(Describe(others[i]) + QStringLiteral(" / ") + Describe(others[j])));
        }
        bool touchesFrame = false, insideFrame = false;
        for (const QWidget* frame : frames) {
            touchesFrame |= frame->geometry().intersects(others[i]->geometry());
            insideFrame |= frame->geometry().contains(others[i]->geometry());
        }
        QVERIFY2(!touchesFrame || insideFrame, qPrintable(Describe(others[i])));
    }
    // Frames sit below what they enclose, and clicks go through them to the controls.
    const QList<QWidget*> stacking = ControlsOf(*dialog);
    for (const QWidget* frame : frames) {
        QVERIFY(frame->testAttribute(Qt::WA_TransparentForMouseEvents));
        QVERIFY(stacking.indexOf(frame) < frames.size());
    }
}

void tst_DialogLayout::noCaptionIsCut() {
    QFETCH(QString, which);
    CompositionState state;
    auto dialog = MakeDialog(which, state);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    for (const QWidget* control : ControlsOf(*dialog)) {
        QString text;
        if (auto* label = qobject_cast<const QLabel*>(control))
            text = label->text();
        if (auto* button = qobject_cast<const QPushButton*>(control))
            text = QString(button->text()).remove(u'&');
        if (text.isEmpty())
            continue;
        const QFontMetrics metrics(control->font());
        QVERIFY2(metrics.horizontalAdvance(text) <= control->contentsRect().width(),
                 qPrintable(Describe(control) + QStringLiteral(": ") + text));
        QVERIFY2(metrics.height() <= control->height(), qPrintable(Describe(control)));
    }
}

void tst_DialogLayout::interactiveControlsHaveTurkishNames() {
    QFETCH(QString, which);
    CompositionState state;
    auto dialog = MakeDialog(which, state);
    for (const QWidget* control : ControlsOf(*dialog)) {
        const bool interactive =
            qobject_cast<const QComboBox*>(control) || qobject_cast<const QLineEdit*>(control) ||
            qobject_cast<const ResultBox*>(control) || qobject_cast<const QPushButton*>(control);
        if (interactive)
            QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
    }
}

void tst_DialogLayout::clientAreaFollowsTheFontsBaseUnits() {
    QFETCH(QString, which);
    CompositionState state;
    auto dialog = MakeDialog(which, state);
    const DialogUnits units = DialogUnits::Of(dialog->font());
    const layout::Size size = which == u"main" ? layout::kMainClient : layout::kAboutClient;
    QCOMPARE(dialog->findChild<QWidget*>(QStringLiteral("ClientArea"))->size(),
             units.ToPixels(size));
    // The pictures keep their own pixel size.
    const QSize picture = which == u"main" ? QSize(83, 55) : QSize(33, 33);
    QCOMPARE(dialog->findChild<QLabel*>(QStringLiteral("Picture"))->size(), picture);
}

void tst_DialogLayout::mainWindowIsFixedCentredAndHasItsMenuAbove() {
    CompositionState state;
    MainDialog dialog(state);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    QVERIFY(!(dialog.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(dialog.windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(dialog.windowFlags() & Qt::WindowContextHelpButtonHint));
    const QRect screen = dialog.screen()->availableGeometry();
    QVERIFY((dialog.geometry().center() - screen.center()).manhattanLength() <= 2);
    const auto* bar = dialog.findChild<QMenuBar*>();
    const auto* client = dialog.findChild<QWidget*>(QStringLiteral("ClientArea"));
    QVERIFY(bar->isVisible());
    QVERIFY(bar->geometry().bottom() < client->geometry().top());
    QCOMPARE(client->geometry().bottom(), dialog.rect().bottom());
}

void tst_DialogLayout::tabVisitsTheControlsInLayoutOrder() {
    CompositionState state;
    MainDialog dialog(state);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    const QStringList order = {"NumberPicker", "NamePicker", "SymbolPicker", "SearchButton",
                               "CountField",   "UndoButton", "AddButton",    "ResetButton"};
    QStringList visited;
    for (qsizetype i = 0; i <= order.size(); ++i) {
        visited << QApplication::focusWidget()->objectName();
        test::PressKey(Qt::Key_Tab);
    }
    QCOMPARE(visited, order + QStringList{"NumberPicker"});
}

void tst_DialogLayout::informationLinesFitForEveryElement() {
    // The lines that the handlers fill must show every element's values in full.
    CompositionState state;
    MainDialog dialog(state);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto* numbers = dialog.findChild<QComboBox*>(QStringLiteral("NumberPicker"));
    for (int index = 0; index < 112; ++index) {
        test::ChooseFromList(numbers, index);
        QCOMPARE(state.selectedIndex, index);
        for (const char* name : {"ProtonLine", "AtomicMassValue", "PeriodGroupLine", "KindLine",
                                 "StepPrompt", "AtomicMassLabel"}) {
            const auto* line = dialog.findChild<QLabel*>(QString::fromLatin1(name));
            QVERIFY2(line->fontMetrics().horizontalAdvance(line->text()) <= line->width(),
                     qPrintable(Describe(line) + QStringLiteral(": ") + line->text()));
        }
    }
}

void tst_DialogLayout::dialogUnitsUseTheAverageLetterWidthAndTheFontHeight() {
    QFont font = QApplication::font();
    const DialogUnits units = DialogUnits::Of(font);
    const QFontMetricsF metrics(font);
    QCOMPARE(units.cy, metrics.height());
    QVERIFY(units.cx > metrics.horizontalAdvance(u'i'));
    QVERIFY(units.cx < metrics.horizontalAdvance(u'W'));
    const layout::Control row{-1, "x", layout::Kind::Label, "", 4, 8, 40, 16, 0, 0, ""};
    const QRect r = units.ToPixels(row);
    QCOMPARE(r.x(), qRound(units.cx));
    QCOMPARE(r.y(), qRound(units.cy));
    QCOMPARE(r.width(), qRound(10 * units.cx));
    QCOMPARE(r.height(), qRound(2 * units.cy));
}

QTEST_MAIN(tst_DialogLayout)
#include "tst_dialoglayout.moc"
