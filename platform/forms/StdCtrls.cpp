// TMemo on the native plain-text edit; the standard controls' other classes have a file each.
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTimer>
#include <memory>

#include "platform/classes/Published.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Forms_p.h"
#include "platform/forms/LogView_p.h"
#include "platform/forms/StdCtrls.h"
#include "platform/forms/StdCtrls_p.h"

using tvforms::Q;
using tvforms::S;
using tvforms::Wire;

// ---- TMemo -------------------------------------------------------------------------------------

namespace {
// The view of a memo shown as a log; nullptr while it has none or the platform's text edit.
TvLogView* LogViewOf(const TMemo* memo)
{
    THostWindow* host = memo->Host();
    return host ? dynamic_cast<TvLogView*>(host->widget.data()) : nullptr;
}

// Lines of text ('\r\n', '\r' and '\n' all break), the last one kept even when empty.
std::vector<String> SplitKeepingLast(const String& text)
{
    std::vector<String> out(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out.emplace_back();
        } else {
            out.back() += c;
        }
    }
    return out;
}
}  // namespace

// The memo's lines, kept in a compact store. A memo whose lines do not wrap shows them through the
// log view, which draws straight from the store. A wrapping memo mirrors them into the platform's
// text edit: appending adds one block to the widget's document, and a user edit marks the store
// stale, to be read back on the next access.
class TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TMemo* memo) : memo_(memo) {}

    int Count() const override
    {
        sync();
        return store_.Count();
    }
    String Get(int index) const override
    {
        sync();
        check(index, false);
        return String(store_.Line(index));
    }
    void Put(int index, const String& s) override
    {
        sync();
        check(index, false);
        store_.Put(index, s);
        if (auto* v = view()) v->Replaced(index);
        changed();
    }
    void Insert(int index, const String& s) override
    {
        sync();
        check(index, true);
        if (index == store_.Count()) {
            Add(s);
            return;
        }
        store_.Insert(index, s);
        if (auto* v = view()) v->Inserted(index);
        changed();
    }
    int Add(const String& s) override
    {
        sync();
        // Text with line breaks becomes several lines, as in the platform's edit.
        if (s.find_first_of("\r\n") != String::npos) {
            std::vector<String> parts = split(s);
            if (parts.empty()) parts.push_back(String());
            for (const auto& p : parts) store_.Add(p);
            if (auto* v = view()) v->Appended();
            changed();
            return store_.Count() - 1;
        }
        store_.Add(s);
        if (auto* v = view()) {
            v->Appended();
        } else if (auto* w = HostWidgetAs<QPlainTextEdit>(memo_)) {
            // Lines added in one burst reach the widget in one append from the message loop:
            // appending one at a time costs a layout each.
            pending_ << Q(s);
            if (!flushQueued_) {
                flushQueued_ = true;
                QTimer::singleShot(0, w, [this, alive = std::weak_ptr<int>(alive_)] {
                    if (!alive.expired()) flush();
                });
            }
        }
        notify();
        return store_.Count() - 1;
    }
    void Delete(int index) override
    {
        sync();
        check(index, false);
        store_.Delete(index);
        if (auto* v = view()) v->Deleted(index);
        changed();
    }
    void Clear() override
    {
        stale_ = false;
        if (store_.Count() == 0) return;
        store_.Clear();
        if (auto* v = view()) v->Reset();
        changed();
    }

    void SetAll(const String& text)
    {
        stale_ = false;
        store_.Clear();
        for (const auto& line : split(text)) store_.Add(line);
        if (auto* v = view()) v->Reset();
        changed();
    }
    String Joined() const
    {
        sync();
        String r;
        r.reserve(store_.TextSize() + 2 * static_cast<std::size_t>(store_.Count()));
        for (int i = 0; i < store_.Count(); ++i) {
            if (i) r += "\r\n";
            r += store_.Line(i);
        }
        return r;
    }
    // Puts every line into a wrapping memo's widget.
    void PushAll()
    {
        pending_.clear();
        if (auto* w = HostWidgetAs<QPlainTextEdit>(memo_)) {
            QSignalBlocker block(w);
            QStringList list;
            list.reserve(store_.Count());
            for (int i = 0; i < store_.Count(); ++i) {
                const std::string_view line = store_.Line(i);
                list << QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
            }
            w->setPlainText(list.join(QLatin1Char('\n')));
        }
    }
    void MarkStale() { stale_ = true; }
    void FlushPending() const { flush(); }
    // Brings the store up to date with a wrapping memo's widget, before the widget goes.
    void ReadBack() const { sync(); }
    const TLineStore& Store() const { return store_; }

    // The user replaced the text from..to of the log view with text: the store takes the change
    // and the view is told; answers where the new text ends. Change events are the caller's.
    TvLogView::TPos UserReplace(TvLogView::TPos from, TvLogView::TPos to, const String& text)
    {
        auto part = [&](TvLogView::TPos p, bool head) {
            if (store_.Count() == 0) return String();
            const std::string_view line = store_.Line(p.line);
            const auto at = static_cast<std::size_t>(p.col);
            return String(head ? line.substr(0, at) : line.substr(at));
        };
        const String tail = part(to, false);
        const std::vector<String> pieces = SplitKeepingLast(part(from, true) + text + tail);
        TvLogView* v = view();
        if (store_.Count() == 0) {
            for (const auto& p : pieces) store_.Add(p);
            if (v) v->Appended();
        } else {
            for (int i = to.line; i > from.line; --i) {
                store_.Delete(i);
                if (v) v->Deleted(i);
            }
            store_.Put(from.line, pieces[0]);
            if (v) v->Replaced(from.line);
            for (std::size_t k = 1; k < pieces.size(); ++k) {
                const int index = from.line + static_cast<int>(k);
                store_.Insert(index, pieces[k]);
                if (v) v->Inserted(index);
            }
        }
        return {from.line + static_cast<int>(pieces.size()) - 1, static_cast<int>(pieces.back().size() - tail.size())};
    }

protected:
    void SetUpdateState(bool updating) override
    {
        if (!updating && pendingChange_) {
            pendingChange_ = false;
            if (!memo_->IsLoading()) memo_->Change();
        }
    }

private:
    TvLogView* view() const { return LogViewOf(memo_); }
    static std::vector<String> split(const String& text)
    {
        std::vector<String> out;
        String cur;
        for (size_t i = 0; i < text.size(); ++i) {
            char ch = text[i];
            if (ch == '\r' || ch == '\n') {
                out.push_back(cur);
                cur.clear();
                if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            } else {
                cur += ch;
            }
        }
        if (!cur.empty()) out.push_back(cur);
        return out;
    }
    void check(int index, bool allowEnd) const
    {
        int n = store_.Count();
        if (index < 0 || index > n || (!allowEnd && index == n))
            throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
    }
    // Hands the lines added since the last flush to a wrapping memo's widget.
    void flush() const
    {
        flushQueued_ = false;
        if (pending_.isEmpty()) return;
        if (auto* w = HostWidgetAs<QPlainTextEdit>(memo_)) {
            QSignalBlocker block(w);
            const QString text = pending_.join(QLatin1Char('\n'));
            if (w->document()->isEmpty() && store_.Count() == pending_.size())
                w->setPlainText(text);
            else
                w->appendPlainText(text);
        }
        pending_.clear();
    }
    // Reads a wrapping memo's lines back from its widget after the user edited them.
    void sync() const
    {
        if (!stale_) return;
        flush();
        stale_ = false;
        store_.Clear();
        if (auto* w = HostWidgetAs<QPlainTextEdit>(memo_)) {
            const QTextDocument* doc = w->document();
            if (doc->isEmpty()) return;
            for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) store_.Add(S(b.text()));
            // A trailing empty line is the end of the last line's break.
            if (store_.Count() > 0 && store_.Line(store_.Count() - 1).empty()) store_.Delete(store_.Count() - 1);
        }
    }
    void changed()
    {
        PushAll();
        notify();
    }
    void notify()
    {
        if (UpdateCount() > 0) {
            pendingChange_ = true;
            return;
        }
        if (!memo_->IsLoading()) memo_->Change();
    }

    TMemo* memo_;
    mutable TLineStore store_;
    mutable QStringList pending_;
    mutable bool flushQueued_ = false;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
    mutable bool stale_ = false;
    bool pendingChange_ = false;
};

TV_PUBLISHED(TMemo)
{
    Prop("Lines", &TMemo::Lines, &TMemo::SetLines);
    PropEnum("ScrollBars", &TMemo::ScrollBars, &TMemo::SetScrollBars, ssNone, TScrollStyleNames);
    Prop("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap, true);
    Prop("WantReturns", &TMemo::WantReturns, &TMemo::SetWantReturns, true);
    Prop("WantTabs", &TMemo::WantTabs, &TMemo::SetWantTabs, false);
    PropEnum("Alignment", &TMemo::Alignment, &TMemo::SetAlignment, taLeftJustify, TAlignmentNames);
}

TMemo::TMemo(TComponent* owner) : TCustomEdit(owner), lines_(std::make_unique<TMemoStrings>(this))
{
    SetBounds(Left(), Top(), 185, 89);
}

TMemo::~TMemo() { forgetView(); }

void TMemo::BeforeDestruction()
{
    // Before the host goes: the view may outlive the memo by a moment (deleted later when an event
    // of it runs) and must not read the lines meanwhile.
    forgetView();
    TCustomEdit::BeforeDestruction();
}

void TMemo::forgetView()
{
    if (auto* v = LogViewOf(this)) {
        v->SetStore(nullptr);
        v->SetEditing({}, {});
    }
}

TStrings* TMemo::Lines() const { return lines_.get(); }

void TMemo::SetLines(TStrings* value)
{
    if (value) lines_->SetAll(value->Text());
}

namespace {
// Hands a memo's batched lines to its widget before the user acts on the widget.
class MemoInputFilter : public QObject {
public:
    MemoInputFilter(QObject* parent, std::function<void()> flush) : QObject(parent), flush_(std::move(flush)) {}
    bool eventFilter(QObject*, QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::KeyPress:
        case QEvent::InputMethod:
        case QEvent::FocusIn:
        case QEvent::MouseButtonPress: flush_(); break;
        default: break;
        }
        return false;
    }

private:
    std::function<void()> flush_;
};
}  // namespace

bool TMemo::wraps() const { return wordWrap_ && scrollBars_ != ssHorizontal && scrollBars_ != ssBoth; }

std::unique_ptr<THostWindow> TMemo::CreateHostWindow()
{
    if (!wraps()) return MakeHost<TvLogView>(this, true);
    return MakeHost<QPlainTextEdit>(this, true);
}

void TMemo::HostCreated()
{
    if (auto* v = LogViewOf(this)) {
        v->SetStore(&lines_->Store());
        v->SetEditing([this] { return ReadOnly(); },
                      [this](TvLogView::TPos from, TvLogView::TPos to, const String& text) {
                          TvLogView::TPos end = from;
                          tvforms::DispatchScope scope(tvforms::dispatchDepth);
                          tvforms::Guard(this, [&] {
                              end = lines_->UserReplace(from, to, text);
                              SetModified(true);
                              Change();
                          });
                          return end;
                      });
        v->setFocusPolicy(Qt::StrongFocus);
        SetScrollBars(scrollBars_);
        return;
    }
    auto* w = HostWidgetAs<QPlainTextEdit>(this);
    if (!w) return;
    w->setReadOnly(ReadOnly());
    w->setFocusPolicy(Qt::StrongFocus);
    SetScrollBars(scrollBars_);
    SetWordWrap(wordWrap_);
    lines_->PushAll();
    auto* filter = new MemoInputFilter(w, [this] { lines_->FlushPending(); });
    w->installEventFilter(filter);
    w->viewport()->installEventFilter(filter);
    Wire(this, w, &QPlainTextEdit::textChanged, [this] {
        lines_->MarkStale();
        SetModified(true);
        Change();
    });
}

String TMemo::GetText() const { return lines_->Joined(); }

void TMemo::SetTextValue(const String& value) { lines_->SetAll(value); }

// Wrapping or not picks the widget: a memo that changes between the two gets a new one.
void TMemo::hostKindChanged()
{
    if (!HandleAllocated() || (LogViewOf(this) != nullptr) == !wraps()) return;
    lines_->ReadBack();
    TControlAccess::DetachHost(this);
    HandleNeeded();
}

void TMemo::SetScrollBars(TScrollStyle value)
{
    scrollBars_ = value;
    hostKindChanged();
    bool h = value == ssHorizontal || value == ssBoth;
    bool v = value == ssVertical || value == ssBoth;
    if (auto* view = HostWidgetAs<QAbstractScrollArea>(this)) {
        view->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        view->setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    }
}

void TMemo::SetWordWrap(bool value)
{
    wordWrap_ = value;
    hostKindChanged();
    if (auto* w = HostWidgetAs<QPlainTextEdit>(this)) w->setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

// ---- TMemo selection ---------------------------------------------------------------------------

std::pair<int, int> TMemo::selection() const
{
    if (TvLogView* v = LogViewOf(this)) {
        const TLineStore& store = lines_->Store();
        auto offset = [&](TvLogView::TPos p) {
            int result = 0;
            for (int i = 0; i < p.line && i < store.Count(); ++i) result += static_cast<int>(store.Line(i).size()) + 2;
            return result + p.col;
        };
        const int a = offset(v->Anchor()), c = offset(v->Caret());
        return {std::min(a, c), std::max(a, c)};
    }
    if (auto* w = HostWidgetAs<QPlainTextEdit>(this)) {
        const QTextCursor cursor = w->textCursor();
        auto offset = [&](int position) { return position + w->document()->findBlock(position).blockNumber(); };
        return {offset(cursor.selectionStart()), offset(cursor.selectionEnd())};
    }
    return {0, 0};
}

void TMemo::select(int from, int to)
{
    if (TvLogView* v = LogViewOf(this)) {
        const TLineStore& store = lines_->Store();
        auto place = [&](int offset) {
            TvLogView::TPos p;
            while (p.line < store.Count() - 1 && offset > static_cast<int>(store.Line(p.line).size()) + 1) {
                offset -= static_cast<int>(store.Line(p.line).size()) + 2;
                ++p.line;
            }
            p.col = std::max(0, offset);
            return p;
        };
        v->Select(place(from), place(to));
        return;
    }
    if (auto* w = HostWidgetAs<QPlainTextEdit>(this)) {
        lines_->FlushPending();
        auto position = [&](int offset) {
            int pos = 0;
            for (QTextBlock b = w->document()->begin(); b.isValid(); b = b.next()) {
                const int length = static_cast<int>(b.length()) - 1;  // without the separator
                if (offset <= length || !b.next().isValid()) return pos + std::min(offset, length);
                offset -= length + 2;
                pos += length + 1;
            }
            return pos;
        };
        QTextCursor cursor = w->textCursor();
        cursor.setPosition(position(from));
        cursor.setPosition(position(to), QTextCursor::KeepAnchor);
        w->setTextCursor(cursor);
    }
}

int TMemo::SelStart() const { return selection().first; }

void TMemo::SetSelStart(int value) { select(value, value); }

int TMemo::SelLength() const
{
    auto [from, to] = selection();
    return to - from;
}

void TMemo::SetSelLength(int value)
{
    const int from = selection().first;
    select(from, from + std::max(0, value));
}

String TMemo::SelText() const
{
    auto [from, to] = selection();
    const String text = Text();
    if (from >= static_cast<int>(text.size())) return {};
    return text.substr(static_cast<size_t>(from), static_cast<size_t>(to - from));
}
