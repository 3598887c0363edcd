#include "chart/canvas/HtmlText.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <memory>
#include <vector>

#include "chart/canvas/Geometry.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebCanvas.h"
#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebPen.h"
#include "platform/graphics/Graphic.h"
#include "platform/rtl/Convert.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Strings.h"

namespace {

TGraphicForExtensionHook graphicHook;
TLoadStreamHook streamHook;

bool startsWith(const String& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

bool parseNumber(const String& text, double& value)
{
    const String t = Trim(text);
    if (t.empty()) return false;
    Extended v = 0;
    if (!TryStrToFloat(t, v, TFormatSettings::Invariant())) return false;
    value = static_cast<double>(v);
    return true;
}

String floatText(float v)
{
    char buf[32];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    return String(buf, res.ptr);
}

String unquote(String s, const char* quotes)
{
    s = Trim(s);
    if (!s.empty() && std::strchr(quotes, s.front())) s.erase(0, 1);
    if (!s.empty() && std::strchr(quotes, s.back())) s.pop_back();
    return s;
}

// name = value pairs of a tag's attribute text; a value ends at the last blank before the next
// attribute's name, so values may hold blanks.
std::vector<std::pair<String, String>> attributes(const String& text)
{
    std::vector<std::size_t> equals;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '=') equals.push_back(i);
    std::vector<std::pair<String, String>> out;
    std::size_t nameStart = 0;
    for (std::size_t k = 0; k < equals.size(); ++k) {
        const String name = Trim(text.substr(nameStart, equals[k] - nameStart));
        std::size_t valueEnd = text.size();
        if (k + 1 < equals.size()) {
            std::size_t j = equals[k + 1];
            while (j > equals[k] + 1 && text[j - 1] == ' ') --j;  // blanks before '='
            while (j > equals[k] + 1 && text[j - 1] != ' ') --j;  // the next name
            valueEnd = j;
        }
        out.emplace_back(name, Trim(text.substr(equals[k] + 1, valueEnd - equals[k] - 1)));
        nameStart = valueEnd;
    }
    return out;
}

TColor colorOf(String value)
{
    value = unquote(UpperCase(Trim(value)), "\"");
    static const struct {
        const char* name;
        TColor color;
    } named[] = {{"BLACK", 0},        {"RED", 0x0000FF},   {"BLUE", 0xFF0000}, {"YELLOW", 0x00FFFF},
                 {"WHITE", 0xFFFFFF}, {"GREEN", 0x008000}, {"LIME", 0x00FF00}};
    for (const auto& n : named)
        if (value == n.name) return n.color;
    if (!value.empty() && value[0] == '#') {
        unsigned rgb = 0;
        const String hex = value.substr(1, 6);
        auto res = std::from_chars(hex.data(), hex.data() + hex.size(), rgb, 16);
        if (hex.size() != 6 || res.ptr != hex.data() + hex.size()) return 0;
        return static_cast<TColor>(
            RGB(static_cast<Byte>(rgb >> 16), static_cast<Byte>(rgb >> 8), static_cast<Byte>(rgb)));
    }
    TColor c = 0;
    if (IdentToColor(value, c)) return c;
    int i = 0;
    if (TryStrToInt(value, i)) return i;
    return 0;
}

class HtmlWalk {
public:
    HtmlWalk(TZebCanvas& canvas, int x, int y, bool draw) : canvas_(canvas), x_(x), y_(y), lineStart_(x), draw_(draw)
    {
        lineHeight_ = canvas_.TextHeight("W");
    }

    TSize Run(String text)
    {
        while (!text.empty()) {
            String token;
            const std::size_t lt = text.find('<');
            if (lt == String::npos) {
                token = text;
                text.clear();
            } else if (lt == 0) {
                const std::size_t gt = text.find('>');
                const std::size_t end = gt == String::npos ? text.size() : gt + 1;
                token = text.substr(0, end);
                text.erase(0, end);
            } else {
                token = text.substr(0, lt);
                text.erase(0, lt);
            }
            handle(token);
        }
        return extent_;
    }

private:
    TZebFont& font() { return *canvas_.Font(); }
    int lineStep() { return canvas_.TextHeight("W"); }

    void saveFont()
    {
        TZebFont& f = font();
        String weight;
        const TFontStyles s = f.Style();
        const std::pair<TFontStyle, const char*> names[] = {{fsBold, "BOLD"},
                                                            {fsItalic, "ITALIC"},
                                                            {fsUnderline, "UNDERLINE"},
                                                            {fsStrikeOut, "STRIKE"}};
        for (const auto& [style, name] : names)
            if (s.Contains(style)) weight += (weight.empty() ? "" : ", ") + String(name);
        if (weight.empty()) weight = "NORMAL";
        fonts_.push_back({"<FONT size=" + floatText(f.SizeFloat()) + " name=" + f.Name() +
                              " color=" + IntToStr(static_cast<int>(f.Color())) + " weight=" + weight + ">",
                          y_});
        saved_ = true;
    }

    // The font and the line position saved by the matching open tag: raised and lowered parts
    // (sub- and superscripts, bigger and smaller text) end where they began.
    void restoreFont()
    {
        if (fonts_.empty()) return;
        const Saved saved = fonts_.back();
        fonts_.pop_back();
        applyFontTag(saved.tag);
        y_ = saved.y;
    }

    void newSize(float size)
    {
        saveFont();
        font().SetSizeFloat(size);
    }

    void applyFontTag(const String& tag)
    {
        if (tag.size() < 7) return;
        const String body = tag.substr(6, tag.size() - 7);
        for (const auto& [rawName, value] : attributes(body)) {
            const String name = UpperCase(rawName);
            if (name == "NAME" || name == "FAMILY") {
                font().SetName(unquote(value, "\""));
            } else if (name == "SIZE") {
                const String v = unquote(value, "\"'");
                double number = 0;
                if (!v.empty() && (v[0] == '+' || v[0] == '-')) {
                    if (parseNumber(v.substr(1), number))
                        font().SetSizeFloat(static_cast<float>(font().SizeFloat() + (v[0] == '-' ? -number : number)));
                } else if (parseNumber(v, number)) {
                    font().SetSizeFloat(static_cast<float>(number));
                }
            } else if (name == "COLOR") {
                font().SetColor(colorOf(value));
            } else if (name == "WEIGHT") {
                TFontStyles styles;
                String rest = UpperCase(value) + ",";
                for (std::size_t comma; (comma = rest.find(',')) != String::npos; rest.erase(0, comma + 1)) {
                    const String word = Trim(rest.substr(0, comma));
                    if (word == "BOLD")
                        styles += fsBold;
                    else if (word == "ITALIC")
                        styles += fsItalic;
                    else if (word == "UNDERLINE")
                        styles += fsUnderline;
                    else if (word == "STRIKE")
                        styles += fsStrikeOut;
                    // NORMAL adds nothing; words the renderer does not know are left out.
                }
                font().SetStyle(styles);
            }
            // Attributes the renderer does not know (FACE ...) are skipped: a title must paint.
        }
    }

    void styleTag(const String& upper, bool open)
    {
        const String tag = open ? upper : "<" + upper.substr(2);
        TFontStyle style;
        if (tag == "<B>" || tag == "<BOLD>" || tag == "<STRONG>")
            style = fsBold;
        else if (tag == "<I>")
            style = fsItalic;
        else if (tag == "<U>")
            style = fsUnderline;
        else
            style = fsStrikeOut;
        TFontStyles s = font().Style();
        if (open) {
            s += style;
            styleTags_.push_back(upper);
        } else {
            s -= style;
        }
        font().SetStyle(s);
    }

    static bool isStyleTag(const String& t)
    {
        return t == "<B>" || t == "<BOLD>" || t == "<STRONG>" || t == "<I>" || t == "<U>" || t == "<STRIKE>";
    }

    void handle(String token)
    {
        saved_ = false;
        if (startsWith(token, "\r\n")) {
            y_ += lineStep();
            x_ = lineStart_;
            lineHeight_ = 0;
            token.erase(0, 2);
        }
        if (!token.empty()) handleTag(token);
        previousSaved_ = saved_;
    }

    void handleTag(const String& token)
    {
        const String upper = UpperCase(token);
        if (upper == "<BR>" || upper == "<P>") {
            x_ = lineStart_;
            lineHeight_ = 0;
            const int step = lineStep();
            y_ += step;
            extent_.cy += step + 2;
        } else if (upper == "<BIG>") {
            newSize(font().SizeFloat() + 2);
            y_ -= 4;
        } else if (upper == "</BIG>") {
            restoreFont();
        } else if (upper == "<SMALL>") {
            newSize(font().SizeFloat() - 2);
            y_ -= 1;
        } else if (upper == "</SMALL>") {
            restoreFont();
        } else if (upper == "<SUB>") {
            newSize(static_cast<float>(font().Size() / 2));
            y_ += lineStep();
        } else if (upper == "</SUB>") {
            restoreFont();
        } else if (upper == "<SUP>" || upper == "<SUPER>") {
            newSize(static_cast<float>(font().Size() / 2));
            y_ -= lineStep() / 2;
        } else if (upper == "</SUP>" || upper == "</SUPER>") {
            restoreFont();
        } else if (upper.size() == 4 && startsWith(upper, "<H") && upper[2] >= '1' && upper[2] <= '6' &&
                   upper[3] == '>') {
            static constexpr float sizes[] = {48, 36, 24, 18, 12, 8};
            newSize(sizes[upper[2] - '1']);
        } else if (upper.size() == 5 && startsWith(upper, "</H") && upper[3] >= '1' && upper[3] <= '6' &&
                   upper[4] == '>') {
            restoreFont();
        } else if (upper == "<PRE>") {
            saveFont();
            applyFontTag("<FONT NAME=\"COURIER NEW\">");
        } else if (upper == "</PRE>") {
            restoreFont();
        } else if (upper == "<CENTER>") {
            centring_ = true;
        } else if (upper == "</CENTER>") {
            centring_ = false;
        } else if (isStyleTag(upper)) {
            styleTag(upper, true);
        } else if (startsWith(upper, "</") && isStyleTag("<" + upper.substr(2))) {
            styleTag(upper, false);
        } else if (startsWith(upper, "<FONT ")) {
            saveFont();
            applyFontTag(upper);
        } else if (startsWith(upper, "</FONT")) {
            restoreFont();
        } else if (upper == "</>") {
            if (previousSaved_) {
                restoreFont();
            } else if (!styleTags_.empty()) {
                const String last = styleTags_.back();
                styleTags_.pop_back();
                handleTag("</" + last.substr(1));
            } else {
                text("</");
            }
        } else if (startsWith(upper, "<IMG ")) {
            image(token);
        } else if (upper == "<HR>") {
            x_ = lineStart_;
            TZebPen& pen = *canvas_.Pen();
            pen.SetStyle(psSolid);
            pen.SetWidth(1);
            pen.SetColor(clGray);
            if (draw_) canvas_.HorizontalSegment(x_, x_ + 100, y_);
            y_ += lineStep();
        } else {
            text(token);
        }
    }

    static String decodeEntities(const String& s)
    {
        static const struct {
            const char* entity;
            char ch;
        } entities[] = {{"&lt;", '<'}, {"&gt;", '>'}, {"&amp;", '&'}, {"&quot;", '"'}};
        String out;
        out.reserve(s.size());
        for (std::size_t i = 0; i < s.size();) {
            bool replaced = false;
            if (s[i] == '&')
                for (const auto& e : entities)
                    if (s.compare(i, std::strlen(e.entity), e.entity) == 0) {
                        out += e.ch;
                        i += std::strlen(e.entity);
                        replaced = true;
                        break;
                    }
            if (!replaced) out += s[i++];
        }
        return out;
    }

    void text(const String& token)
    {
        String t = decodeEntities(token);
        bool lineEnd = false;
        if (t.size() >= 2 && t.compare(t.size() - 2, 2, "\r\n") == 0) {
            t.erase(t.size() - 2);
            lineEnd = true;
        }
        if (!t.empty()) {
            const TSizeFloat size = canvas_.TextSizeFloat(t);
            if (centring_) {
                const TRect& b = canvas_.DrawBounds();
                x_ = (b.Left + b.Right) / 2 - RoundHalfEven(size.Width) / 2;
            }
            // Smaller text sits lower on the line; the next part starts from the line again.
            int lower = 0;
            if (lineHeight_ == 0)
                lineHeight_ = lineStep();
            else if (lineHeight_ > size.Height)
                lower = lineHeight_ - RoundHalfEven(size.Height) - 1;
            if (draw_) canvas_.TextOut(x_, y_ + lower, t);
            x_ += RoundHalfEven(size.Width);
            extent_.cx = std::max(extent_.cx, x_);
            if (size.Height > lineHeight_) lineHeight_ = RoundHalfEven(size.Height) - 1;
            extent_.cy = std::max(extent_.cy, lineHeight_);
        }
        if (lineEnd) {
            lineHeight_ = 0;
            x_ = lineStart_;
        }
    }

    void placeholder(int w, int h)
    {
        if (!draw_) return;
        TZebPen& pen = *canvas_.Pen();
        pen.SetStyle(psSolid);
        pen.SetWidth(1);
        pen.SetColor(clRed);
        TZebBrush& brush = *canvas_.Brush();
        brush.SetStyle(bsSolid);
        brush.SetColor(clWhite);
        canvas_.Rectangle(x_, y_, x_ + w, y_ + h);
        canvas_.DrawLine(x_, y_, x_ + w - 1, y_ + h - 1);
        canvas_.DrawLine(x_, y_ + h - 1, x_ + w - 1, y_);
    }

    void image(String tag)
    {
        tag.erase(0, 5);
        if (startsWith(tag, "\r\n")) tag.erase(0, 2);
        if (!tag.empty() && tag.back() == '>') tag.pop_back();
        int w = 0, h = 0;
        String src;
        for (const auto& [name, value] : attributes(tag)) {
            const String n = UpperCase(name);
            if (n == "WIDTH")
                TryStrToInt(Trim(value), w);
            else if (n == "HEIGHT")
                TryStrToInt(Trim(value), h);
            else if (n == "SRC")
                src = unquote(value, "\"");
        }
        if (src.empty()) return;
        const int boxW = w ? w : 40, boxH = h ? h : 40;
        const std::size_t dot = src.rfind('.');
        const String extension = dot == String::npos ? String() : UpperCase(src.substr(dot));
        std::unique_ptr<TGraphic, TFreeDeleter> graphic(graphicHook ? graphicHook(extension) : nullptr);
        TMemoryStream stream;
        const int loaded = graphic && streamHook ? streamHook(src, stream) : -1;
        if (!graphic || loaded != 0 || stream.Size() == 0) {
            placeholder(boxW, boxH);
            return;
        }
        try {
            stream.SetPosition(0);
            graphic->LoadFromStream(stream);
            if (w == 0) w = graphic->Width();
            if (h == 0) h = graphic->Height();
            if (draw_) {
                if (graphic->Width() == w && graphic->Height() == h)
                    canvas_.DrawGraphic(x_, y_, graphic.get());
                else if (centring_)
                    canvas_.StretchGraphic({x_ - w / 2, y_, x_ + w / 2, y_ + h}, graphic.get());
                else
                    canvas_.StretchGraphic({x_, y_, x_ + w, y_ + h}, graphic.get());
            }
        } catch (const std::exception&) {
            placeholder(boxW, boxH);
            return;
        }
        x_ += w;
        y_ += h - 10;
        lineHeight_ = h;
        extent_.cx = std::max(extent_.cx, w);
        extent_.cy = std::max(extent_.cy, h);
    }

    TZebCanvas& canvas_;
    int x_, y_;
    int lineHeight_ = 0;
    int lineStart_;
    bool centring_ = false;
    bool saved_ = false;
    bool previousSaved_ = false;
    bool draw_;
    TSize extent_;
    // Per text: an unclosed tag of one text does not reach the next.
    struct Saved {
        String tag;
        int y;
    };
    std::vector<Saved> fonts_;
    std::vector<String> styleTags_;
};

// Every text starts from the canvas font as it was and leaves it so.
TSize walk(TZebCanvas& canvas, int x, int y, const String& text, bool draw)
{
    TZebFont keep;
    keep.Assign(canvas.Font());
    TSize size;
    try {
        size = HtmlWalk(canvas, x, y, draw).Run(text);
    } catch (...) {
        canvas.Font()->Assign(&keep);
        throw;
    }
    canvas.Font()->Assign(&keep);
    return size;
}

}  // namespace

void SetGraphicForExtensionHook(TGraphicForExtensionHook hook) { graphicHook = std::move(hook); }
void SetLoadStreamHook(TLoadStreamHook hook) { streamHook = std::move(hook); }
const TGraphicForExtensionHook& GraphicForExtensionHook() { return graphicHook; }
const TLoadStreamHook& LoadStreamHook() { return streamHook; }

TSize MeasureHtmlText(TZebCanvas& canvas, const String& text) { return walk(canvas, 0, 0, text, false); }

void HtmlTextOut(TZebCanvas& canvas, int x, int y, const String& text)
{
    const TTextAlign align = canvas.GetTextAlignment();
    if (align != TA_CENTER && align != TA_RIGHT) {
        walk(canvas, x, y, text, true);
        return;
    }
    const TSize size = MeasureHtmlText(canvas, text);
    canvas.SetTextAlignment(TA_LEFT);
    try {
        walk(canvas, align == TA_CENTER ? x - size.cx / 2 : x - size.cx, y, text, true);
    } catch (...) {
        canvas.SetTextAlignment(align);
        throw;
    }
    canvas.SetTextAlignment(align);
}
