// TMemo on the native plain-text edit; the standard controls' other classes have a file each.
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTimer>
#include <memory>

#include "platform/classes/Published.h"
#include "platform/forms/StdCtrls.h"
#include "platform/forms/StdCtrls_p.h"

using tvforms::Q;
using tvforms::S;
using tvforms::Wire;

// ---- TMemo -------------------------------------------------------------------------------------

// The memo's lines: kept here, mirrored into the widget. Appending adds one block to the widget's
// document; a user edit marks the copy stale and it is read back on the next access.
class TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TMemo* memo) : memo_(memo) {}

    int Count() const override
    {
        sync();
        return static_cast<int>(lines_.size());
    }
    String Get(int index) const override
    {
        sync();
        check(index, false);
        return lines_[static_cast<size_t>(index)];
    }
    void Put(int index, const String& s) override
    {
        sync();
        check(index, false);
        lines_[static_cast<size_t>(index)] = s;
        changed();
    }
    void Insert(int index, const String& s) override
    {
        sync();
        check(index, true);
        if (index == static_cast<int>(lines_.size())) {
            Add(s);
            return;
        }
        lines_.insert(lines_.begin() + index, s);
        changed();
    }
    int Add(const String& s) override
    {
        sync();
        // Text with line breaks becomes several lines, as in the platform's edit.
        if (s.find_first_of("\r\n") != String::npos) {
            std::vector<String> parts = split(s);
            if (parts.empty()) parts.push_back(String());
            for (const auto& p : parts) lines_.push_back(p);
            changed();
            return static_cast<int>(lines_.size()) - 1;
        }
        lines_.push_back(s);
        if (auto* w = HostWidgetAs<QPlainTextEdit>(memo_)) {
            // Lines added in one burst (a log fed by a receive event) reach the widget in one
            // append from the message loop: appending one at a time costs a layout each.
            pending_ << Q(s);
            if (!flushQueued_) {
                flushQueued_ = true;
                QTimer::singleShot(0, w, [this, alive = std::weak_ptr<int>(alive_)] {
                    if (!alive.expired()) flush();
                });
            }
        }
        if (UpdateCount() == 0 && !memo_->IsLoading()) memo_->Change();
        return static_cast<int>(lines_.size()) - 1;
    }
    void Delete(int index) override
    {
        sync();
        check(index, false);
        lines_.erase(lines_.begin() + index);
        changed();
    }
    void Clear() override
    {
        stale_ = false;
        if (lines_.empty()) return;
        lines_.clear();
        changed();
    }

    void SetAll(const String& text)
    {
        stale_ = false;
        lines_ = split(text);
        changed();
    }
    String Joined() const
    {
        sync();
        String r;
        for (size_t i = 0; i < lines_.size(); ++i) {
            if (i) r += "\r\n";
            r += lines_[i];
        }
        return r;
    }
    void PushAll()
    {
        pending_.clear();
        if (auto* w = HostWidgetAs<QPlainTextEdit>(memo_)) {
            QSignalBlocker block(w);
            QStringList list;
            list.reserve(static_cast<int>(lines_.size()));
            for (const auto& l : lines_) list << Q(l);
            w->setPlainText(list.join(QLatin1Char('\n')));
        }
    }
    void MarkStale() { stale_ = true; }
    void FlushPending() const { flush(); }

protected:
    void SetUpdateState(bool updating) override
    {
        if (!updating && pendingChange_) {
            pendingChange_ = false;
            if (!memo_->IsLoading()) memo_->Change();
        }
    }

private:
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
        int n = static_cast<int>(lines_.size());
        if (index < 0 || index > n || (!allowEnd && index == n))
            throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
    }
    // Hands the lines added since the last flush to the widget.
    void flush() const
    {
        flushQueued_ = false;
        if (pending_.isEmpty()) return;
        if (auto* w = HostWidgetAs<QPlainTextEdit>(memo_)) {
            QSignalBlocker block(w);
            const QString text = pending_.join(QLatin1Char('\n'));
            if (w->document()->isEmpty() && static_cast<int>(lines_.size()) == pending_.size())
                w->setPlainText(text);
            else
                w->appendPlainText(text);
        }
        pending_.clear();
    }
    void sync() const
    {
        if (!stale_) return;
        flush();
        stale_ = false;
        lines_.clear();
        if (auto* w = HostWidgetAs<QPlainTextEdit>(memo_)) {
            const QTextDocument* doc = w->document();
            if (doc->isEmpty()) return;
            for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) lines_.push_back(S(b.text()));
            // A trailing empty line is the end of the last line's break.
            if (!lines_.empty() && lines_.back().empty()) lines_.pop_back();
        }
    }
    void changed()
    {
        PushAll();
        if (UpdateCount() > 0) {
            pendingChange_ = true;
            return;
        }
        if (!memo_->IsLoading()) memo_->Change();
    }

    TMemo* memo_;
    mutable std::vector<String> lines_;
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

TMemo::~TMemo() = default;

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

std::unique_ptr<THostWindow> TMemo::CreateHostWindow() { return MakeHost<QPlainTextEdit>(this, true); }

void TMemo::HostCreated()
{
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

void TMemo::SetScrollBars(TScrollStyle value)
{
    scrollBars_ = value;
    if (auto* w = HostWidgetAs<QPlainTextEdit>(this)) {
        bool h = value == ssHorizontal || value == ssBoth;
        bool v = value == ssVertical || value == ssBoth;
        w->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        w->setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    }
}

void TMemo::SetWordWrap(bool value)
{
    wordWrap_ = value;
    if (auto* w = HostWidgetAs<QPlainTextEdit>(this)) {
        // A horizontal scroll bar turns wrapping off, as in the platform's edit.
        bool wrap = value && scrollBars_ != ssHorizontal && scrollBars_ != ssBoth;
        w->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    }
}

