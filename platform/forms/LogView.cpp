// The memo's view for lines that do not wrap: drawn from the line store, nothing kept per line.
#include <QClipboard>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <algorithm>

#include "platform/forms/LogView_p.h"

namespace {

constexpr int Margin = 2;  // left of the text, as an edit control leaves

QString ToQ(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

bool Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

// A scroll bar that repaints only when its picture changes, and while a stream moves it, at most a
// few times a second: a log growing by a few lines a frame mostly leaves the handle where it was.
class TvLogView::TScrollBar : public QScrollBar {
public:
    explicit TScrollBar(Qt::Orientation orientation) : QScrollBar(orientation) {}
    void SetQuiet(bool quiet) { quiet_ = quiet; }

protected:
    void sliderChange(SliderChange change) override
    {
        if (change == SliderRangeChange || change == SliderValueChange) {
            QStyleOptionSlider option;
            initStyleOption(&option);
            const QRect handle = style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider,
                                                         this);
            const int ends = (value() == minimum() ? 1 : 0) | (value() == maximum() ? 2 : 0);  // arrows may grey
            if (handle == handle_ && ends == ends_) return;
            handle_ = handle;
            ends_ = ends;
            if (quiet_ && !isSliderDown() && painted_.isValid() && painted_.elapsed() < QuietMs) {
                if (!deferred_) {
                    deferred_ = true;
                    QTimer::singleShot(QuietMs - static_cast<int>(painted_.elapsed()), this, [this] {
                        deferred_ = false;
                        painted_.start();
                        update();
                    });
                }
                return;
            }
            painted_.start();
        }
        QScrollBar::sliderChange(change);
    }
    void resizeEvent(QResizeEvent* event) override
    {
        handle_ = {};
        QScrollBar::resizeEvent(event);
    }

private:
    static constexpr int QuietMs = 250;
    QRect handle_;
    int ends_ = -1;
    bool quiet_ = false;
    bool deferred_ = false;
    QElapsedTimer painted_;
};

TvLogView::TvLogView(QWidget* parent) : QAbstractScrollArea(parent)
{
    vbar_ = new TScrollBar(Qt::Vertical);
    hbar_ = new TScrollBar(Qt::Horizontal);
    setVerticalScrollBar(vbar_);
    setHorizontalScrollBar(hbar_);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setCursor(Qt::IBeamCursor);
    setFocusPolicy(Qt::StrongFocus);
    // The scroll bars are always on or always off: the area's re-layout after each range change
    // (queued, so it costs a second paint pass of the window) has nothing to do.
    QObject::disconnect(verticalScrollBar(), &QScrollBar::rangeChanged, this, nullptr);
    QObject::disconnect(horizontalScrollBar(), &QScrollBar::rangeChanged, this, nullptr);
    dragTimer_.setInterval(50);
    QObject::connect(&dragTimer_, &QTimer::timeout, this, [this] { dragScroll(); });
    Reset();
}

void TvLogView::SetStore(const TLineStore* store)
{
    store_ = store;
    Reset();
}

void TvLogView::SetEditing(std::function<bool()> readOnly, TEdit edit)
{
    readOnly_ = std::move(readOnly);
    edit_ = std::move(edit);
}

// ---- changes of the store ----

void TvLogView::Appended() { scheduleSync(); }

void TvLogView::Inserted(int index)
{
    repaintAll_ = true;
    if (index < measured_) {
        widest_ = std::max(widest_, measure(line(index)));
        ++measured_;
    }
    if (caret_.line >= index) ++caret_.line;
    if (anchor_.line >= index) ++anchor_.line;
    scheduleSync();
}

void TvLogView::Replaced(int index)
{
    repaintAll_ = true;
    if (index < measured_) widest_ = std::max(widest_, measure(line(index)));
    scheduleSync();
}

void TvLogView::Deleted(int index)
{
    repaintAll_ = true;
    if (index < measured_) --measured_;  // the widest stays: a log only grows
    if (caret_.line > index) --caret_.line;
    if (anchor_.line > index) --anchor_.line;
    scheduleSync();
}

void TvLogView::Reset()
{
    QFontMetrics fm(font());
    for (int c = 0; c < 256; ++c) advance_[c] = fm.horizontalAdvance(QChar(c));
    widest_ = 0;
    measured_ = 0;
    repaintAll_ = true;
    scheduleSync();
}

namespace {
const QEvent::Type SyncEvent = static_cast<QEvent::Type>(QEvent::registerEventType());
}

void TvLogView::scheduleSync()
{
    if (syncQueued_) return;
    syncQueued_ = true;
    // After whatever else this pass of the message loop adds, and ahead of the window's paint
    // request, which is posted at a lower priority: the paint then finds the view up to date.
    QCoreApplication::postEvent(this, new QEvent(SyncEvent));
}

bool TvLogView::event(QEvent* event)
{
    if (event->type() != SyncEvent) return QAbstractScrollArea::event(event);
    if (syncQueued_) sync();
    return true;
}

void TvLogView::sync()
{
    syncQueued_ = false;
    QScrollBar* v = verticalScrollBar();
    const bool atEnd = v->value() >= v->maximum();  // a view at the end follows what comes
    const int n = count();
    for (; measured_ < n; ++measured_) widest_ = std::max(widest_, measure(line(measured_)));
    measured_ = n;
    caret_ = clamp(caret_);
    anchor_ = clamp(anchor_);
    // Lines that only came at the end move the bars quietly and scroll what is drawn; then just
    // their rows are painted.
    const bool appendedOnly = !repaintAll_;
    vbar_->SetQuiet(appendedOnly);
    hbar_->SetQuiet(appendedOnly);
    updateRanges();
    if (atEnd) v->setValue(v->maximum());
    vbar_->SetQuiet(false);
    hbar_->SetQuiet(false);
    if (appendedOnly) {
        const int lh = lineHeight();
        const QRect rows(0, (shown_ - TopLine()) * lh, viewport()->width(), (n - shown_) * lh);
        if (n > shown_) viewport()->update(rows.intersected(viewport()->rect()));
    } else {
        viewport()->update();
    }
    repaintAll_ = false;
    shown_ = n;
}

void TvLogView::updateRanges()
{
    const int visible = VisibleLines();
    QScrollBar* v = verticalScrollBar();
    v->setRange(0, std::max(0, count() - visible));
    v->setPageStep(visible);
    v->setSingleStep(1);
    QScrollBar* h = horizontalScrollBar();
    const int width = viewport()->width();
    h->setRange(0, std::max(0, widest_ + 2 * Margin + 1 - width));
    h->setPageStep(std::max(1, width));
    h->setSingleStep(std::max(1, advance_['x']));
}

// ---- geometry ----

int TvLogView::lineHeight() const { return std::max(1, QFontMetrics(font()).lineSpacing()); }

int TvLogView::TopLine() const { return std::clamp(verticalScrollBar()->value(), 0, std::max(0, count() - 1)); }

int TvLogView::VisibleLines() const { return std::max(1, viewport()->height() / lineHeight()); }

int TvLogView::measure(std::string_view text) const
{
    int width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            width += advance_[c];
        } else if ((c & 0xE0) == 0xC0 && c < 0xC4 && i + 1 < text.size()) {
            width += advance_[((c & 0x1F) << 6) | (static_cast<unsigned char>(text[++i]) & 0x3F)];
        } else {
            return QFontMetrics(font()).horizontalAdvance(ToQ(text));  // beyond Latin-1: shape it
        }
    }
    return width;
}

int TvLogView::xOf(TPos pos) const
{
    if (pos.line >= count()) return Margin - horizontalScrollBar()->value();
    const int prefix = QFontMetrics(font()).horizontalAdvance(
        ToQ(line(pos.line).substr(0, static_cast<std::size_t>(pos.col))));
    return Margin + prefix - horizontalScrollBar()->value();
}

QPoint TvLogView::PointOf(TPos pos) const { return {xOf(pos), (pos.line - TopLine()) * lineHeight()}; }

TvLogView::TPos TvLogView::posAt(QPoint point) const
{
    const int n = count();
    if (n == 0) return {};
    const int row = point.y() < 0 ? -1 - (-point.y() - 1) / lineHeight() : point.y() / lineHeight();
    const int index = std::clamp(TopLine() + row, 0, n - 1);
    const std::string_view bytes = line(index);
    const QString text = ToQ(bytes);
    const int x = point.x() - Margin + horizontalScrollBar()->value();
    // The character boundary nearest to x, found by halving over the prefix widths.
    std::vector<qsizetype> bounds;
    for (qsizetype i = 0; i <= text.size(); ++i)
        if (i == text.size() || !text[i].isLowSurrogate()) bounds.push_back(i);
    QFontMetrics fm(font());
    auto width = [&](std::size_t b) { return fm.horizontalAdvance(text.left(bounds[b])); };
    std::size_t lo = 0, hi = bounds.size() - 1;
    while (lo < hi) {
        const std::size_t mid = (lo + hi + 1) / 2;
        if (width(mid) <= x)
            lo = mid;
        else
            hi = mid - 1;
    }
    if (lo + 1 < bounds.size() && x - width(lo) > width(lo + 1) - x) ++lo;
    return {index, static_cast<int>(text.left(bounds[lo]).toUtf8().size())};
}

TvLogView::TPos TvLogView::clamp(TPos pos) const
{
    const int n = count();
    if (n == 0) return {};
    pos.line = std::clamp(pos.line, 0, n - 1);
    const std::string_view bytes = line(pos.line);
    pos.col = std::clamp(pos.col, 0, static_cast<int>(bytes.size()));
    while (pos.col > 0 && pos.col < static_cast<int>(bytes.size()) &&
           Continuation(bytes[static_cast<std::size_t>(pos.col)]))
        --pos.col;
    return pos;
}

TvLogView::TPos TvLogView::step(TPos pos, int direction) const
{
    if (count() == 0) return {};
    const std::string_view bytes = line(pos.line);
    const int length = static_cast<int>(bytes.size());
    if (direction < 0) {
        if (pos.col == 0) return pos.line > 0 ? TPos{pos.line - 1, static_cast<int>(line(pos.line - 1).size())} : pos;
        do --pos.col;
        while (pos.col > 0 && Continuation(bytes[static_cast<std::size_t>(pos.col)]));
        return pos;
    }
    if (pos.col >= length) return pos.line + 1 < count() ? TPos{pos.line + 1, 0} : pos;
    do ++pos.col;
    while (pos.col < length && Continuation(bytes[static_cast<std::size_t>(pos.col)]));
    return pos;
}

void TvLogView::ensureLineVisible(int index)
{
    QScrollBar* v = verticalScrollBar();
    const int top = v->value();
    const int visible = VisibleLines();
    if (index < top)
        v->setValue(index);
    else if (index >= top + visible)
        v->setValue(index - visible + 1);
}

void TvLogView::ensureVisible(TPos pos)
{
    ensureLineVisible(pos.line);
    QScrollBar* h = horizontalScrollBar();
    const int x = xOf(pos) + h->value();  // in the text
    const int width = viewport()->width();
    if (x < h->value() + Margin)
        h->setValue(x - Margin);
    else if (x > h->value() + width - Margin - 1)
        h->setValue(x - width + Margin + 1);
}

// ---- selection ----

void TvLogView::Select(TPos anchor, TPos caret)
{
    if (syncQueued_) sync();
    anchor_ = clamp(anchor);
    caret_ = clamp(caret);
    preferredX_ = -1;
    ensureVisible(caret_);
    viewport()->update();
}

void TvLogView::moveCaret(TPos to, bool extend)
{
    caret_ = clamp(to);
    if (!extend) anchor_ = caret_;
    ensureVisible(caret_);
    viewport()->update();
}

String TvLogView::SelectedText() const
{
    const TPos a = std::min(anchor_, caret_);
    const TPos b = std::max(anchor_, caret_);
    if (a == b || count() == 0) return {};
    String out;
    for (int i = a.line; i <= b.line; ++i) {
        const std::string_view bytes = line(i);
        const std::size_t from = i == a.line ? static_cast<std::size_t>(a.col) : 0;
        const std::size_t to = i == b.line ? static_cast<std::size_t>(b.col) : bytes.size();
        out.append(bytes.substr(from, to - from));
        if (i < b.line) out += '\n';
    }
    return out;
}

void TvLogView::copy() const
{
    const String text = SelectedText();
    if (!text.empty()) QGuiApplication::clipboard()->setText(ToQ(text));
}

void TvLogView::replaceSelection(const String& text)
{
    if (!edit_ || (readOnly_ && readOnly_())) return;
    if (syncQueued_) sync();
    const TPos a = std::min(anchor_, caret_);
    const TPos b = std::max(anchor_, caret_);
    QPointer<TvLogView> self(this);
    const TPos end = edit_(a, b, text);  // the memo's change handlers run here
    if (!self) return;
    sync();
    caret_ = anchor_ = clamp(end);
    preferredX_ = -1;
    ensureVisible(caret_);
    viewport()->update();
}

// ---- events ----

void TvLogView::paintEvent(QPaintEvent* event)
{
    QPainter p(viewport());
    const QRect area = event->rect();
    const QPalette& pal = palette();
    p.fillRect(area, pal.base());
    const int n = count();
    const int lh = lineHeight();
    const int top = TopLine();
    const int ascent = QFontMetrics(font()).ascent();
    const int x0 = Margin - horizontalScrollBar()->value();
    const TPos a = std::min(anchor_, caret_);
    const TPos b = std::max(anchor_, caret_);
    const QFontMetrics fm(font());
    p.setFont(font());
    const int last = std::min(n - 1, top + area.bottom() / lh);
    for (int i = top + std::max(0, area.top() / lh); i <= last; ++i) {
        const int y = (i - top) * lh;
        const std::string_view bytes = line(i);
        const QString text = ToQ(bytes);
        p.setPen(pal.text().color());
        p.drawText(x0, y + ascent, text);
        if (a == b || i < a.line || i > b.line) continue;
        const int from = i == a.line ? x0 + fm.horizontalAdvance(ToQ(bytes.substr(0, static_cast<std::size_t>(a.col))))
                                     : x0;
        int to = i == b.line ? x0 + fm.horizontalAdvance(ToQ(bytes.substr(0, static_cast<std::size_t>(b.col))))
                             : x0 + fm.horizontalAdvance(text) + advance_[' '];  // the line break shows as a blank
        const QRect selection(from, y, std::max(0, to - from), lh);
        p.fillRect(selection, pal.highlight());
        p.save();
        p.setClipRect(selection);
        p.setPen(pal.highlightedText().color());
        p.drawText(x0, y + ascent, text);
        p.restore();
    }
    if (hasFocus()) p.fillRect(QRect(PointOf(caret_), QSize(1, lh)), pal.text());
}

void TvLogView::resizeEvent(QResizeEvent* event)
{
    QScrollBar* v = verticalScrollBar();
    const bool atEnd = v->value() >= v->maximum();
    QAbstractScrollArea::resizeEvent(event);
    updateRanges();
    if (atEnd) v->setValue(v->maximum());  // a view at the end stays there
}

void TvLogView::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) Reset();
}

// What is drawn moves with the bars; only the rows or columns it uncovers are painted.
void TvLogView::scrollContentsBy(int dx, int dy) { viewport()->scroll(dx, dy * lineHeight()); }

void TvLogView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    setFocus(Qt::MouseFocusReason);
    if (syncQueued_) sync();
    preferredX_ = -1;
    moveCaret(posAt(event->position().toPoint()), event->modifiers() & Qt::ShiftModifier);
    dragging_ = true;
    dragPoint_ = event->position().toPoint();
}

void TvLogView::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging_ || !(event->buttons() & Qt::LeftButton)) return;
    dragPoint_ = event->position().toPoint();
    moveCaret(posAt(dragPoint_), true);
    // Beyond the top or bottom edge the view keeps scrolling while the button is held.
    const bool outside = dragPoint_.y() < 0 || dragPoint_.y() >= viewport()->height();
    if (outside && !dragTimer_.isActive()) dragTimer_.start();
    if (!outside) dragTimer_.stop();
}

void TvLogView::mouseReleaseEvent(QMouseEvent*)
{
    dragging_ = false;
    dragTimer_.stop();
}

void TvLogView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || count() == 0) return;
    // The word under the pointer: the run of bytes between blanks.
    const TPos at = posAt(event->position().toPoint());
    const std::string_view bytes = line(at.line);
    auto blank = [&](int i) {
        return bytes[static_cast<std::size_t>(i)] == ' ' || bytes[static_cast<std::size_t>(i)] == '\t';
    };
    int from = at.col, to = at.col;
    while (from > 0 && !blank(from - 1)) --from;
    while (to < static_cast<int>(bytes.size()) && !blank(to)) ++to;
    Select({at.line, from}, {at.line, to});
}

void TvLogView::dragScroll()
{
    QScrollBar* v = verticalScrollBar();
    if (dragPoint_.y() < 0)
        v->setValue(v->value() - 1);
    else if (dragPoint_.y() >= viewport()->height())
        v->setValue(v->value() + 1);
    moveCaret(posAt(dragPoint_), true);
}

void TvLogView::keyPressEvent(QKeyEvent* event)
{
    if (syncQueued_) sync();
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const int n = count();
    const TPos end = n == 0 ? TPos{} : TPos{n - 1, static_cast<int>(line(n - 1).size())};
    if (event->matches(QKeySequence::SelectAll)) return Select({}, end);
    if (event->matches(QKeySequence::Copy)) return copy();
    if (event->matches(QKeySequence::Cut)) {
        copy();
        return replaceSelection({});
    }
    if (event->matches(QKeySequence::Paste)) {
        const QString text = QGuiApplication::clipboard()->text();
        if (!text.isEmpty()) replaceSelection(text.toStdString());
        return;
    }
    auto vertical = [&](int lines) {
        QScrollBar* h = horizontalScrollBar();
        if (preferredX_ < 0) preferredX_ = xOf(caret_) + h->value();  // in the text, not the view
        const int target = std::clamp(caret_.line + lines, 0, std::max(0, n - 1));
        ensureLineVisible(target);
        const TPos to = posAt({preferredX_ - h->value(), (target - TopLine()) * lineHeight()});
        caret_ = clamp(to);
        if (!shift) anchor_ = caret_;
        ensureVisible(caret_);
        viewport()->update();
    };
    switch (event->key()) {
    case Qt::Key_Left: preferredX_ = -1; return moveCaret(step(caret_, -1), shift);
    case Qt::Key_Right: preferredX_ = -1; return moveCaret(step(caret_, 1), shift);
    case Qt::Key_Up: return vertical(-1);
    case Qt::Key_Down: return vertical(1);
    case Qt::Key_PageUp: return vertical(-VisibleLines());
    case Qt::Key_PageDown: return vertical(VisibleLines());
    case Qt::Key_Home: preferredX_ = -1; return moveCaret(ctrl ? TPos{} : TPos{caret_.line, 0}, shift);
    case Qt::Key_End:
        preferredX_ = -1;
        return moveCaret(ctrl || n == 0 ? end : TPos{caret_.line, static_cast<int>(line(caret_.line).size())}, shift);
    case Qt::Key_Return:
    case Qt::Key_Enter: return replaceSelection("\n");
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        if (readOnly_ && readOnly_()) return;
        if (anchor_ == caret_) anchor_ = step(caret_, event->key() == Qt::Key_Backspace ? -1 : 1);
        return replaceSelection({});
    default: break;
    }
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).isPrint() && !ctrl && !(event->modifiers() & Qt::AltModifier))
        return replaceSelection(text.toStdString());
    event->ignore();
}

void TvLogView::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void TvLogView::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}
