// The About box: its texts, OK as the default button, and every way of closing it.

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "qt/aboutdialog.h"
#include "tests/support/qt/window_input.h"

using zerkan::AboutDialog;

class tst_AboutDialog : public QObject {
    Q_OBJECT

  private slots:
    void cleanup();

    void showsTitleVersionAndCredits();
    void closes_data();
    void closes();
};

void tst_AboutDialog::cleanup() {
    const QString left = zerkan::test::LeftoverWindows();
    QVERIFY2(left.isEmpty(), qPrintable(left));
}

void tst_AboutDialog::showsTitleVersionAndCredits() {
    AboutDialog about;
    QCOMPARE(about.windowTitle(), QStringLiteral("Zerkan Kütlesi Hakkında"));
    QCOMPARE(about.findChild<QLabel*>(QStringLiteral("VersionLine"))->text(),
             QStringLiteral("Zerkan Kütlesi Programı Sürüm 3.0"));
    QCOMPARE(about.findChild<QLabel*>(QStringLiteral("NoticeLine"))->text(),
             QStringLiteral("Bu program işlevi dışında hiçbir özellik barındırmaz."));
    for (const char* credit : {"CreditLine1", "CreditLine2", "CreditLine3", "CreditLine4"})
        QVERIFY(!about.findChild<QLabel*>(QString::fromLatin1(credit))->text().isEmpty());
    auto* ok = about.findChild<QPushButton*>(QStringLiteral("OkButton"));
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QVERIFY(ok->isDefault());
    QVERIFY(!(about.windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(about.windowFlags() & Qt::WindowContextHelpButtonHint));
}

void tst_AboutDialog::closes_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("result");
    QTest::newRow("OK clicked") << "click" << int(QDialog::Accepted);
    QTest::newRow("Enter") << "enter" << int(QDialog::Accepted);
    QTest::newRow("Escape") << "escape" << int(QDialog::Rejected);
    QTest::newRow("close box") << "close" << int(QDialog::Rejected);
}

void tst_AboutDialog::closes() {
    QFETCH(QString, how);
    QFETCH(int, result);
    AboutDialog about;
    about.show();
    QVERIFY(QTest::qWaitForWindowActive(&about));
    QSignalSpy finished(&about, &QDialog::finished);
    if (how == u"click") {
        QTest::mouseClick(about.findChild<QPushButton*>(QStringLiteral("OkButton")),
                          Qt::LeftButton);
    } else if (how == u"enter") {
        zerkan::test::PressKey(Qt::Key_Return);
    } else if (how == u"escape") {
        zerkan::test::PressKey(Qt::Key_Escape);
    } else {
        about.close();
    }
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.front().front().toInt(), result);
    QVERIFY(!about.isVisible());
}

QTEST_MAIN(tst_AboutDialog)
#include "tst_aboutdialog.moc"
