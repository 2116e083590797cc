#include "qt/resultbox.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleHints>
#include <QStyleOptionFrame>
#include <QTextLine>
#include <algorithm>
#include <cmath>

namespace zerkan {
namespace {

// The line edit's own spacing between its contents rectangle and its text.
constexpr int kHorizontalMargin = 2;

// What a line edit shows for characters that would break its single line.
QString DisplayText(QStringView text) {
    QString shown = text.toString();
    for (QChar& c : shown) {
        if ((c.unicode() < 0x20 && c.unicode() != 0x09) || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator || c == QChar::ObjectReplacementCharacter)
            c = QLatin1Char(' ');
    }
    return shown;
}

enum class CharClass { Space, Word, Other };

CharClass ClassOf(QChar c) {
    if (c.isSpace())
        return CharClass::Space;
    return c.isLetterOrNumber() || c == QLatin1Char('_') ? CharClass::Word : CharClass::Other;
}

// The toolkit's own texts, so that its Turkish translation applies to the box too.
QString LineEditText(const char* source) {
    return QCoreApplication::translate("QLineEdit", source);
}

QString WithShortcut(QString text, QKeySequence::StandardKey key) {
    if (!QCoreApplication::testAttribute(Qt::AA_DontShowShortcutsInContextMenus) &&
        QGuiApplication::styleHints()->showShortcutsInContextMenus()) {
        text += QLatin1Char('\t') + QKeySequence(key).toString(QKeySequence::NativeText);
    }
    return text;
}

// What a screen reader sees: a read-only text field whose Text interface holds the whole text.
class ResultBoxAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit ResultBoxAccessible(ResultBox* box)
        : QAccessibleWidget(box, QAccessible::EditableText), box_(box) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return box_->text();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        s.editable = false;
        s.selectableText = true;
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
        if (selectionIndex == 0 && box_->hasSelectedText()) {
            *startOffset = box_->selectionStart();
            *endOffset = box_->selectionEnd();
        }
    }
    int selectionCount() const override { return box_->hasSelectedText() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override {
        setSelection(0, startOffset, endOffset);
    }
    void removeSelection(int selectionIndex) override {
        if (selectionIndex == 0)
            box_->deselect();
    }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override {
        if (selectionIndex == 0)
            box_->setSelection(startOffset, endOffset);
    }
    int cursorPosition() const override { return box_->cursorPosition(); }
    void setCursorPosition(int position) override { box_->setCursorPosition(position); }
    QString text(int startOffset, int endOffset) const override {
        const QString& all = box_->text();
        startOffset = std::clamp(startOffset, 0, static_cast<int>(all.size()));
        endOffset = std::clamp(endOffset, startOffset, static_cast<int>(all.size()));
        return all.mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(box_->text().size()); }
    QRect characterRect(int offset) const override {
        const QRect rect = box_->characterRect(offset);
        return rect.isEmpty() ? QRect() : QRect(box_->mapToGlobal(rect.topLeft()), rect.size());
    }
    int offsetAtPoint(const QPoint& point) const override {
        const QPoint local = box_->mapFromGlobal(point);
        return box_->rect().contains(local) ? box_->positionAt(local) : -1;
    }
    void scrollToSubstring(int startIndex, int endIndex) override {
        box_->scrollToRange(startIndex, endIndex);
    }
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = offset;
        return {};
    }

  private:
    ResultBox* box_;
};

QAccessibleInterface* MakeAccessible(const QString& key, QObject* object) {
    if (key == QLatin1String("zerkan::ResultBox")) {
        if (auto* box = qobject_cast<ResultBox*>(object))
            return new ResultBoxAccessible(box);
    }
    return nullptr;
}

}  // namespace

ResultBox::ResultBox(QWidget* parent) : QWidget(parent) {
    static const bool factoryInstalled = (QAccessible::installFactory(&MakeAccessible), true);
    Q_UNUSED(factoryInstalled);
    setFocusPolicy(Qt::ClickFocus);  // no tab stop
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setBackgroundRole(QPalette::Base);
    setCursor(Qt::IBeamCursor);
    setSizePolicy(QSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed, QSizePolicy::LineEdit));
    setAcceptDrops(false);
    slice_.layout.setCacheEnabled(true);
}

ResultBox::~ResultBox() = default;

void ResultBox::setText(const QString& text) {
    const bool hadSelection = hasSelectedText();
    const QString old = std::exchange(text_, text);
    cursor_ = anchor_ = 0;
    viewIndex_ = viewX_ = 0;
    caretMoved_ = false;
    slice_.valid = false;
    update();
    if (QAccessible::isActive()) {
        QAccessibleTextUpdateEvent changed(this, 0, old, text_);
        QAccessible::updateAccessibility(&changed);
        if (hadSelection) {
            QAccessibleTextSelectionEvent selection(this, -1, -1);
            QAccessible::updateAccessibility(&selection);
        }
        notifyCaret();
    }
}

void ResultBox::setCursorPosition(int position) {
    moveCursor(position, false);
}

QString ResultBox::selectedText() const {
    if (!hasSelectedText())
        return {};
    return text_.mid(selectionStart(), selectionEnd() - selectionStart());
}

void ResultBox::setSelection(int start, int end) {
    const int size = static_cast<int>(text_.size());
    start = std::clamp(start, 0, size);
    end = std::clamp(end, 0, size);
    moveCursor(start, false);
    moveCursor(end, true);
}

void ResultBox::selectAll() {
    setSelection(0, static_cast<int>(text_.size()));
}

void ResultBox::deselect() {
    moveCursor(cursor_, false);
}

void ResultBox::copy() const {
    if (hasSelectedText())
        QApplication::clipboard()->setText(selectedText());
}

void ResultBox::moveCursor(int position, bool keepAnchor) {
    position = std::clamp(position, 0, static_cast<int>(text_.size()));
    const int oldStart = selectionStart();
    const int oldEnd = selectionEnd();
    const bool moved = position != cursor_;
    cursor_ = position;
    if (!keepAnchor)
        anchor_ = position;
    if (moved)
        caretMoved_ = true;
    if (oldStart != selectionStart() || oldEnd != selectionEnd() || moved)
        update();
    if (QAccessible::isActive()) {
        if (oldStart != selectionStart() || oldEnd != selectionEnd())
            selectionChanged(selectionStart(), selectionEnd());
        if (moved)
            notifyCaret();
    }
}

void ResultBox::selectionChanged(int start, int end) {
    QAccessibleTextSelectionEvent event(this, start, end);
    QAccessible::updateAccessibility(&event);
}

void ResultBox::notifyCaret() {
    QAccessibleTextCursorEvent event(this, cursor_);
    QAccessible::updateAccessibility(&event);
}

void ResultBox::initStyleOption(QStyleOptionFrame* option) const {
    option->initFrom(this);
    option->rect = contentsRect();
    option->lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, option, this);
    option->midLineWidth = 0;
    option->state |= QStyle::State_Sunken | QStyle::State_ReadOnly;
    option->features = QStyleOptionFrame::None;
}

// The rectangle the text is drawn in, vertically centred as in a line edit.
QRect ResultBox::lineRect(int textHeight) const {
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    const QRect r = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this);
    const int top = r.y() + (r.height() - textHeight + 1) / 2;
    return {r.x() + kHorizontalMargin, top, r.width() - 2 * kHorizontalMargin, textHeight};
}

int ResultBox::lineWidth() const {
    return std::max(1, lineRect(fontMetrics().height()).width());
}

void ResultBox::layOut(int start, int end) const {
    Slice& s = slice_;
    s.start = start;
    s.end = end;
    const QString shown = DisplayText(QStringView(text_).mid(start, end - start));
    s.layout.clearLayout();
    s.layout.setText(shown);
    s.layout.setFont(font());
    QTextOption option = s.layout.textOption();
    option.setTextDirection(Qt::LeftToRight);
    option.setFlags(QTextOption::IncludeTrailingSpaces);
    s.layout.setTextOption(option);
    s.layout.beginLayout();
    QTextLine line = s.layout.createLine();
    s.layout.endLayout();
    const QFontMetrics metrics = fontMetrics();
    s.textHeight = std::max(metrics.boundingRect(shown).height(), metrics.height());
    s.ascentShift = qRound(line.ascent()) - metrics.ascent();
}

qreal ResultBox::xOf(int index) const {
    return slice_.layout.lineAt(0).cursorToX(index - slice_.start);
}

const ResultBox::Slice& ResultBox::slice() const {
    resolveView();
    if (slice_.valid)
        return slice_;
    const int size = static_cast<int>(text_.size());
    const int width = lineWidth();
    // A first guess of how many characters cover a width; doubled until they do.
    const int average = std::max(1, fontMetrics().averageCharWidth());
    const auto guess = [average](int pixels) { return pixels * 3 / (2 * average) + 4; };
    int before = viewX_ > 0 ? guess(viewX_) : 1;
    int after = guess(width - viewX_);
    for (int round = 0; round < 32; ++round) {
        const int start = std::max(0, viewIndex_ - before);
        const int end = std::min(size, viewIndex_ + after);
        layOut(start, end);
        const QTextLine line = slice_.layout.lineAt(0);
        const int anchor = qRound(line.cursorToX(viewIndex_ - start));
        const int natural = qRound(line.naturalTextWidth());
        slice_.originX = viewX_ - anchor;
        const int left = slice_.originX;
        const int right = left + natural;
        // Where the whole text fits, it starts at the left edge.
        if (start == 0 && end == size && natural + 1 <= width) {
            viewIndex_ = viewX_ = 0;
            slice_.originX = 0;
            break;
        }
        // A text that does not fit never leaves room before its start...
        if (start == 0 && left > 0) {
            viewIndex_ = viewX_ = 0;
            continue;
        }
        // ...nor after its end.
        if (end == size && right < width - 1) {
            viewIndex_ = size;
            viewX_ = width - 2;
            before = guess(viewX_);
            continue;
        }
        const bool leftCovered = start == 0 || left <= -average;
        const bool rightCovered = end == size || right >= width + average;
        if (leftCovered && rightCovered)
            break;
        if (!leftCovered)
            before *= 2;
        if (!rightCovered)
            after *= 2;
    }
    slice_.valid = true;
    return slice_;
}

void ResultBox::resolveView() const {
    if (!caretMoved_)
        return;
    caretMoved_ = false;
    const int width = lineWidth();
    const int c = cursor_;
    // Far from the view, the caret is out of it whatever the exact shaping: the sum of the
    // characters' advances tells without laying out what lies between.
    const QFontMetricsF metrics(font());
    const qreal slack = 2 * metrics.averageCharWidth() + 8;
    qreal distance = 0;
    if (c >= viewIndex_) {
        const qreal room = width - viewX_ + slack;
        for (int i = viewIndex_; i < c && distance <= room; ++i)
            distance += metrics.horizontalAdvance(text_.at(i));
        if (distance > room) {
            viewIndex_ = c;
            viewX_ = width - 1;
            slice_.valid = false;
            return;
        }
    } else {
        const qreal room = viewX_ + slack;
        for (int i = viewIndex_ - 1; i >= c && distance <= room; --i)
            distance += metrics.horizontalAdvance(text_.at(i));
        if (distance > room) {
            viewIndex_ = c;
            viewX_ = 0;
            slice_.valid = false;
            return;
        }
    }
    const Slice& s = slice();
    int x = 0;
    if (c < s.start) {
        x = -1;
    } else if (c > s.end) {
        x = width;
    } else {
        x = s.originX + qRound(xOf(c));
    }
    if (x >= width) {
        viewIndex_ = c;
        viewX_ = width - 1;
        slice_.valid = false;
    } else if (x < 0) {
        viewIndex_ = c;
        viewX_ = 0;
        slice_.valid = false;
    }
}

std::pair<int, int> ResultBox::visibleRange() const {
    const Slice& s = slice();
    const int width = lineWidth();
    int first = s.end;
    int end = s.start;
    for (int i = s.start; i < s.end; ++i) {
        const qreal left = s.originX + xOf(i);
        const qreal right = s.originX + xOf(i + 1);
        if (right > 0 && left < width) {
            first = std::min(first, i);
            end = i + 1;
        }
    }
    return first < end ? std::pair{first, end} : std::pair{cursor_, cursor_};
}

QString ResultBox::visibleText() const {
    const auto [first, end] = visibleRange();
    return text_.mid(first, end - first);
}

QRect ResultBox::characterRect(int index) const {
    const Slice& s = slice();
    if (index < s.start || index >= s.end)
        return {};
    const QRect line = lineRect(s.textHeight);
    const qreal left = line.x() + s.originX + xOf(index);
    const qreal right = line.x() + s.originX + xOf(index + 1);
    const QRect rect(QPoint(qFloor(left), line.y()), QPoint(qCeil(right) - 1, line.bottom()));
    return rect.intersected(line);
}

int ResultBox::positionAt(QPoint point) const {
    const Slice& s = slice();
    const QRect line = lineRect(s.textHeight);
    const qreal x = point.x() - line.x() - s.originX;
    int position = s.start + s.layout.lineAt(0).xToCursor(x, QTextLine::CursorBetweenCharacters);
    // Beyond an edge, one character more than is in view, so a drag scrolls on.
    const auto [first, end] = visibleRange();
    if (point.x() < line.x() && first > 0)
        position = std::min(position, first - 1);
    if (point.x() > line.right() && end < text_.size())
        position = std::max(position, end + 1);
    return std::clamp(position, 0, static_cast<int>(text_.size()));
}

void ResultBox::scrollToRange(int start, int end) {
    const int size = static_cast<int>(text_.size());
    start = std::clamp(start, 0, size);
    end = std::clamp(end, start, size);
    resolveView();
    const int width = lineWidth();
    // The end first, then the start, so that the start wins when both do not fit.
    viewIndex_ = end;
    viewX_ = width - 1;
    slice_.valid = false;
    const Slice& s = slice();
    if (start < s.start || s.originX + qRound(xOf(start)) < 0) {
        viewIndex_ = start;
        viewX_ = 0;
        slice_.valid = false;
    }
    update();
}

int ResultBox::wordBoundary(int from, bool forward) const {
    const int size = static_cast<int>(text_.size());
    int i = from;
    if (forward) {
        if (i < size) {
            const CharClass kind = ClassOf(text_.at(i));
            while (i < size && kind != CharClass::Space && ClassOf(text_.at(i)) == kind)
                ++i;
        }
        while (i < size && ClassOf(text_.at(i)) == CharClass::Space)
            ++i;
    } else {
        while (i > 0 && ClassOf(text_.at(i - 1)) == CharClass::Space)
            --i;
        if (i > 0) {
            const CharClass kind = ClassOf(text_.at(i - 1));
            while (i > 0 && ClassOf(text_.at(i - 1)) == kind)
                --i;
        }
    }
    return i;
}

QSize ResultBox::sizeHint() const {
    ensurePolished();
    const QFontMetrics metrics = fontMetrics();
    QStyleOptionFrame option;
    initStyleOption(&option);
    const int h = metrics.height() + 2 * 1 + 2 * option.lineWidth;
    const int w = metrics.horizontalAdvance(QLatin1Char('x')) * 17 + 2 * kHorizontalMargin +
                  2 * option.lineWidth;
    return style()->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(w, h), this);
}

QSize ResultBox::minimumSizeHint() const {
    return sizeHint();
}

void ResultBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette pal = palette();
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this);
    painter.setClipRect(contents);
    const Slice& s = slice();
    const QRect line = lineRect(s.textHeight);
    const QPointF topLeft(line.x() + s.originX, line.y() - s.ascentShift);
    painter.setPen(pal.text().color());
    QList<QTextLayout::FormatRange> selections;
    if (hasSelectedText()) {
        const int from = std::max(selectionStart(), s.start);
        const int to = std::min(selectionEnd(), s.end);
        if (from < to) {
            QTextLayout::FormatRange range;
            range.start = from - s.start;
            range.length = to - from;
            range.format.setBackground(pal.brush(QPalette::Highlight));
            range.format.setForeground(pal.brush(QPalette::HighlightedText));
            selections.append(range);
        }
    }
    s.layout.draw(&painter, topLeft, selections, contents);
}

void ResultBox::keyPressEvent(QKeyEvent* event) {
    const int size = static_cast<int>(text_.size());
    const auto matches = [event](QKeySequence::StandardKey key) { return event->matches(key); };
    if (matches(QKeySequence::Copy)) {
        copy();
    } else if (matches(QKeySequence::SelectAll)) {
        selectAll();
    } else if (matches(QKeySequence::MoveToNextChar)) {
        moveCursor(hasSelectedText() ? selectionEnd() : cursor_ + 1, false);
    } else if (matches(QKeySequence::MoveToPreviousChar)) {
        moveCursor(hasSelectedText() ? selectionStart() : cursor_ - 1, false);
    } else if (matches(QKeySequence::SelectNextChar)) {
        moveCursor(cursor_ + 1, true);
    } else if (matches(QKeySequence::SelectPreviousChar)) {
        moveCursor(cursor_ - 1, true);
    } else if (matches(QKeySequence::MoveToNextWord)) {
        moveCursor(wordBoundary(cursor_, true), false);
    } else if (matches(QKeySequence::MoveToPreviousWord)) {
        moveCursor(wordBoundary(cursor_, false), false);
    } else if (matches(QKeySequence::SelectNextWord)) {
        moveCursor(wordBoundary(cursor_, true), true);
    } else if (matches(QKeySequence::SelectPreviousWord)) {
        moveCursor(wordBoundary(cursor_, false), true);
    } else if (matches(QKeySequence::MoveToStartOfLine) ||
               matches(QKeySequence::MoveToStartOfBlock) ||
               matches(QKeySequence::MoveToStartOfDocument)) {
        moveCursor(0, false);
    } else if (matches(QKeySequence::MoveToEndOfLine) || matches(QKeySequence::MoveToEndOfBlock) ||
               matches(QKeySequence::MoveToEndOfDocument)) {
        moveCursor(size, false);
    } else if (matches(QKeySequence::SelectStartOfLine) ||
               matches(QKeySequence::SelectStartOfBlock) ||
               matches(QKeySequence::SelectStartOfDocument)) {
        moveCursor(0, true);
    } else if (matches(QKeySequence::SelectEndOfLine) || matches(QKeySequence::SelectEndOfBlock) ||
               matches(QKeySequence::SelectEndOfDocument)) {
        moveCursor(size, true);
    } else {
        // Enter, Escape, Tab and the rest belong to the dialog.
        event->ignore();
        return;
    }
    event->accept();
}

void ResultBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const QPoint point = event->position().toPoint();
    const bool tripleClick =
        lastDoubleClick_ >= 0 &&
        QDateTime::currentMSecsSinceEpoch() - lastDoubleClick_ <
            QGuiApplication::styleHints()->mouseDoubleClickInterval() &&
        (point - lastDoubleClickPos_).manhattanLength() < QApplication::startDragDistance();
    lastDoubleClick_ = -1;
    if (tripleClick) {
        selectAll();
        return;
    }
    moveCursor(positionAt(point), (event->modifiers() & Qt::ShiftModifier) != 0);
}

void ResultBox::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton)
        moveCursor(positionAt(event->position().toPoint()), true);
}

void ResultBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && hasSelectedText() &&
        QApplication::clipboard()->supportsSelection()) {
        QApplication::clipboard()->setText(selectedText(), QClipboard::Selection);
    }
}

void ResultBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint point = event->position().toPoint();
    const int at = positionAt(point);
    const int start = wordBoundary(wordBoundary(at, true), false);
    int end = wordBoundary(start, true);
    while (end > at && end > start && text_.at(end - 1).isSpace())
        --end;
    setSelection(std::min(start, at), std::max(end, at));
    lastDoubleClick_ = QDateTime::currentMSecsSinceEpoch();
    lastDoubleClickPos_ = point;
}

void ResultBox::contextMenuEvent(QContextMenuEvent* event) {
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("qt_edit_menu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction* copyAction = menu->addAction(WithShortcut(LineEditText("&Copy"), QKeySequence::Copy));
    copyAction->setObjectName(QStringLiteral("edit-copy"));
    copyAction->setEnabled(hasSelectedText());
    connect(copyAction, &QAction::triggered, this, &ResultBox::copy);
    menu->addSeparator();
    QAction* selectAllAction =
        menu->addAction(WithShortcut(LineEditText("Select All"), QKeySequence::SelectAll));
    selectAllAction->setObjectName(QStringLiteral("select-all"));
    selectAllAction->setEnabled(!text_.isEmpty() && selectedText().size() != text_.size());
    connect(selectAllAction, &QAction::triggered, this, &ResultBox::selectAll);
    menu->popup(event->globalPos());
}

void ResultBox::focusInEvent(QFocusEvent* event) {
    const Qt::FocusReason reason = event->reason();
    if ((reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
         reason == Qt::ShortcutFocusReason) &&
        !hasSelectedText())
        selectAll();
    update();
    QWidget::focusInEvent(event);
}

void ResultBox::focusOutEvent(QFocusEvent* event) {
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
        deselect();
    update();
    QWidget::focusOutEvent(event);
}

void ResultBox::changeEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::FontChange:
        case QEvent::StyleChange:
            slice_.valid = false;
            caretMoved_ = true;
            update();
            break;
        case QEvent::ActivationChange:
            if (!palette().isEqual(QPalette::Active, QPalette::Inactive))
                update();
            break;
        default:
            break;
    }
    QWidget::changeEvent(event);
}

void ResultBox::resizeEvent(QResizeEvent* event) {
    viewX_ = std::clamp(viewX_, 0, lineWidth() - 1);
    slice_.valid = false;
    caretMoved_ = true;
    QWidget::resizeEvent(event);
}

}  // namespace zerkan
