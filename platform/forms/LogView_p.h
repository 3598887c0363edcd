#pragma once
// Layer-private: the view of a memo whose lines do not wrap, such as a log. It draws the lines in
// sight straight from the memo's line store and keeps nothing per line, so a million held lines
// cost their bytes, and a batch of appended lines costs one scroll-range update and one paint of
// what is visible. Scrolling, selection with mouse and keys, copying, and plain editing (typing,
// Return, Backspace, Delete, cut and paste) as in a single-font edit control.
#include <QAbstractScrollArea>
#include <QString>
#include <QTimer>
#include <functional>

#include "platform/forms/LineStore.h"

class TvLogView : public QAbstractScrollArea {
public:
    // A place in the text: line, and byte offset within the line's UTF-8 text.
    struct TPos {
        int line = 0;
        int col = 0;
        friend bool operator==(const TPos&, const TPos&) = default;
        friend auto operator<=>(const TPos&, const TPos&) = default;
    };
    // A user edit: replace the text from..to with text ('\n' breaks lines); answers where the
    // inserted text ends.
    using TEdit = std::function<TPos(TPos from, TPos to, const String& text)>;

    explicit TvLogView(QWidget* parent = nullptr);

    void SetStore(const TLineStore* store);
    void SetEditing(std::function<bool()> readOnly, TEdit edit);

    // The store changed: lines were appended at its end; a line was inserted, replaced or
    // deleted; anything (everything is measured again).
    void Appended();
    void Inserted(int index);
    void Replaced(int index);
    void Deleted(int index);
    void Reset();

    // State, for the memo and for tests.
    int TopLine() const;
    int VisibleLines() const;
    TPos Caret() const { return caret_; }
    TPos Anchor() const { return anchor_; }
    void Select(TPos anchor, TPos caret);
    String SelectedText() const;
    // The point of the viewport where a place is drawn (its top left).
    QPoint PointOf(TPos pos) const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    class TScrollBar;

    std::string_view line(int index) const { return store_->Line(index); }
    int count() const { return store_ ? store_->Count() : 0; }
    int lineHeight() const;
    // Width of a line in pixels from per-character advances (the scroll range needs no more).
    int measure(std::string_view text) const;
    int xOf(TPos pos) const;
    TPos posAt(QPoint point) const;
    TPos clamp(TPos pos) const;
    TPos step(TPos pos, int direction) const;  // one character left (-1) or right (1)
    void scheduleSync();
    void sync();
    void updateRanges();
    void moveCaret(TPos to, bool extend);
    void ensureLineVisible(int index);
    void ensureVisible(TPos pos);
    void replaceSelection(const String& text);
    void copy() const;
    void dragScroll();

    const TLineStore* store_ = nullptr;
    TScrollBar* vbar_ = nullptr;
    TScrollBar* hbar_ = nullptr;
    std::function<bool()> readOnly_;
    TEdit edit_;
    TPos caret_, anchor_;
    int preferredX_ = -1;  // of the caret when moving up and down
    int measured_ = 0;     // lines measured for the widest
    int widest_ = 0;
    int shown_ = 0;           // lines when last brought up to date
    bool repaintAll_ = true;  // a change other than lines appended at the end
    bool syncQueued_ = false;
    bool dragging_ = false;
    QPoint dragPoint_;
    QTimer dragTimer_;
    int advance_[256] = {};  // per Latin-1 character, for measure
};
