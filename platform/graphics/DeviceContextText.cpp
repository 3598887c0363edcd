// Text on the device context: metrics, TextOut/ExtTextOut with GDI's alignment and background
// rules, DrawText's formatting on Qt's layout.
#include <QFontMetrics>
#include <QPaintEngine>
#include <QTextLayout>

#include "platform/graphics/DeviceContextImpl_p.h"

const QFont& TDeviceContext::Impl::font()
{
    if (fontValid) return qfont;
    const auto made = std::find_if(madeFonts.begin(), madeFonts.end(),
                                   [&](const MadeFont& m) { return m.charExtra == s.charExtra && m.font == s.font; });
    if (made != madeFonts.end()) {
        qfont = made->qfont;
        extents = made->extents;
    } else {
        qfont = ToQFont(s.font);
        if (s.charExtra) qfont.setLetterSpacing(QFont::AbsoluteSpacing, s.charExtra);
        if (madeFonts.size() >= 4) madeFonts.erase(madeFonts.begin());
        madeFonts.push_back({s.font, s.charExtra, qfont});
        extents = madeFonts.back().extents;
    }
    fontValid = true;
    return qfont;
}

QList<QGlyphRun> ShapeLine(const QString& text, const QFont& font, const QPaintDevice* device)
{
    if (font.underline() || font.strikeOut() || font.overline()) return {};
    if (std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x20; })) return {};
    QTextLayout layout(text, font, device);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (!line.isValid()) {
        layout.endLayout();
        return {};
    }
    line.setPosition(QPointF(0, 0));
    layout.endLayout();
    QList<QGlyphRun> runs = layout.glyphRuns();
    const qreal ascent = line.ascent();
    for (QGlyphRun& run : runs) {
        QList<QPointF> at = run.positions();
        for (QPointF& p : at) p.ry() -= ascent;
        run.setPositions(at);
    }
    return runs;
}

const QList<QGlyphRun>* TDeviceContext::Impl::glyphRuns(const std::string& text)
{
    // Recording and printing engines keep texts as texts.
    if (metafile || painter->paintEngine()->type() != QPaintEngine::Raster) return nullptr;
    auto& known = extents->glyphs;
    auto found = known.find(text);
    if (found == known.end()) {
        // Bounded like the widths.
        if (known.size() >= 1024) known.clear();
        found = known.emplace(text, ShapeLine(QString::fromStdString(text), font(), nullptr)).first;
    }
    return found->second.isEmpty() ? nullptr : &found->second;
}

TSize TDeviceContext::GetTextExtent(const String& text) const
{
    const QFont& font = impl_->font();
    Impl::Extents& known = *impl_->extents;
    const auto width = known.widths.find(text);
    if (width != known.widths.end() && known.height >= 0) return {width->second, known.height};
    QFontMetrics fm(font);
    const TSize size{fm.horizontalAdvance(QString::fromStdString(text)), fm.height()};
    // Bounded: a stream of ever new texts (a clock's labels) must not grow it without end.
    if (known.widths.size() >= 1024) known.widths.clear();
    known.widths.emplace(text, size.cx);
    known.height = size.cy;
    return size;
}

TTextMetric TDeviceContext::GetTextMetrics() const
{
    const QFont& f = impl_->font();
    QFontMetrics fm(f);
    TTextMetric m;
    m.tmAscent = fm.ascent();
    m.tmDescent = fm.descent();
    m.tmHeight = fm.height();
    m.tmInternalLeading = std::max(0, fm.height() - f.pixelSize());
    m.tmExternalLeading = std::max(0, fm.leading());
    m.tmAveCharWidth = fm.averageCharWidth();
    m.tmMaxCharWidth = fm.maxWidth();
    m.tmWeight = impl_->s.font.Weight ? impl_->s.font.Weight : FW_NORMAL;
    m.tmItalic = impl_->s.font.Italic;
    return m;
}

void TDeviceContext::TextOut(int x, int y, const String& text) { ExtTextOut(x, y, 0, nullptr, text); }

void TDeviceContext::ExtTextOut(int x, int y, unsigned options, const TRect* rect, const String& text)
{
    DC_ACTIVE();
    auto& I = *impl_;
    const QFont& f = I.font();
    // The font's metrics are kept with its extents: labels draw a few short texts in one font.
    Impl::Extents& known = *I.extents;
    if (known.ascent < 0 || known.height < 0) {
        const QFontMetrics fm(f);
        known.ascent = fm.ascent();
        known.height = fm.height();
    }
    const int ascent = known.ascent;
    unsigned align = I.s.textAlign;
    // The width costs a layout of its own: measured only when the placement or background needs it.
    const bool needsWidth = (align & TA_CENTER) != TA_LEFT || (align & TA_UPDATECP) || I.s.bkMode == OPAQUE;
    int w = needsWidth ? GetTextExtent(text).cx : 0, h = known.height;
    if (align & TA_UPDATECP) {
        x = I.s.pos.X;
        y = I.s.pos.Y;
    }
    int dx = 0;
    switch (align & TA_CENTER) {
    case TA_CENTER: dx = -w / 2; break;
    case TA_RIGHT: dx = -w; break;
    default: break;
    }
    int top = 0;
    switch (align & TA_BASELINE) {
    case TA_BASELINE: top = -ascent; break;
    case TA_BOTTOM: top = -h; break;
    default: break;
    }
    if (align & TA_UPDATECP) {
        if ((align & TA_CENTER) == TA_LEFT)
            I.s.pos.X += w;
        else if ((align & TA_CENTER) == TA_RIGHT)
            I.s.pos.X -= w;
    }
    if (I.inPath) {
        QPainterPath p;
        p.addText(QPointF(x + dx, y + top + ascent), f, QString::fromStdString(text));
        I.path.addPath(I.toDevice(p));
        return;
    }
    // A plain text (axis labels come by the dozen a frame) saves no painter state: it is drawn at
    // its place and only the mode and hint are put back, since every other operation sets the pen
    // and font it draws with. A clipped, boxed or turned one draws in a saved state from the origin.
    const bool plain = !(rect && (options & (ETO_OPAQUE | ETO_CLIPPED))) && !I.s.font.Escapement;
    const auto mode = I.painter->compositionMode();
    const bool hinted = I.painter->testRenderHint(QPainter::TextAntialiasing);
    QPoint at(x, y);
    if (!plain) I.painter->save();
    I.painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (!plain) {
        if (rect && (options & ETO_OPAQUE))
            I.painter->fillRect(QRect(rect->Left, rect->Top, rect->Width(), rect->Height()), rgbColor(I.s.bkColor));
        if (rect && (options & ETO_CLIPPED))
            I.painter->setClipRect(QRect(rect->Left, rect->Top, rect->Width(), rect->Height()), Qt::IntersectClip);
        I.painter->translate(x, y);
        if (I.s.font.Escapement) I.painter->rotate(-I.s.font.Escapement / 10.0);
        at = {0, 0};
    }
    if (I.s.bkMode == OPAQUE && !text.empty())
        I.painter->fillRect(QRect(at.x() + dx, at.y() + top, w, h), rgbColor(I.s.bkColor));
    if (I.painter->font() != f) I.painter->setFont(f);
    I.painter->setPen(rgbColor(I.s.textColor));
    I.painter->setRenderHint(QPainter::TextAntialiasing, I.s.font.Quality != NONANTIALIASED_QUALITY);
    const QPoint baseline(at.x() + dx, at.y() + top + ascent);
    if (const QList<QGlyphRun>* runs = I.glyphRuns(text)) {
        for (const QGlyphRun& run : *runs) I.painter->drawGlyphRun(baseline, run);
    } else {
        I.painter->drawText(baseline, QString::fromStdString(text));
    }
    if (!plain) {
        I.painter->restore();
        return;
    }
    I.painter->setRenderHint(QPainter::TextAntialiasing, hinted);
    I.painter->setCompositionMode(mode);
}

int TDeviceContext::DrawText(const String& text, TRect& r, unsigned format)
{
    auto& I = *impl_;
    const QFont& f = I.font();
    QFontMetrics fm(f);
    QString qs = QString::fromStdString(text);
    int flags = 0;
    if (format & DT_SINGLELINE) {
        flags |= Qt::TextSingleLine;
        if (format & DT_VCENTER)
            flags |= Qt::AlignVCenter;
        else if (format & DT_BOTTOM)
            flags |= Qt::AlignBottom;
        else
            flags |= Qt::AlignTop;
    } else {
        flags |= Qt::AlignTop;
    }
    if (format & DT_CENTER)
        flags |= Qt::AlignHCenter;
    else if (format & DT_RIGHT)
        flags |= Qt::AlignRight;
    else
        flags |= Qt::AlignLeft;
    if (format & DT_WORDBREAK) flags |= Qt::TextWordWrap;
    if (format & DT_EXPANDTABS) flags |= Qt::TextExpandTabs;
    if (!(format & DT_NOPREFIX)) flags |= (format & DT_HIDEPREFIX) ? Qt::TextHideMnemonic : Qt::TextShowMnemonic;
    QRect box(r.Left, r.Top, r.Width(), r.Height());
    if ((format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS)) && (format & DT_SINGLELINE)) {
        Qt::TextElideMode mode = (format & DT_PATH_ELLIPSIS) ? Qt::ElideMiddle : Qt::ElideRight;
        qs = fm.elidedText(qs, mode, std::max(0, box.width()), flags & Qt::TextShowMnemonic ? Qt::TextShowMnemonic : 0);
    }
    // Measure top-left aligned in the rectangle's width with unlimited height.
    int measureFlags = flags & ~(Qt::AlignVCenter | Qt::AlignBottom | Qt::AlignHCenter | Qt::AlignRight);
    QRect layout(box.left(), box.top(), std::max(box.width(), 0), 1 << 20);
    if (!(format & DT_WORDBREAK)) layout.setWidth(1 << 20);
    QRect bound = fm.boundingRect(layout, measureFlags, qs);
    if (format & DT_SINGLELINE) bound.setHeight(fm.height());
    if (text.empty()) bound.setSize(QSize(0, 0));
    if (format & DT_CALCRECT) {
        r.Right = r.Left + bound.width();
        r.Bottom = r.Top + bound.height();
        return bound.height();
    }
    if (!I.ensure()) return 0;
    I.painter->save();
    I.painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (!(format & DT_NOCLIP))
        I.painter->setClipRect(box, Qt::IntersectClip);
    else
        flags |= Qt::TextDontClip;
    I.painter->setFont(f);
    I.painter->setPen(rgbColor(I.s.textColor));
    if (I.s.bkMode == OPAQUE && !text.empty()) {
        QRect placed = QFontMetrics(f).boundingRect(box, flags, qs);
        if (format & DT_SINGLELINE) placed.setHeight(fm.height());
        I.painter->fillRect(placed, rgbColor(I.s.bkColor));
    }
    I.painter->setRenderHint(QPainter::TextAntialiasing, I.s.font.Quality != NONANTIALIASED_QUALITY);
    I.painter->drawText(box, flags, qs);
    I.painter->restore();
    if (format & DT_SINGLELINE) return fm.height();
    return bound.height();
}
