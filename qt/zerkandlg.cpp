#include "qt/zerkandlg.h"
#include "core/texts.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "core/controls.h"
#include "core/elements.h"
#include "core/exchange.h"
#include "core/handlers.h"
#include "core/text.h"
#include "qt/aboutdialog.h"
#include "qt/accessibility.h"
#include "qt/desktopentry.h"
#include "qt/dialoglayout.h"
#include "qt/pictures.h"
#include "qt/resultbox.h"
#include "qt/windowplacement.h"

namespace zerkan {
namespace {

// A picker shows its entry only in its field, which repaints itself; the box around it, frame
// and arrow, looks the same whatever the entry (none has an icon) but would repaint all of
// itself on every change of entry.
void SetEntry(QComboBox& picker, int index) {
    const bool wasQuiet = picker.testAttribute(Qt::WA_UpdatesDisabled);
    picker.setAttribute(Qt::WA_UpdatesDisabled, true);
    picker.setCurrentIndex(index);
    picker.setAttribute(Qt::WA_UpdatesDisabled, wasQuiet);
    ListFollowsEntry(&picker);
}

// Qt's line edit writes its whole text again whenever its limit is set, which moves the caret
// and repaints the field; only a new limit may do that.
void SetMaxLength(QLineEdit& edit, int length) {
    if (edit.maxLength() != length)
        edit.setMaxLength(length);
}

// A value box shows its number from the start; the same value written again leaves the box
// alone, without a repaint.
void ShowReadOnlyText(QLineEdit& edit, const QString& text) {
    if (edit.text() == text)
        return;
    edit.setText(text);
    edit.setCursorPosition(0);
}

// Straight from the code page to UTF-16, one unit per byte: the result boxes receive tens of
// thousands of characters on every Add, and a detour through UTF-8 cost a quarter of the Add.
QString ToQString(std::string_view text) {
    static constexpr auto kUnits = [] {
        std::array<char16_t, 256> units{};
        for (unsigned b = 0; b < units.size(); ++b)
            units[b] = static_cast<char16_t>(detail::CodePointOf(static_cast<unsigned char>(b)));
        return units;
    }();
    QString out(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
    QChar* unit = out.data();
    for (const char c : text)
        *unit++ = QChar(kUnits[static_cast<unsigned char>(c)]);
    return out;
}

Text FromQString(const QString& text) {
    return FromUtf8(text.toStdString());
}

}  // namespace

MainDialog::MainDialog(CompositionState& state, QWidget* parent)
    : QDialog(parent), state_(state), readMeLauncher_(OpenReadMe) {
    windowIcon = ProgramIcon();
    setWindowTitle(QString::fromUtf8(layout::kMainTitle.data(),
                                     static_cast<qsizetype>(layout::kMainTitle.size())));
    // A top-level window with a taskbar button and a minimise box, neither resizable nor
    // maximisable, and without a context-help button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setAcceptDrops(false);
    InstallAccessibility();
    CentreWhenShown(*this);
    CreateControls();
    DescribeMainControls(clientArea_);
    CreateMenu();
    ConnectHandlers();
    OnInitDialog();
}

MainDialog::~MainDialog() = default;

void MainDialog::CreateControls() {
    clientArea_ = new QWidget(this);
    clientArea_->setObjectName(QStringLiteral("ClientArea"));
    const DialogUnits units = DialogUnits::Of(font());
    clientArea_->setFixedSize(units.ToPixels(layout::kMainClient));
    const std::vector<QWidget*> widgets = BuildControls(layout::kMainControls, units, clientArea_);
    for (std::size_t i = 0; i < widgets.size(); ++i) {
        const int id = layout::kMainControls[i].id;
        if (id >= 0)
            byId_[static_cast<ControlId>(id)] = widgets[i];
    }
    const auto find = [this]<typename T>(ControlId id, T*& member) {
        member = qobject_cast<T*>(byId_.at(id));
        Q_ASSERT(member != nullptr);
    };
    find(ControlId::StepPrompt, StepPrompt);
    find(ControlId::ContentsBox, ContentsBox);
    find(ControlId::ProtonLine, ProtonLine);
    find(ControlId::SymbolPicker, SymbolPicker);
    find(ControlId::NamePicker, NamePicker);
    find(ControlId::CountField, CountField);
    find(ControlId::UndoButton, UndoButton);
    find(ControlId::AddButton, AddButton);
    find(ControlId::ResetButton, ResetButton);
    find(ControlId::NumberPicker, NumberPicker);
    find(ControlId::FormulaBox, FormulaBox);
    find(ControlId::PeriodGroupLine, PeriodGroupLine);
    find(ControlId::KindLine, KindLine);
    find(ControlId::AtomicMassLabel, AtomicMassLabel);
    find(ControlId::CountLabel, CountLabel);
    find(ControlId::SearchButton, SearchButton);
    find(ControlId::AtomicMassValue, AtomicMassValue);
    find(ControlId::MolecularMassBox, MolecularMassBox);
}

void MainDialog::CreateMenu() {
    auto* menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("MenuBar"));
    // The menu belongs to this window, above its client area, on every desktop.
    menuBar->setNativeMenuBar(false);

    QMenu* fileMenu = menuBar->addMenu(QStringLiteral("Dosya"));
    fileMenu->setObjectName(QStringLiteral("FileMenu"));
    QAction* exitAction = fileMenu->addAction(QStringLiteral("Çık"));
    exitAction->setObjectName(QStringLiteral("ExitAction"));
    // The close box's way out: the cancel action, without a question.
    connect(exitAction, &QAction::triggered, this, &QWidget::close);

    QMenu* helpMenu = menuBar->addMenu(QStringLiteral("Yardım"));
    helpMenu->setObjectName(QStringLiteral("HelpMenu"));
    QAction* readMeAction = helpMenu->addAction(QStringLiteral("Yardım"));
    readMeAction->setObjectName(QStringLiteral("ReadMeAction"));
    connect(readMeAction, &QAction::triggered, this, &MainDialog::OnReadMe);
    QAction* aboutAction = helpMenu->addAction(QStringLiteral("Hakkında"));
    aboutAction->setObjectName(QStringLiteral("AboutAction"));
    connect(aboutAction, &QAction::triggered, this, &MainDialog::OnAbout);

    // F1 is the help key; the program's only help is the read-me.
    auto* helpKey = new QAction(this);
    helpKey->setObjectName(QStringLiteral("HelpKeyAction"));
    helpKey->setShortcut(QKeySequence(Qt::Key_F1));
    helpKey->setShortcutContext(Qt::WindowShortcut);
    addAction(helpKey);
    connect(helpKey, &QAction::triggered, this, &MainDialog::OnReadMe);

    auto* frame = new QVBoxLayout(this);
    frame->setContentsMargins(0, 0, 0, 0);
    frame->setSpacing(0);
    frame->setMenuBar(menuBar);
    frame->addWidget(clientArea_);
    frame->setSizeConstraint(QLayout::SetFixedSize);
}

void MainDialog::ConnectHandlers() {
    connect(AddButton, &QPushButton::clicked, this, [this] { OnAdd(state_, *this); });
    connect(UndoButton, &QPushButton::clicked, this, [this] { OnUndo(state_, *this); });
    connect(ResetButton, &QPushButton::clicked, this, [this] { OnReset(state_, *this); });
    connect(SearchButton, &QPushButton::clicked, this, [this] { OnSearch(state_, *this); });
    connect(CountField, &QLineEdit::textChanged, this, &MainDialog::RunCountChanged);
    for (const ControlId id :
         {ControlId::SymbolPicker, ControlId::NamePicker, ControlId::NumberPicker}) {
        QComboBox* picker = Picker(id);
        // A choice from the list, by the user only.
        connect(picker, &QComboBox::activated, this,
                [this, id] { OnPickerSelected(state_, *this, id); });
        // An edit by the user: the entry is no longer selected, the typed text stays.
        connect(picker->lineEdit(), &QLineEdit::textEdited, this, [this, id, picker] {
            ForgetSelection(picker);
            OnPickerEdited(state_, *this, id);
        });
    }
}

void MainDialog::OnInitDialog() {
    for (const ControlId id :
         {ControlId::NumberPicker, ControlId::NamePicker, ControlId::SymbolPicker}) {
        QComboBox* picker = Picker(id);
        const QSignalBlocker blocker(picker);
        for (int i = 0; i < kElementCount; ++i)
            picker->addItem(ToQString(PickerEntryText(id, i)));
        picker->setCurrentIndex(-1);
    }
    DoDataExchange(false);
    setWindowIcon(windowIcon);
    SetText(ControlId::MolecularMassBox, "");
    SetText(ControlId::AtomicMassValue, "");
    SetVisible(ControlId::AtomicMassLabel, false);
    // Runs the count field's change handler: count reads 0 and the 9-character limit starts.
    SetText(ControlId::CountField, "");
    NumberPicker->setFocus();
}

QWidget* MainDialog::Control(ControlId id) const {
    return byId_.at(id);
}

QComboBox* MainDialog::Picker(ControlId id) const {
    return qobject_cast<QComboBox*>(byId_.at(id));
}

ResultBox* MainDialog::Box(ControlId id) const {
    return qobject_cast<ResultBox*>(byId_.at(id));
}

void MainDialog::ForgetSelection(QComboBox* picker) {
    if (picker->currentIndex() < 0)
        return;
    QLineEdit* edit = picker->lineEdit();
    const QString text = edit->text();
    const int cursor = edit->cursorPosition();
    const QSignalBlocker blockPicker(picker);
    const QSignalBlocker blockEdit(edit);
    SetEntry(*picker, -1);
    edit->setText(text);
    edit->setCursorPosition(cursor);
}

void MainDialog::SetText(ControlId control, std::string_view text) {
    const QString value = ToQString(text);
    QWidget* widget = Control(control);
    if (control == ControlId::CountField) {
        WriteCountField(value, true);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(value);
        CaptionChanged(label);
    } else if (auto* box = qobject_cast<ResultBox*>(widget)) {
        box->setText(value);
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        ShowReadOnlyText(*edit, value);
    }
}

Text MainDialog::GetText(ControlId control) const {
    QWidget* widget = Control(control);
    if (auto* picker = qobject_cast<QComboBox*>(widget))
        return FromQString(picker->currentText());
    if (auto* label = qobject_cast<QLabel*>(widget))
        return FromQString(label->text());
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return FromQString(edit->text());
    if (auto* box = qobject_cast<ResultBox*>(widget))
        return FromQString(box->text());
    return {};
}

void MainDialog::SelectEntry(ControlId picker, int index) {
    QComboBox* box = Picker(picker);
    if (index < 0 || index >= box->count())
        index = -1;
    const QSignalBlocker blockBox(box);
    const QSignalBlocker blockEdit(box->lineEdit());
    SetEntry(*box, index);
    if (index < 0)
        box->lineEdit()->clear();
    box->lineEdit()->setCursorPosition(0);  // a long name shows from its first letter
}

int MainDialog::GetSelection(ControlId picker) const {
    return Picker(picker)->currentIndex();
}

void MainDialog::MatchTypedText(ControlId picker) {
    QComboBox* box = Picker(picker);
    QLineEdit* edit = box->lineEdit();
    const QString typedText = edit->text();
    const int found = FirstMatchingEntry(picker, FromQString(typedText));
    const int cursor = edit->cursorPosition();
    const QSignalBlocker blockBox(box);
    const QSignalBlocker blockEdit(edit);
    SetEntry(*box, found);
    edit->setText(typedText);
    edit->setCursorPosition(cursor);
}

void MainDialog::SetCountValue(int value) {
    SetText(ControlId::CountField, FormatInt(value));
}

int MainDialog::ReadCountValue() const {
    return ReadCountText(GetText(ControlId::CountField));
}

void MainDialog::LimitCountLength(int maxLength) {
    countLimit_ = std::max(maxLength, 0);
    ApplyCountLimit();
}

void MainDialog::ApplyCountLimit() {
    // Qt cuts a text that is longer than the limit; the limit only governs what the user
    // types, so a longer text already there keeps its length.
    const int limit = countLimit_ > 0 ? countLimit_ : 32767;
    SetMaxLength(*CountField, std::max(limit, static_cast<int>(CountField->text().size())));
}

void MainDialog::WriteCountField(const QString& text, bool notify) {
    const QSignalBlocker blocker(notify ? nullptr : CountField);
    if (text.size() > CountField->maxLength())
        SetMaxLength(*CountField, static_cast<int>(text.size()));
    if (CountField->text() == text) {
        // Qt reports no change for the same text; the window system reports every write.
        if (notify)
            RunCountChanged();
    } else {
        CountField->setText(text);
    }
    ApplyCountLimit();
}

void MainDialog::RunCountChanged() {
    OnCountChanged(state_, *this);
}

void MainDialog::SetVisible(ControlId control, bool visible) {
    Control(control)->setVisible(visible);
}

void MainDialog::PushBoundValues() {
    DoDataExchange(false);
}

void MainDialog::PlaceCaret(ControlId box, int position) {
    if (ResultBox* target = Box(box))
        target->setCursorPosition(position);
}

void MainDialog::ShowMessage(std::string_view text) {
    QMessageBox box(QMessageBox::Warning, QApplication::applicationName(), ToQString(text),
                    QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool MainDialog::DoDataExchange(bool save) {
    if (!save) {
        const QSignalBlocker blockMass(MolecularMassBox);
        WriteCountField(ToQString(FormatInt(boundCount)), false);
        ShowReadOnlyText(*MolecularMassBox, ToQString(FormatMass(boundMolecularMass)));
        AtomicMassValue->setText(ToQString(FormatMass(boundAtomicMass)));
        return true;
    }
    const SaveOutcome outcome = SaveBoundValues(*this);
    if (!outcome.ok)
        FailExchange(outcome.message, Control(outcome.failedControl));
    return outcome.ok;
}

void MainDialog::FailExchange(std::string_view message, QWidget* control) {
    ShowMessage(message);
    control->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->selectAll();
}

void MainDialog::AcceptAction() {
    if (DoDataExchange(true))
        accept();
}

void MainDialog::OnAbout() {
    // Modal to this window, but without a nested event loop: the command that opened it
    // returns at once, which an assistive client pressing the menu item waits for.
    if (about_ != nullptr) {
        about_->activateWindow();
        return;
    }
    about_ = new AboutDialog(this);
    about_->setAttribute(Qt::WA_DeleteOnClose);
    about_->open();
}

void MainDialog::OnReadMe() {
    if (readMeLauncher_)
        readMeLauncher_(CurrentReadMeRequest());
}

void MainDialog::SetReadMeLauncher(ReadMeLauncher launcher) {
    readMeLauncher_ = std::move(launcher);
}

void MainDialog::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        QDialog::keyPressEvent(event);  // Escape cancels here
        return;
    }
    // Enter on a button presses that button; anywhere else it is the accept action.
    if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
        button->click();
    } else {
        AcceptAction();
    }
}

void MainDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!classNamed_) {
        classNamed_ = true;
        NameWindowClass(*this);
    }
}

}  // namespace zerkan
