// The program's start-up path as main runs it: the checks run inside the real application
// object, at the first turn of the main window's event loop, and then close the window.

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QTest>
#include <functional>
#include <memory>

#include "qt/aboutdialog.h"
#include "qt/zerkan.h"
#include "qt/zerkandlg.h"
#include "tests/support/qt/window_input.h"

using zerkan::MainDialog;

class tst_Zerkan : public QObject {
    Q_OBJECT

  public:
    explicit tst_Zerkan(MainDialog& dialog) : dialog_(dialog) {}

  private slots:
    void readsNoImagePluginOnTheWayUp();
    void runsTheMainWindowModally();
    void namesTheApplicationAfterItsProgramFile();
    void sharesOneRecordWithTheWindow();
    void saysInOneLineWhenThereIsNoDisplay();
    void toolkitTextsAreTurkishWhateverTheLocale();

  private:
    MainDialog& dialog_;
};

// The program reads its pictures and icons by their own formats, and an icon only when it is
// shown: a picture read otherwise has the toolkit load all its image plug-ins first.
void tst_Zerkan::readsNoImagePluginOnTheWayUp() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        QSKIP("no /proc/self/maps here");
    QByteArrayList plugins;
    bool toolkitSeen = false;
    for (const QByteArray& line : maps.readAll().split('\n')) {
        toolkitSeen = toolkitSeen || line.contains("libQt6Gui");
        if (line.contains("/imageformats/"))
            plugins << line.mid(line.lastIndexOf(' ') + 1);
    }
    QVERIFY(toolkitSeen);
    QVERIFY2(plugins.isEmpty(), plugins.join(", ").constData());
}

void tst_Zerkan::runsTheMainWindowModally() {
    QVERIFY(dialog_.isVisible());
    QVERIFY(dialog_.isModal());
    QCOMPARE(QApplication::activeModalWidget(), &dialog_);
    QCOMPARE(dialog_.windowTitle(), QStringLiteral("Zerkan Kütlesi 3.1"));
    QVERIFY(!dialog_.QWidget::windowIcon().isNull());  // the member of that name hides it
    // For every window without an icon of its own.
    QCOMPARE(QApplication::windowIcon().availableSizes(),
             dialog_.QWidget::windowIcon().availableSizes());
}

void tst_Zerkan::namesTheApplicationAfterItsProgramFile() {
    QCOMPARE(QCoreApplication::applicationName(),
             QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName());
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("tst_zerkan"));
    QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral("3.1.0.1"));
    // The Wayland app id, as the desktop entry is named.
    QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("zerkan-kutlesi"));
}

void tst_Zerkan::sharesOneRecordWithTheWindow() {
    QVERIFY(QTest::qWaitForWindowActive(&dialog_));
    zerkan::test::TypeOver(dialog_.findChild<QLineEdit*>(QStringLiteral("CountField")),
                           QStringLiteral("42"));
    QCOMPARE(zerkan::ProgramState().count, 42);
}

void tst_Zerkan::saysInOneLineWhenThereIsNoDisplay() {
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(ZERKAN_PROGRAM), {});
    QVERIFY(program.waitForFinished());
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 1);
    QCOMPARE(QString::fromUtf8(program.readAllStandardError()),
             QStringLiteral("Zerkan Kütlesi: grafik ekran bulunamadı (DISPLAY tanımlı değil).\n"));
    QCOMPARE(program.readAllStandardOutput(), QByteArray());
}

void tst_Zerkan::toolkitTextsAreTurkishWhateverTheLocale() {
    // CTest runs this in the C locale with English as the preferred language.
    QStringList buttons;
    zerkan::test::DialogAnswerer<QMessageBox, std::function<void(QMessageBox&)>> answerer(
        [&buttons](QMessageBox& box) {
            for (const QAbstractButton* button : box.buttons())
                buttons << button->text();
            box.accept();
        });
    dialog_.ShowMessage("x");
    QCOMPARE(buttons, QStringList{QStringLiteral("Tamam")});

    const std::unique_ptr<QMenu> menu(
        dialog_.findChild<QLineEdit*>(QStringLiteral("CountField"))->createStandardContextMenu());
    QStringList entries;
    for (const QAction* action : menu->actions())
        entries << action->text().remove(u'&').section(u'\t', 0, 0);
    QVERIFY2(
        entries.contains(QStringLiteral("Kopyala")) && entries.contains(QStringLiteral("Yapıştır")),
        qPrintable(entries.join(u", ")));

    // The About box's own button keeps the text its layout gives.
    zerkan::AboutDialog about(&dialog_);
    QCOMPARE(about.findChild<QPushButton*>(QStringLiteral("OkButton"))->text(), u"OK");
}

int main(int argc, char** argv) {
    int status = 1;
    const int exitCode = zerkan::RunZerkan(argc, argv, [&](MainDialog& dialog) {
        tst_Zerkan checks(dialog);
        status = QTest::qExec(&checks, argc, argv);
        dialog.reject();
    });
    return exitCode != 0 ? exitCode : status;
}

#include "tst_zerkan.moc"
