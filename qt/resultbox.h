#pragma once

// A read-only one-line box for texts that grow without bound (the contents list and the
// formula). It looks and behaves like a read-only QLineEdit, but it keeps the whole text and
// lays out only the part of it that is in view: setting a text, moving the caret and painting
// cost what the box shows, not what it holds.
//
// The view is pinned to one character boundary at one pixel column of the text area; as in a
// line edit it moves only when the caret leaves the area (the caret then sits at the edge it
// left by), or when the text ends short of the right edge.

#include <QString>
#include <QTextLayout>
#include <QWidget>

class QStyleOptionFrame;

namespace zerkan {

class ResultBox final : public QWidget {
    Q_OBJECT

  public:
    explicit ResultBox(QWidget* parent = nullptr);
    ~ResultBox() override;

    // The caret goes to the start, with nothing selected, and the beginning is in view.
    void setText(const QString& text);
    const QString& text() const { return text_; }

    int cursorPosition() const { return cursor_; }
    // The caret at `position` (clamped to the text), nothing selected, scrolled into view.
    void setCursorPosition(int position);

    bool hasSelectedText() const { return anchor_ != cursor_; }
    int selectionStart() const { return hasSelectedText() ? std::min(anchor_, cursor_) : -1; }
    int selectionEnd() const { return hasSelectedText() ? std::max(anchor_, cursor_) : -1; }
    QString selectedText() const;
    // Selects from `start` to `end` with the caret at `end` (either order).
    void setSelection(int start, int end);
    void selectAll();
    void deselect();
    void copy() const;

    // The characters at least partly inside the text area now, as [first, end).
    std::pair<int, int> visibleRange() const;
    QString visibleText() const;
    // The pixel rectangle of character `index` in widget coordinates; empty when out of view.
    QRect characterRect(int index) const;
    // The character boundary nearest to `point` among those in view.
    int positionAt(QPoint point) const;
    // Brings [start, end) into view as far as it fits, caret and selection unchanged.
    void scrollToRange(int start, int end);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    // The laid-out part of the text: characters [start, end) drawn with the boundary before
    // `start` at pixel column `originX` of the text area.
    struct Slice {
        bool valid = false;
        int start = 0;
        int end = 0;
        qreal originX = 0;
        int textHeight = 0;  // at least the font's height
        int ascentShift = 0;
        QTextLayout layout;
    };

    void initStyleOption(QStyleOptionFrame* option) const;
    QRect lineRect(int textHeight) const;
    int lineWidth() const;
    // Moves the caret (extending the selection when `keepAnchor`) and schedules the scroll
    // that keeps it in view.
    void moveCursor(int position, bool keepAnchor);
    // The view that shows the caret, decided as late as possible: right before painting or
    // answering where something is.
    void resolveView() const;
    const Slice& slice() const;
    void layOut(int start, int end) const;
    qreal xOf(int index) const;  // in the slice; index within [slice.start, slice.end]
    int wordBoundary(int from, bool forward) const;
    void selectionChanged(int oldStart, int oldEnd);
    void notifyCaret();

    QString text_;
    int cursor_ = 0;
    int anchor_ = 0;
    // The view: boundary `viewIndex_` sits at pixel column `viewX_` of the text area.
    mutable int viewIndex_ = 0;
    mutable int viewX_ = 0;
    mutable bool caretMoved_ = false;
    mutable Slice slice_;
    qint64 lastDoubleClick_ = -1;
    QPoint lastDoubleClickPos_;
};

}  // namespace zerkan
