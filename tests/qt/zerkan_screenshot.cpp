// zerkan-screenshot OUTPUT.png [ABOUT.png]: starts the program as main does, composes H2O by
// keyboard, shows oxygen's information, and saves a picture of the window. scripts/screenshot.sh
// runs it under Xvfb for the README. With a second file it also saves the About box.
// zerkan-screenshot --longest OUTPUT.png: the window at step 1000, after 999 entries of
// 999999999 Meitneryum/Unnilennyum, with that element chosen again: the widest texts it shows.

#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <cstdio>
#include <cstring>

#include "core/handlers.h"

#include "qt/aboutdialog.h"
#include "qt/resultbox.h"
#include "qt/zerkan.h"
#include "qt/zerkandlg.h"
#include "tests/support/qt/window_input.h"

namespace {

using namespace zerkan::test;

bool ComposeWater(zerkan::MainDialog& dialog) {
    QSignalSpy added(dialog.findChild<QPushButton*>(QStringLiteral("AddButton")),
                     &QPushButton::clicked);
    PressKey(Qt::Key_Tab);
    TypeIntoFocus(QStringLiteral("Hidrojen"));
    for (int i = 0; i < 3; ++i)
        PressKey(Qt::Key_Tab);
    TypeIntoFocus(QStringLiteral("2"));
    PressKey(Qt::Key_E, Qt::AltModifier);
    if (added.size() != 1)
        return false;
    for (int i = 0; i < 2; ++i)
        PressKey(Qt::Key_Tab, Qt::ShiftModifier);
    TypeIntoFocus(QStringLiteral("O"));
    PressKey(Qt::Key_E, Qt::AltModifier);
    if (added.size() != 2)
        return false;
    // Oxygen chosen once more from the list fills the information area for the picture.
    ChooseFromList(dialog.findChild<QComboBox*>(QStringLiteral("NamePicker")), 7);
    return dialog.findChild<zerkan::ResultBox*>(QStringLiteral("FormulaBox"))->text() == u"H2O";
}

bool ComposeLongest(zerkan::MainDialog& dialog) {
    zerkan::CompositionState& state = zerkan::ProgramState();
    constexpr int kMeitneryum = 108;
    for (int entry = 0; entry < 999; ++entry) {
        dialog.SelectEntry(zerkan::ControlId::NamePicker, kMeitneryum);
        zerkan::OnPickerSelected(state, dialog, zerkan::ControlId::NamePicker);
        dialog.SetText(zerkan::ControlId::CountField, "999999999");
        zerkan::OnAdd(state, dialog);
    }
    ChooseFromList(dialog.findChild<QComboBox*>(QStringLiteral("NamePicker")), kMeitneryum);
    TypeOver(dialog.findChild<QLineEdit*>(QStringLiteral("CountField")),
             QStringLiteral("999999999"));
    return state.step == 1000 && state.selectedIndex == kMeitneryum;
}

}  // namespace

int main(int argc, char** argv) {
    const bool longest = argc == 3 && std::strcmp(argv[1], "--longest") == 0;
    if (argc != 2 && argc != 3) {
        std::fputs(
            "usage: zerkan-screenshot OUTPUT.png [ABOUT.png]\n"
            "       zerkan-screenshot --longest OUTPUT.png\n",
            stderr);
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[longest ? 2 : 1]);
    int status = 1;
    const int exitCode = zerkan::RunZerkan(1, argv, [&](zerkan::MainDialog& dialog) {
        if (!QTest::qWaitForWindowActive(&dialog)) {
            std::fputs("zerkan-screenshot: the window did not become active\n", stderr);
        } else if (longest ? !ComposeLongest(dialog) : !ComposeWater(dialog)) {
            std::fputs("zerkan-screenshot: composing the molecule failed\n", stderr);
        } else if (!dialog.grab().save(output)) {
            std::fprintf(stderr, "zerkan-screenshot: cannot write %s\n", argv[1]);
        } else {
            status = 0;
        }
        if (status == 0 && argc == 3 && !longest) {
            zerkan::AboutDialog about(&dialog);
            about.show();
            if (!QTest::qWaitForWindowExposed(&about) ||
                !about.grab().save(QString::fromLocal8Bit(argv[2]))) {
                std::fprintf(stderr, "zerkan-screenshot: cannot write %s\n", argv[2]);
                status = 1;
            }
        }
        dialog.reject();
    });
    return exitCode != 0 ? exitCode : status;
}
