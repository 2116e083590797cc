#include "qt/accessibility.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <algorithm>
#include <memory>
#include <string_view>
#include <utility>

namespace zerkan {
namespace {

// The label whose buddy is `control`, if any: the control's visible caption.
QLabel* CaptionOf(const QWidget* control) {
    const QWidget* parent = control != nullptr ? control->parentWidget() : nullptr;
    if (parent == nullptr)
        return nullptr;
    for (QLabel* label : parent->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (label->buddy() == control)
            return label;
    }
    return nullptr;
}

QComboBox* PickerOf(const QLineEdit* edit) {
    return qobject_cast<QComboBox*>(edit->parentWidget());
}

// A line edit as the bus sees it. Qt's own interface writes text straight into the field,
// past its validator, its length limit, its read-only flag and the signals that tell a user's
// edit from the program's; this one edits as the keyboard does: select, then type or delete.
class LineEditAccessible final : public QAccessibleWidget,
                                 public QAccessibleTextInterface,
                                 public QAccessibleEditableTextInterface {
  public:
    explicit LineEditAccessible(QLineEdit* edit)
        : QAccessibleWidget(edit, QAccessible::EditableText) {}

    QLineEdit* Edit() const { return static_cast<QLineEdit*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::EditableTextInterface && !Edit()->isReadOnly())
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return Shown();
        if (t == QAccessible::Name && Edit()->accessibleName().isEmpty()) {
            // The edit field of a picker answers to the picker's name.
            if (QComboBox* picker = PickerOf(Edit()))
                return QAccessible::queryAccessibleInterface(picker)->text(QAccessible::Name);
        }
        return QAccessibleWidget::text(t);
    }

    void setText(QAccessible::Text t, const QString& text) override {
        if (t == QAccessible::Value)
            replaceText(0, characterCount(), text);
        else
            QAccessibleWidget::setText(t, text);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = Edit()->isReadOnly();
        state.editable = !state.readOnly;
        state.selectableText = true;
        state.passwordEdit = Edit()->echoMode() != QLineEdit::Normal;
        return state;
    }

    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
        QAccessible::Relation match) const override {
        auto found = QAccessibleWidget::relations(match);
        if (match & QAccessible::Label) {
            if (QLabel* caption = CaptionOf(PickerOf(Edit())))
                found.append({QAccessible::queryAccessibleInterface(caption), QAccessible::Label});
        }
        return found;
    }

    // Text
    void selection(int index, int* start, int* end) const override {
        *start = *end = 0;
        if (index == 0 && Edit()->hasSelectedText()) {
            *start = Edit()->selectionStart();
            *end = Edit()->selectionEnd();
        }
    }
    int selectionCount() const override { return Edit()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override {
        if (index == 0)
            Edit()->deselect();
    }
    void setSelection(int index, int start, int end) override {
        if (index == 0)
            Edit()->setSelection(Clamp(start), Clamp(end) - Clamp(start));
    }
    int cursorPosition() const override { return Edit()->cursorPosition(); }
    void setCursorPosition(int position) override { Edit()->setCursorPosition(Clamp(position)); }
    QString text(int start, int end) const override {
        start = Clamp(start);
        end = end < 0 ? characterCount() : Clamp(end);
        return Shown().mid(start, std::max(end - start, 0));
    }
    int characterCount() const override { return static_cast<int>(Shown().size()); }
    QRect characterRect(int offset) const override {
        // Measured from the start of the text; a field scrolled sideways is not accounted for.
        const QString shown = Shown();
        if (offset < 0 || offset >= shown.size())
            return {};
        const QFontMetrics metrics(Edit()->font());
        const QRect area = Edit()->contentsRect().marginsRemoved(Edit()->textMargins());
        const int x = area.left() + 2 + metrics.horizontalAdvance(shown.left(offset));
        const QRect local(x, area.center().y() - metrics.height() / 2,
                          metrics.horizontalAdvance(shown.at(offset)), metrics.height());
        return QRect(Edit()->mapToGlobal(local.topLeft()), local.size());
    }
    int offsetAtPoint(const QPoint& point) const override {
        return Edit()->cursorPositionAt(Edit()->mapFromGlobal(point));
    }
    void scrollToSubstring(int start, int end) override {
        Edit()->setCursorPosition(Clamp(end));
        Edit()->setCursorPosition(Clamp(start));
    }
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

    // EditableText
    void deleteText(int start, int end) override { replaceText(start, end, {}); }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int start, int end, const QString& text) override {
        QLineEdit* edit = Edit();
        if (edit->isReadOnly() || !edit->isEnabled())
            return;
        start = Clamp(start);
        end = std::max(Clamp(end), start);
        // A paste over a selection: the validator, the length limit and the edit signals all
        // apply, so the program's handlers run exactly as for typing.
        if (end > start)
            edit->setSelection(start, end - start);
        else
            edit->setCursorPosition(start);
        if (!text.isEmpty())
            edit->insert(text);
        else if (end > start)
            edit->del();
    }

  private:
    QString Shown() const {
        return Edit()->echoMode() == QLineEdit::Normal ? Edit()->text() : QString();
    }
    int Clamp(int offset) const { return std::clamp(offset, 0, characterCount()); }
};

// A picker keeps the name of its caption whatever it holds; Qt's own interface on this
// platform names it after its text. Its children are the list, then the edit field.
class PickerAccessible final : public QAccessibleWidget {
  public:
    explicit PickerAccessible(QComboBox* picker)
        : QAccessibleWidget(picker, QAccessible::ComboBox) {}

    QComboBox* Picker() const { return static_cast<QComboBox*>(widget()); }

    int childCount() const override { return Picker()->lineEdit() != nullptr ? 2 : 1; }
    QAccessibleInterface* child(int index) const override {
        if (index == 0)
            return QAccessible::queryAccessibleInterface(Picker()->view());
        if (index == 1 && Picker()->lineEdit() != nullptr)
            return QAccessible::queryAccessibleInterface(Picker()->lineEdit());
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child == nullptr)
            return -1;
        if (child->object() == Picker()->view())
            return 0;
        if (Picker()->lineEdit() != nullptr && child->object() == Picker()->lineEdit())
            return 1;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        QLineEdit* edit = Picker()->lineEdit();
        if (edit != nullptr && QRect(edit->mapToGlobal(QPoint(0, 0)), edit->size()).contains(x, y))
            return child(1);
        return nullptr;
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return Picker()->currentText();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString& action) override {
        if (action != showMenuAction() && action != pressAction())
            return;
        if (Picker()->view()->isVisible())
            Picker()->hidePopup();
        else
            Picker()->showPopup();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
    if (className == QLatin1String("QLineEdit"))
        return new LineEditAccessible(static_cast<QLineEdit*>(object));
    if (className == QLatin1String("QComboBox"))
        return new PickerAccessible(static_cast<QComboBox*>(object));
    return nullptr;
}

// Set while a list's selection is made to follow its picker: that is no one's choice.
bool listFollowing = false;

// An entry selected in a picker's list by an assistive client (its "Toggle" action, or a row
// selection on the list), rather than by moving the highlight with the keys or the mouse, which
// always moves the current entry too: taken as the choice, exactly as Enter in the open list
// takes it, whether the list is open or closed. A client's toggle first clears the selection,
// which toggles the highlighted entry off, then selects the one wanted: what is selected last
// before the event loop turns is the choice. The picker itself selects its entry as it opens
// the list; that selection finds the list open by the time it would be taken, and is not.
void ChooseOnAssistiveSelection(QComboBox* picker) {
    QAbstractItemView* list = picker->view();
    QItemSelectionModel* model = list->selectionModel();
    struct Pending {
        QPersistentModelIndex entry;
        bool moved = false;
        bool listOpen = false;
    };
    auto pending = std::make_shared<Pending>();
    QObject::connect(model, &QItemSelectionModel::currentChanged, picker,
                     [pending] { pending->moved = true; });
    QObject::connect(
        model, &QItemSelectionModel::selectionChanged, picker,
        [list, pending](const QItemSelection& selected, const QItemSelection& deselected) {
            if (listFollowing)
                return;
            const QModelIndex current = list->currentIndex();
            QModelIndex chosen;
            if (selected.indexes().size() == 1)
                chosen = selected.indexes().front();
            else if (selected.isEmpty() && current.isValid() && deselected.contains(current))
                chosen = current;  // the highlighted entry toggled off: it is the one wanted
            if (!chosen.isValid())
                return;
            // The keys and the mouse move the current entry right after selecting it.
            pending->moved = false;
            const bool decisionQueued = pending->entry.isValid();
            pending->entry = chosen;
            if (decisionQueued)
                return;
            pending->listOpen = list->isVisible();
            QMetaObject::invokeMethod(
                list,
                [list, pending] {
                    const QPersistentModelIndex entry = std::exchange(pending->entry, {});
                    if (pending->moved || !entry.isValid() ||
                        list->isVisible() != pending->listOpen)
                        return;
                    // Enter in the list takes its current entry and closes the list, if open.
                    list->setCurrentIndex(entry);
                    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
                    QCoreApplication::sendEvent(list, &enter);
                },
                Qt::QueuedConnection);
        });
    // The toolkit's own choices on the closed box: the wheel, the arrow keys.
    QObject::connect(picker, &QComboBox::currentIndexChanged, picker,
                     [picker] { ListFollowsEntry(picker); });
}

struct CaptionRow {
    std::string_view caption;
    std::string_view control;
    bool namesControl;  // false: the control shows a value and keeps it as its name
};

constexpr CaptionRow kCaptions[] = {
    {"NumberCaption", "NumberPicker", true},
    {"NameCaption", "NamePicker", true},
    {"SymbolCaption", "SymbolPicker", true},
    {"CountLabel", "CountField", true},
    {"MolecularMassCaption", "MolecularMassBox", true},
    {"ContentsCaption", "ContentsBox", true},
    {"FormulaCaption", "FormulaBox", true},
    {"AtomicMassLabel", "AtomicMassValue", false},
};

QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void InstallAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
}

void DescribeMainControls(QWidget* clientArea) {
    for (const CaptionRow& row : kCaptions) {
        auto* caption = clientArea->findChild<QLabel*>(Latin1(row.caption));
        auto* control = clientArea->findChild<QWidget*>(Latin1(row.control));
        if (caption == nullptr || control == nullptr)
            continue;
        // The buddy gives the control its labelled-by relation and the caption its label-for.
        caption->setBuddy(control);
        if (row.namesControl)
            CaptionChanged(caption);
    }
    for (QComboBox* picker : clientArea->findChildren<QComboBox*>())
        ChooseOnAssistiveSelection(picker);
}

void ListFollowsEntry(QComboBox* picker) {
    QAbstractItemView* list = picker->view();
    if (list->isVisible())
        return;  // an open list shows the highlight the user moves
    QItemSelectionModel* selection = list->selectionModel();
    const QModelIndex entry = picker->model()->index(picker->currentIndex(), picker->modelColumn(),
                                                     picker->rootModelIndex());
    if (entry.isValid() ? selection->isSelected(entry) && selection->selectedIndexes().size() == 1
                        : !selection->hasSelection())
        return;
    const QScopedValueRollback following(listFollowing, true);
    if (entry.isValid())
        selection->setCurrentIndex(entry, QItemSelectionModel::ClearAndSelect);
    else
        selection->clear();
}

void CaptionChanged(QLabel* caption) {
    QWidget* control = caption->buddy();
    if (control == nullptr || qobject_cast<QLabel*>(control) != nullptr)
        return;
    control->setAccessibleName(caption->text());
}

}  // namespace zerkan
