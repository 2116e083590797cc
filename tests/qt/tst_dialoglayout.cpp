// The two dialogs as laid out: every control inside the client area, no overlaps but the frames
// and what they enclose, no text cut short at any step with any element shown, names for tests
// and screen readers, tab order, fixed size and placement. CTest runs it at the default font,
// with a monospace font preferred (ZERKAN_TEST_FONT=monospace) and at QT_SCALE_FACTOR=2.

#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyleFactory>
#include <QStyleOptionFrame>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>

#include "core/composition_state.h"
#include "core/controls.h"
#include "core/handlers.h"
#include "qt/aboutdialog.h"
#include "qt/dialoglayout.h"
#include "qt/framecache.h"
#include "qt/resultbox.h"
#include "qt/zerkandlg.h"
#include "tests/support/qt/window_input.h"

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

// Every text the control shows is whole: its width and height fit inside the control.
QString CutText(const QWidget* control) {
    QString text;
    if (auto* label = qobject_cast<const QLabel*>(control))
        text = label->text();
    if (auto* button = qobject_cast<const QPushButton*>(control))
        text = QString(button->text()).remove(u'&');
    if (text.isEmpty() || !control->isVisible())
        return {};
    const QFontMetrics metrics(control->font());
    if (metrics.horizontalAdvance(text) <= control->contentsRect().width() &&
        metrics.height() <= control->height())
        return {};
    return Describe(control) + QStringLiteral(": ") + text;
}

// The most any channel of any pixel differs; 256 when the sizes differ.
int LargestDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return 256;
    int largest = 0;
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int column = 0; column < x.width(); ++column) {
            largest = std::max({largest, std::abs(qRed(p[column]) - qRed(q[column])),
                                std::abs(qGreen(p[column]) - qGreen(q[column])),
                                std::abs(qBlue(p[column]) - qBlue(q[column])),
                                std::abs(qAlpha(p[column]) - qAlpha(q[column]))});
        }
    }
    return largest;
}

bool Opaque(const QImage& image) {
    for (int row = 0; row < image.height(); ++row) {
        for (int column = 0; column < image.width(); ++column) {
            if (qAlpha(image.pixel(column, row)) != 255)
                return false;
        }
    }
    return true;
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
    void initTestCase();
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
    void textsStayWholeAtEveryStepForEveryElement_data();
    void textsStayWholeAtEveryStepForEveryElement();
    void chosenNamesShowFromTheirFirstLetter_data();
    void chosenNamesShowFromTheirFirstLetter();
    void openListsShowTheirLongestEntryWhole();
    void dialogUnitsUseTheAverageLetterWidthAndTheFontHeight();
    void keptFramesAndTextsLookAsFusionDrawsThem();
    void iconsAreFusionsReadWhenFirstWanted();
    void everyTextLooksAsFusionDrawsIt_data();
    void everyTextLooksAsFusionDrawsIt();
    void aFullStyleStartsOverAndStillDrawsAsFusion();
    void tallFramesLookAsFusionDrawsThem_data();
    void tallFramesLookAsFusionDrawsThem();
};

void tst_DialogLayout::initTestCase() {
    if (qEnvironmentVariable("ZERKAN_TEST_FONT") == u"monospace") {
        QApplication::setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        QVERIFY(QFontInfo(QApplication::font()).fixedPitch());
    }
}

void tst_DialogLayout::cleanup() {
    const QString left = test::LeftoverWindows();
    QVERIFY2(left.isEmpty(), qPrintable(left));
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
        const QString cut = CutText(control);
        QVERIFY2(cut.isEmpty(), qPrintable(cut));
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
    // The frame is centred on the work area; on a screen too small for it, its top left corner
    // stays on the screen.
    const QRect screen = dialog.screen()->availableGeometry();
    const QRect frame = dialog.frameGeometry();
    const QPoint centred = screen.center() - frame.center() + frame.topLeft();
    const QPoint expected(std::max(centred.x(), screen.left()),
                          std::max(centred.y(), screen.top()));
    QVERIFY2(
        (frame.topLeft() - expected).manhattanLength() <= 2,
        qPrintable(Describe(&dialog) +
                   QStringLiteral(" on a %1x%2 screen").arg(screen.width()).arg(screen.height())));
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

void tst_DialogLayout::textsStayWholeAtEveryStepForEveryElement_data() {
    QTest::addColumn<int>("step");
    for (const int step : {1, 10, 100, 1000})
        QTest::addRow("step %d", step) << step;
}

void tst_DialogLayout::textsStayWholeAtEveryStepForEveryElement() {
    // The prompts grow with the step, the information lines with the element: at each step every
    // element is chosen in turn and every caption, line and button must show its text whole.
    QFETCH(int, step);
    CompositionState state;
    state.step = step - 1;  // as if step - 2 entries were held already
    MainDialog dialog(state);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    if (step > 1) {
        dialog.SelectEntry(ControlId::NamePicker, 0);
        OnAdd(state, dialog);
        QCOMPARE(state.step, step);
    }
    const QList<QWidget*> controls = ControlsOf(dialog);
    for (int index = 0; index < 112; ++index) {
        dialog.SelectEntry(ControlId::NumberPicker, index);
        OnPickerSelected(state, dialog, ControlId::NumberPicker);
        for (const QWidget* control : controls) {
            const QString cut = CutText(control);
            QVERIFY2(cut.isEmpty(), qPrintable(QStringLiteral("element %1, ").arg(index) + cut));
        }
    }
}

void tst_DialogLayout::chosenNamesShowFromTheirFirstLetter_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("chosen from the list") << "list";
    QTest::newRow("chosen by number") << "number";
    QTest::newRow("searched") << "search";
}

void tst_DialogLayout::chosenNamesShowFromTheirFirstLetter() {
    // "Meitneryum/Unnilennyum" (109) is wider than the name field.
    QFETCH(QString, how);
    CompositionState state;
    MainDialog dialog(state);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto* names = dialog.findChild<QComboBox*>(QStringLiteral("NamePicker"));
    if (how == u"list") {
        test::ChooseFromList(names, 108);
    } else if (how == u"number") {
        test::ChooseFromList(dialog.findChild<QComboBox*>(QStringLiteral("NumberPicker")), 108);
    } else {
        test::TypeOver(names->lineEdit(), QStringLiteral("meit"));
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("SearchButton")),
                          Qt::LeftButton);
    }
    QCOMPARE(names->currentText(), QStringLiteral("Meitneryum/Unnilennyum"));
    QVERIFY(names->lineEdit()->fontMetrics().horizontalAdvance(names->currentText()) >
            names->lineEdit()->width());
    // The caret at the start keeps the start in view; a scrolled field would put it further left.
    QCOMPARE(names->lineEdit()->cursorPosition(), 0);
    const QRect caret = names->lineEdit()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    QVERIFY(caret.center().x() >= 0);
    QVERIFY(caret.center().x() < names->lineEdit()->fontMetrics().averageCharWidth());
}

void tst_DialogLayout::openListsShowTheirLongestEntryWhole() {
    CompositionState state;
    MainDialog dialog(state);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    for (const char* name : {"NumberPicker", "NamePicker", "SymbolPicker"}) {
        auto* picker = dialog.findChild<QComboBox*>(QString::fromLatin1(name));
        picker->showPopup();
        QAbstractItemView* list = picker->view();
        QVERIFY(QTest::qWaitForWindowExposed(list->window()));
        for (int i = 0; i < picker->count(); ++i) {
            const QModelIndex index = list->model()->index(i, 0);
            QVERIFY2(list->sizeHintForIndex(index).width() <= list->viewport()->width(),
                     qPrintable(QStringLiteral("%1: %2").arg(name, picker->itemText(i))));
        }
        picker->hidePopup();
    }
}

void tst_DialogLayout::dialogUnitsUseTheAverageLetterWidthAndTheFontHeight() {
    QFont font = QApplication::font();
    const DialogUnits units = DialogUnits::Of(font);
    const QFontMetricsF metrics(font);
    QCOMPARE(units.cy, metrics.height());
    QVERIFY(units.cx >= metrics.horizontalAdvance(u'i'));  // equal in a monospace font
    QVERIFY(units.cx <= metrics.horizontalAdvance(u'W'));
    const layout::Control row{-1, "x", layout::Kind::Label, "", 4, 8, 40, 16, 0, 0, ""};
    const QRect r = units.ToPixels(row);
    QCOMPARE(r.x(), qRound(units.cx));
    QCOMPARE(r.y(), qRound(units.cy));
    QCOMPARE(r.width(), qRound(10 * units.cx));
    QCOMPARE(r.height(), qRound(2 * units.cy));
}

// The style that keeps the frames' pictures and the texts' layouts draws what Fusion draws, as
// the window goes through its states: one kept for another state would show here.
void tst_DialogLayout::keptFramesAndTextsLookAsFusionDrawsThem() {
    CompositionState state;
    MainDialog dialog(state);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("fusion")));
    FrameCacheStyle kept(QStyleFactory::create(QStringLiteral("fusion")));
    const auto drawnWith = [&dialog](QStyle* style) {
        dialog.setStyle(style);
        for (QWidget* widget : dialog.findChildren<QWidget*>())
            widget->setStyle(style);
        return dialog.grab().toImage();
    };
    auto* count = test::FindControl<QLineEdit>(dialog, ControlId::CountField);
    auto* mass = test::FindControl<QLineEdit>(dialog, ControlId::MolecularMassBox);
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"as opened", [] {}},
        {"count field focused", [count] { count->setFocus(); }},
        {"a picker focused",
         [&dialog] { test::FindControl<QComboBox>(dialog, ControlId::SymbolPicker)->setFocus(); }},
        {"mass box focused", [mass] { mass->setFocus(); }},
        {"count field disabled", [count] { count->setEnabled(false); }},
        {"count field enabled again", [count] { count->setEnabled(true); }},
        {"an element chosen",
         [&dialog] {
             test::ChooseFromList(test::FindControl<QComboBox>(dialog, ControlId::NamePicker), 7);
         }},
        {"all disabled", [&dialog] { dialog.setEnabled(false); }},
    };
    for (const auto& [step, apply] : steps) {
        apply();
        // A kept picture is blended twice, which may round a pixel's channel by one level.
        drawnWith(&kept);  // the first meeting is drawn by Fusion itself
        const QImage throughKept = drawnWith(&kept);
        const int difference = LargestDifference(throughKept, drawnWith(fusion.get()));
        QVERIFY2(difference <= 1, qPrintable(QStringLiteral("%1: %2").arg(step).arg(difference)));
        // The style fills each picker's field before the field draws, so that the box need not
        // be repainted behind it: only right if Fusion itself, in use now, leaves none of it
        // uncovered.
        for (const QComboBox* picker : dialog.findChildren<QComboBox*>()) {
            QWidget* field = picker->lineEdit();
            QImage alone(field->size() * field->devicePixelRatioF(),
                         QImage::Format_ARGB32_Premultiplied);
            alone.setDevicePixelRatio(field->devicePixelRatioF());
            alone.fill(Qt::transparent);
            field->render(&alone, {}, {}, QWidget::RenderFlags());
            QVERIFY2(Opaque(alone),
                     qPrintable(QStringLiteral("%1: %2").arg(step, picker->objectName())));
        }
    }
    // Keeping pictures is for Fusion only; other styles pass untouched.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("windows")));
    UseFrameCache();
    QVERIFY(!dynamic_cast<FrameCacheStyle*>(QApplication::style()));
}

// The style hands out Fusion's icons unread; once read they are Fusion's own, in every size,
// look and direction.
void tst_DialogLayout::iconsAreFusionsReadWhenFirstWanted() {
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("fusion")));
    FrameCacheStyle kept(QStyleFactory::create(QStringLiteral("fusion")));
    for (const QStyle::StandardPixmap which :
         {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_MessageBoxWarning,
          QStyle::SP_ArrowBack, QStyle::SP_LineEditClearButton}) {
        const QIcon expected = fusion->standardIcon(which);
        const QIcon deferred = kept.standardIcon(which);
        const QByteArray name = QByteArray::number(which);
        QCOMPARE(deferred.isNull(), expected.isNull());
        QCOMPARE(deferred.availableSizes(), expected.availableSizes());
        for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled}) {
            for (const int size : {16, 32, 48}) {
                QCOMPARE(deferred.actualSize(QSize(size, size), mode),
                         expected.actualSize(QSize(size, size), mode));
                QVERIFY2(
                    deferred.pixmap(size, mode).toImage() == expected.pixmap(size, mode).toImage(),
                    name.constData());
                QVERIFY2(deferred.pixmap(QSize(size, size), 2.0, mode).toImage() ==
                             expected.pixmap(QSize(size, size), 2.0, mode).toImage(),
                         name.constData());
            }
        }
    }
}

void tst_DialogLayout::everyTextLooksAsFusionDrawsIt_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<qreal>("scale");
    const int left = Qt::AlignLeft | Qt::AlignVCenter;
    const int mnemonic = Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextShowMnemonic;
    QTest::newRow("label") << QStringLiteral("Proton Sayısı:8") << left << true << 1.0;
    QTest::newRow("disabled") << QStringLiteral("Ametal") << left << false << 1.0;
    QTest::newRow("right") << QStringLiteral("15.9994") << int(Qt::AlignRight) << true << 1.0;
    QTest::newRow("mnemonic") << QStringLiteral("&Sıfırla") << mnemonic << true << 1.0;
    QTest::newRow("hidden mnemonic")
        << QStringLiteral("&Ekle") << int(Qt::AlignCenter | Qt::TextHideMnemonic) << true << 1.0;
    QTest::newRow("ampersands") << QStringLiteral("A && B &") << mnemonic << true << 1.0;
    QTest::newRow("right to left")
        << QStringLiteral("Ekle") << int(Qt::AlignLeft | Qt::TextForceRightToLeft) << true << 1.0;
    QTest::newRow("two lines") << QStringLiteral("Atom\nKütlesi") << left << true << 1.0;
    QTest::newRow("wrapped") << QStringLiteral("Atom Kütlesi Atom Kütlesi")
                             << int(Qt::AlignLeft | Qt::TextWordWrap) << true << 1.0;
    QTest::newRow("wider than its place")
        << QStringLiteral("Unnilennyum Unnilennyum Unnilennyum") << left << true << 1.0;
    QTest::newRow("scaled painter") << QStringLiteral("Proton Sayısı:8") << left << true << 1.5;
}

// Texts the style lays out once, and those it leaves to Fusion, look the same as Fusion's.
void tst_DialogLayout::everyTextLooksAsFusionDrawsIt() {
    QFETCH(QString, text);
    QFETCH(int, flags);
    QFETCH(bool, enabled);
    QFETCH(qreal, scale);
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("fusion")));
    FrameCacheStyle kept(QStyleFactory::create(QStringLiteral("fusion")));
    const auto drawnWith = [&](const QStyle& style) {
        QImage image(160, 40, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.scale(scale, scale);
        painter.setFont(QApplication::font());
        style.drawItemText(&painter, QRect(10, 5, 120, 30), flags, QApplication::palette(), enabled,
                           text, QPalette::WindowText);
        return image;
    };
    const QImage expected = drawnWith(*fusion);
    // As the style first meets the text, as it lays it out, and as it has kept it.
    for (int time = 0; time < 3; ++time)
        QCOMPARE(drawnWith(kept), expected);
}

// More texts and frames than the style keeps: it starts over, and each still looks as Fusion
// draws it, met for the first, the second and the third time.
void tst_DialogLayout::aFullStyleStartsOverAndStillDrawsAsFusion() {
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("fusion")));
    FrameCacheStyle kept(QStyleFactory::create(QStringLiteral("fusion")));
    QLineEdit field;
    const auto drawnWith = [&field](const QStyle& style, int n) {
        QImage image(120, 60, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        style.drawItemText(&painter, QRect(0, 0, 120, 20), Qt::AlignLeft, QApplication::palette(),
                           true, QString::number(n), QPalette::WindowText);
        QStyleOptionFrame panel;
        panel.initFrom(&field);
        panel.rect = QRect(0, 25, 40 + n % 80, 30);
        panel.lineWidth = 1;
        style.drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, &field);
        return image;
    };
    for (int round = 0; round < 3; ++round) {
        for (int n = 0; n < 1100; ++n) {
            if (drawnWith(kept, n) != drawnWith(*fusion, n))
                QFAIL(qPrintable(QStringLiteral("round %1, %2").arg(round).arg(n)));
        }
    }
}

void tst_DialogLayout::tallFramesLookAsFusionDrawsThem_data() {
    QTest::addColumn<int>("element");
    QTest::addColumn<qreal>("ratio");
    QTest::newRow("group box") << int(QStyle::PE_FrameGroupBox) << 1.0;
    QTest::newRow("group box, doubled pixels") << int(QStyle::PE_FrameGroupBox) << 2.0;
    QTest::newRow("group box, pixels and a half") << int(QStyle::PE_FrameGroupBox) << 1.5;
    QTest::newRow("field") << int(QStyle::PE_PanelLineEdit) << 1.0;
}

// A kept picture taller than the toolkit blends at once is drawn in bands: on a transparent
// image a band drawn twice, left out or put a line off shows as clearly as anything.
void tst_DialogLayout::tallFramesLookAsFusionDrawsThem() {
    QFETCH(int, element);
    QFETCH(qreal, ratio);
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("fusion")));
    FrameCacheStyle kept(QStyleFactory::create(QStringLiteral("fusion")));
    QGroupBox box(QStringLiteral("Element seçimi"));
    QLineEdit field;
    QWidget* widget = element == QStyle::PE_FrameGroupBox ? static_cast<QWidget*>(&box) : &field;
    const auto drawnWith = [&](const QStyle& style) {
        QImage image(QSize(320, 300) * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        QStyleOptionFrame frame;
        frame.initFrom(widget);
        frame.rect = QRect(7, 5, 301, 283);
        frame.lineWidth = 1;
        style.drawPrimitive(QStyle::PrimitiveElement(element), &frame, &painter, widget);
        return image;
    };
    const QImage expected = drawnWith(*fusion);
    for (int time = 0; time < 3; ++time)
        QCOMPARE(LargestDifference(drawnWith(kept), expected), 0);
}

QTEST_MAIN(tst_DialogLayout)
#include "tst_dialoglayout.moc"
