#include "qt/dialoglayout.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcutEvent>
#include <QStyle>
#include <QValidator>
#include <algorithm>
#include <cmath>

#include "core/surface.h"
#include "core/text.h"
#include "qt/pictures.h"
#include "qt/resultbox.h"

namespace zerkan {
namespace {

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// What the program's texts can hold: anything outside Windows-1254 becomes '?' as it is
// typed, so the field shows exactly what the logic reads from it.
class CodePageValidator final : public QValidator {
  public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override {
        QString result;
        result.reserve(input.size());
        int newPos = pos;
        for (qsizetype i = 0; i < input.size(); ++i) {
            const bool pair = input.at(i).isHighSurrogate() && i + 1 < input.size() &&
                              input.at(i + 1).isLowSurrogate();
            const QString one = input.mid(i, pair ? 2 : 1);
            const bool kept = one == QLatin1String("?") || FromUtf8(one.toStdString()) != "?";
            result += kept ? one : QStringLiteral("?");
            if (pair) {
                if (i < pos)
                    --newPos;  // two code units became one character
                ++i;
            }
        }
        input = result;
        pos = newPos;
        return Acceptable;
    }
};

// Digits 0 to 9 and nothing else: a paste that holds anything else is refused whole. (A
// regular expression would say the same, at the cost of loading and compiling its engine at
// start-up, 0.4 MiB.)
class DigitValidator final : public QValidator {
  public:
    using QValidator::QValidator;

    State validate(QString& input, int&) const override {
        const bool digits = std::all_of(input.cbegin(), input.cend(),
                                        [](QChar c) { return c >= u'0' && c <= u'9'; });
        return digits ? Acceptable : Invalid;
    }
};

// An editable drop-down list whose open list is wide enough for its longest entry, however
// narrow the closed box.
class Picker final : public QComboBox {
  public:
    using QComboBox::QComboBox;

    void showPopup() override {
        QAbstractItemView* list = view();
        list->setMinimumWidth(list->sizeHintForColumn(0) + 2 * list->frameWidth() +
                              style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list));
        QComboBox::showPopup();
    }
};

QComboBox* MakePicker(QWidget* parent) {
    auto* box = new Picker(parent);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    // Qt would complete typed text inline and change what the user typed.
    box->setCompleter(nullptr);
    // Only a choice from the list selects an entry; Qt would also pick the entry whose text
    // equals the typed text when the field loses focus.
    QObject::disconnect(box->lineEdit(), &QLineEdit::editingFinished, box, nullptr);
    box->setValidator(new CodePageValidator(box));
    box->lineEdit()->setAcceptDrops(false);
    // Not the toolkit's 32,767 characters: the in-memory window takes the same length.
    box->lineEdit()->setMaxLength(kPickerTextLimit);
    box->setMaxVisibleItems(12);
    // A chosen entry shows from its first letter, even when it is wider than the field.
    QObject::connect(box, &QComboBox::activated, box->lineEdit(),
                     [edit = box->lineEdit()] { edit->setCursorPosition(0); });
    return box;
}

QLineEdit* MakeCountEdit(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    // Digits only, whether typed or pasted.
    edit->setValidator(new DigitValidator(edit));
    edit->setAcceptDrops(false);
    return edit;
}

QLineEdit* MakeReadOnlyBox(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::ClickFocus);  // no tab stop
    edit->setAcceptDrops(false);
    return edit;
}

// A push button whose mnemonic presses it at once. Qt animates the press for a tenth of a
// second and clicks afterwards, so keys typed meanwhile would reach the window first: a fast
// "6, Alt+E, 8" would add element 68.
//
// Qt also paints a button by itself, at once, when it is pressed and again when it is let go,
// before the click runs: three paint passes over the window for one click. Here the button
// asks for its paint instead, as it reports the press or the release, so that the window's next
// pass shows it with whatever the click changed; a click that opens a message box still shows
// the button let go behind it.
class PushButton final : public QPushButton {
  public:
    explicit PushButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
        // Before the click runs, which may open a message box and wait for it.
        connect(this, &QAbstractButton::released, this, [this] { setUpdatesEnabled(true); });
    }

  protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::Shortcut && isEnabled() &&
            !static_cast<QShortcutEvent*>(event)->isAmbiguous()) {
            click();
            return true;
        }
        if (!PressesOrLetsGo(event->type()) || !updatesEnabled())
            return QPushButton::event(event);
        setUpdatesEnabled(false);
        const bool handled = QPushButton::event(event);
        setUpdatesEnabled(true);
        return handled;
    }

  private:
    static bool PressesOrLetsGo(QEvent::Type type) {
        return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
               type == QEvent::MouseButtonRelease || type == QEvent::KeyPress ||
               type == QEvent::KeyRelease;
    }
};

// The contents list and the formula grow with the molecule; their box lays out only what it
// shows.
bool HoldsGrowingText(const layout::Control& row) {
    return row.id == static_cast<int>(ControlId::ContentsBox) ||
           row.id == static_cast<int>(ControlId::FormulaBox);
}

QPushButton* MakeButton(const QString& text, bool isDefault, QWidget* parent) {
    auto* button = new PushButton(text, parent);
    // Enter in a field runs the dialog's accept action; it must never press a button that
    // merely had the focus before.
    button->setAutoDefault(isDefault);
    button->setDefault(isDefault);
    return button;
}

QLabel* MakeLabel(const QString& text, Qt::Alignment alignment, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment | Qt::AlignVCenter);
    label->setText(text);
    return label;
}

QWidget* Make(const layout::Control& row, QWidget* parent) {
    const QString text = Utf8(row.text);
    switch (row.kind) {
        case layout::Kind::Picker:
            return MakePicker(parent);
        case layout::Kind::Button:
            return MakeButton(text, false, parent);
        case layout::Kind::DefaultButton:
            return MakeButton(text, true, parent);
        case layout::Kind::Edit:
            return MakeCountEdit(parent);
        case layout::Kind::ReadOnlyBox:
            if (HoldsGrowingText(row))
                return new ResultBox(parent);
            return MakeReadOnlyBox(parent);
        case layout::Kind::Label:
            return MakeLabel(text, Qt::AlignLeft, parent);
        case layout::Kind::CenteredLabel:
            return MakeLabel(text, Qt::AlignHCenter, parent);
        case layout::Kind::Frame: {
            auto* frame = new QGroupBox(parent);
            frame->setAttribute(Qt::WA_TransparentForMouseEvents);
            return frame;
        }
        case layout::Kind::Picture: {
            auto* picture = new QLabel(parent);
            picture->setPixmap(ResourceBitmap(text));
            return picture;
        }
    }
    return nullptr;
}

QRect Place(const layout::Control& row, QWidget* widget, const DialogUnits& units) {
    QRect rect = units.ToPixels(row);
    if (row.kind == layout::Kind::Picker) {
        // The layout's height includes the dropped-down list; the closed box is as tall as
        // its style needs.
        rect.setHeight(widget->sizeHint().height());
    } else if (row.kind == layout::Kind::Label || row.kind == layout::Kind::CenteredLabel) {
        // Fonts differ between desktops; a caption grows to its text rather than being cut.
        const int needed =
            widget->fontMetrics().horizontalAdvance(static_cast<QLabel*>(widget)->text());
        if (needed > rect.width()) {
            const int extra = needed - rect.width();
            if (row.kind == layout::Kind::CenteredLabel)
                rect.translate(-extra / 2, 0);
            rect.setWidth(needed);
        }
    } else if (row.kind == layout::Kind::Picture) {
        // A picture shows its image at the image's own size.
        const QPixmap pixmap = static_cast<QLabel*>(widget)->pixmap();
        if (!pixmap.isNull())
            rect.setSize(pixmap.deviceIndependentSize().toSize());
    }
    return rect;
}

}  // namespace

DialogUnits DialogUnits::Of(const QFont& font) {
    const QFontMetricsF metrics(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return {metrics.horizontalAdvance(letters) / 52.0, metrics.height()};
}

QRect DialogUnits::ToPixels(const layout::Control& control) const {
    const auto px = [](int units, double base, int per) {
        return static_cast<int>(std::lround(units * base / per));
    };
    return {px(control.x, cx, 4), px(control.y, cy, 8), px(control.w, cx, 4), px(control.h, cy, 8)};
}

QSize DialogUnits::ToPixels(layout::Size size) const {
    return {static_cast<int>(std::lround(size.w * cx / 4)),
            static_cast<int>(std::lround(size.h * cy / 8))};
}

std::vector<QWidget*> BuildControls(std::span<const layout::Control> controls,
                                    const DialogUnits& units, QWidget* parent) {
    std::vector<QWidget*> widgets;
    widgets.reserve(controls.size());
    for (const layout::Control& row : controls) {
        QWidget* widget = Make(row, parent);
        widget->setObjectName(Utf8(row.name));
        if (!row.accessible.empty())
            widget->setAccessibleName(Utf8(row.accessible));
        widget->setGeometry(Place(row, widget, units));
        if (row.kind == layout::Kind::Frame)
            widget->lower();
        widgets.push_back(widget);
    }
    return widgets;
}

}  // namespace zerkan
