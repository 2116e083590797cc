// The scenario driver on the real window: a MainDialog, offscreen, driven by the keyboard and
// mouse events a user would produce, and read back from its widgets.

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <cstdio>
#include <memory>
#include <utility>

#include "core/text.h"
#include "driver.h"
#include "qt/resultbox.h"
#include "qt/zerkandlg.h"
#include "tests/qt/userinput.h"

namespace zerkan::replay {
namespace {

QString ToQString(std::string_view text) {
    return QString::fromStdString(ToUtf8(text));
}

// The widgets carry their member names as object names.
QString NameOf(ControlId id) {
    const std::string_view name = ControlName(id);
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

// The runner's standard error carries its own diagnostics only; the offscreen platform's
// remarks (no keyboard grab, no runtime directory) are not about the scenario.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "zerkan-replay: Qt: %s\n", qPrintable(message));
    }
}

std::unique_ptr<QApplication> MakeApplication(int& argc, char** argv) {
    if (QApplication::instance() != nullptr)
        return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QApplication>(argc, argv);
}

// Dismisses each message box as soon as it shows, with the key a user presses, and keeps its
// text.
class MessageCatcher final : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (box != nullptr && event->type() == QEvent::Show) {
            QMetaObject::invokeMethod(
                box,
                [this, box] {
                    texts.push_back(FromUtf8(box->text().toStdString()));
                    QTest::keyClick(box, Qt::Key_Return);
                    if (box->isVisible()) {
                        std::fputs("zerkan-replay: a message box ignored Enter\n", stderr);
                        box->done(QMessageBox::Ok);
                    }
                },
                Qt::QueuedConnection);
        }
        return false;
    }

    std::vector<Text> texts;
};

class WindowDriver final : public ScenarioDriver {
  public:
    WindowDriver(int& argc, char** argv)
        : previousHandler_(qInstallMessageHandler(QuietQtMessages)),
          app_(MakeApplication(argc, argv)),
          state_(std::make_unique<CompositionState>()),
          dialog_(std::make_unique<MainDialog>(*state_)) {
        dialog_->SetReadMeLauncher([](const ReadMeRequest&) {});
        qApp->installEventFilter(&catcher_);
        dialog_->show();
        if (!QTest::qWaitForWindowActive(dialog_.get())) {
            std::fputs("zerkan-replay: the window did not become active\n", stderr);
        }
    }

    ~WindowDriver() override {
        qApp->removeEventFilter(&catcher_);
        dialog_.reset();
        app_.reset();
        qInstallMessageHandler(previousHandler_);
    }

    WindowDriver(const WindowDriver&) = delete;
    WindowDriver& operator=(const WindowDriver&) = delete;

    void Choose(ControlId picker, int index) override {
        QComboBox* box = Picker(picker);
        test::ChooseFromList(box, index);
        if (box->view()->isVisible() || box->currentIndex() != index) {
            std::fprintf(stderr, "zerkan-replay: choosing entry %d of %s failed\n", index,
                         qPrintable(NameOf(picker)));
        }
    }

    void Type(ControlId picker, std::string_view text) override {
        QLineEdit* edit = Picker(picker)->lineEdit();
        ReplaceText(edit, ToQString(text), true);
    }

    void TypeCount(std::string_view text) override {
        // Typed one key at a time: the field itself drops what is not a digit and stops at
        // its length limit.
        ReplaceText(dialog_->findChild<QLineEdit*>(NameOf(ControlId::CountField)), ToQString(text),
                    false);
    }

    void Click(ControlId button) override {
        QTest::mouseClick(dialog_->findChild<QPushButton*>(NameOf(button)), Qt::LeftButton);
    }

    WindowView Read() const override {
        return ReadThroughSurface(
            *dialog_, !dialog_->findChild<QLabel*>(NameOf(ControlId::AtomicMassLabel))->isHidden(),
            Caret(ControlId::ContentsBox), Caret(ControlId::FormulaBox));
    }

    std::vector<Text> TakeMessages() override { return std::exchange(catcher_.texts, {}); }

    const CompositionState& State() const override { return *state_; }

  private:
    QComboBox* Picker(ControlId picker) const {
        return dialog_->findChild<QComboBox*>(NameOf(picker));
    }

    int Caret(ControlId box) const {
        return dialog_->findChild<ResultBox*>(NameOf(box))->cursorPosition();
    }

    // Clicks into the field, selects and erases everything and types the new text. An empty
    // text is still an edit: a character is typed and erased when the field is empty. Text
    // that no key produces is pasted when `paste` allows; otherwise the field ignores it.
    static void ReplaceText(QLineEdit* edit, const QString& text, bool paste) {
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty() && edit->text().isEmpty())
            TypeCharacter(edit, QLatin1Char('x'));
        // Erased first: a key the field refuses would otherwise leave the old text in place.
        if (!edit->text().isEmpty())
            QTest::keyClick(edit, Qt::Key_Backspace);
        for (const QChar c : text) {
            if (paste && (!c.isPrint() || c.isSurrogate())) {
                // What no key produces still arrives by pasting.
                QApplication::clipboard()->setText(text);
                QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
                return;
            }
        }
        for (const QChar c : text)
            TypeCharacter(edit, c);
    }

    static void TypeCharacter(QWidget* widget, QChar c) {
        const char16_t u = c.toUpper().unicode();
        const bool plainKey = (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || u == u' ';
        const auto key = plainKey ? static_cast<Qt::Key>(u) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, widget, key, QString(c), Qt::NoModifier);
    }

    QtMessageHandler previousHandler_;
    std::unique_ptr<QApplication> app_;
    std::unique_ptr<CompositionState> state_;
    std::unique_ptr<MainDialog> dialog_;
    MessageCatcher catcher_;
};

}  // namespace

std::unique_ptr<ScenarioDriver> MakeWindowDriver(int& argc, char** argv) {
    return std::make_unique<WindowDriver>(argc, argv);
}

}  // namespace zerkan::replay
