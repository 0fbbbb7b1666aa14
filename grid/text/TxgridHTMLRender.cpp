#include "grid/text/TxgridHTML.h"
#include "grid/text/TxgridHTMLTags.h"
#include "grid/text/TxgridStrings.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <array>
#include <cmath>

namespace grid {

namespace {

using html::Tag;

constexpr int kListIndent = 12;
const QChar kBullet(0x2022);

int scaled(int v, int ppi) { return int((qint64(v) * ppi + 48) / 96); }

// What a line's measuring pass hands to its drawing pass.
struct LineVals {
    int x = 0; // x offset reached, from the line's left edge
    int height = 0;
    int subOff = 0;
    int supOff = 0;
    int picOff = 0;   // the text raised for pictures aligned to the top or middle
    int trailing = 0; // width of the space ending the last run
};

struct LineHits {
    bool text = false;
    bool picture = false;
    bool turned = false; // the point lies in the box of a turned run of an anchor
};

// The box that a run w wide and h high takes when turned by the angle of its font, and where
// the run's own top-left corner goes for its glyphs to fill that box from (0, 0).
struct TurnedBox {
    int w = 0, h = 0;
    QPointF origin;
};

TurnedBox turnedBox(const ui::Font& f, int w, int h)
{
    QTransform t;
    t.rotate(-f.orientation / 10.0);
    const QRectF r = t.mapRect(QRectF(0, 0, w, h));
    return {int(std::lround(r.width())), int(std::lround(r.height())), -r.topLeft()};
}

// Everything tags change. Both passes over a line start from the same copy, so that what is
// drawn is what was measured.
struct State {
    ui::Font font;
    ui::Color brush = ui::clNone;
    std::vector<ui::Font> rotated; // fonts replaced by rotation tags
    int anchorCount = 0;
    bool inAnchor = false;
    QString anchorHref;
    bool anchorStyled = false;
    bool anchorBrushSaved = false;
    bool anchorColorSaved = false;
    ui::Color anchorSavedBrush = ui::clNone;
    ui::Color anchorSavedColor = 0;
    int anchorStartX = 0; // where the anchor began, in canvas coordinates
    bool hitPending = false;
    bool inFocus = false;
    int focusStartX = 0;
    int listLevel = 0;
    bool hidden = false, error = false, shadow = false, sub = false, sup = false;
    bool hiOpen = false;
    ui::Color hiSavedColor = 0;
    ui::Color hiSavedBrush = ui::clNone;
    ui::Color fontSavedBrush = ui::clNone;
    bool paraBg = false;
    ui::Color paraColor = ui::clNone;
    ui::Color paraSavedBrush = ui::clNone;
    int align = 0; // 0 left, 1 right, 2 centre
    int indent = 0;
};

// A picture named by an image tag.
struct Pic {
    enum Kind { None, Index, SysIcon, Picture } kind = None;
    int index = -1;
    bool large = false;
    QString source;
    THTMLPicture* picture = nullptr;
    int w = 0, h = 0;
    bool stretched = false;
};

class Renderer {
public:
    Renderer(ui::Canvas& Canvas, const ui::Rect& Bounds, const THTMLRenderOptions& Options, THTMLRenderResult& Result)
        : canvas_(Canvas), m_(Canvas.measurer()), bounds_(Bounds), opt_(Options), res_(Result),
          ppiX_(CanvasPixelsPerInchX(Canvas)), ppiY_(CanvasPixelsPerInchY(Canvas))
    {}

    bool run(const QString& Text);

private:
    enum class TagEnd { Consumed, LineAfter, LineBefore };

    qsizetype renderLine(qsizetype pos, qsizetype end, LineVals& lv, bool drawPass, const ui::Rect& lr, bool& dropRest,
                         LineHits& hits);
    TagEnd applyTag(const Tag& tag, bool closingAllowed, LineVals& lv, bool drawPass, const ui::Rect& lr,
                    int& listItems, bool consumedAny, LineHits& hits);
    TagEnd imageTag(const Tag& tag, LineVals& lv, bool drawPass, const ui::Rect& lr, bool consumedAny, LineHits& hits);
    void bodyTag(const Tag& tag);
    void anchorOpen(const Tag& tag, LineVals& lv, bool drawPass, const ui::Rect& lr);
    void anchorClose(const LineVals& lv, bool drawPass, const ui::Rect& lr);

    Pic resolve(const QString& Source);
    THTMLPicture* fromCache(const QString& URL);
    void drawPicture(const Pic& p, int x, int y);
    void drawRun(const QString& run, const QString& shown, int x, int bottom, int w, ui::Color color);
    void drawFocus(int x0, int x1, const ui::Rect& lr, const LineVals& lv);
    void drawZigzag(int x0, int x1, int bottom);
    void fill(const ui::Rect& r, ui::Color c);
    void line(int x0, int y, int x1, ui::Color c);
    void setPainterFont();

    ui::Font& font() { return canvas_.font; }
    int fontHeight();
    int runWidth(const QString& shown, bool drawPass);
    bool drawing(bool drawPass) const { return drawPass && !opt_.HitTestOnly && canvas_.painter(); }

    ui::Canvas& canvas_;
    const ui::TextMeasurer& m_;
    const ui::Rect bounds_;
    const THTMLRenderOptions& opt_;
    THTMLRenderResult& res_;
    const int ppiX_, ppiY_;

    QString text_;
    State st_;
    ui::Font startFont_;
    ui::Color entryBrush_ = ui::clNone;
    int width_ = 0; // of the bounds
    bool anchorBeganThisLine_ = false;
    ui::Rect lastRect_;
    int lastX_ = 0;

    bool painterFontSet_ = false;
    ui::Font painterFont_;
    QFont qfont_;

    // The height of the font asked last, and the widths of the runs of the line as its
    // measuring pass found them (the drawing pass cuts the same runs in the same fonts).
    ui::Font heightFont_;
    int height_ = -1;
    std::vector<int> widths_;
    std::size_t nextWidth_ = 0;
};

int Renderer::fontHeight()
{
    const ui::Font& f = canvas_.font;
    if (height_ < 0 || f.size != heightFont_.size || f.style != heightFont_.style || f.name != heightFont_.name) {
        heightFont_ = f;
        height_ = m_.height(f);
    }
    return height_;
}

int Renderer::runWidth(const QString& shown, bool drawPass)
{
    if (drawPass && nextWidth_ < widths_.size())
        return widths_[nextWidth_++];
    const int w = m_.width(font(), shown);
    if (!drawPass)
        widths_.push_back(w);
    return w;
}

bool Renderer::run(const QString& Text)
{
    startFont_ = canvas_.font;
    entryBrush_ = canvas_.brush.style == ui::BrushStyle::Clear ? ui::clNone : canvas_.brush.color;
    const ui::Brush entryBrush = canvas_.brush;
    st_.brush = ui::clNone;
    st_.hiSavedColor = st_.anchorSavedColor = startFont_.color;
    width_ = bounds_.width();
    text_ = html::PrepareText(Text);

    const int layoutLeft = bounds_.Left + 1;
    int top = bounds_.Top;
    bool hit = false;
    qsizetype pos = 0;
    while (pos < text_.size()) {
        st_.sub = st_.sup = false;
        st_.font = canvas_.font;
        const State lineStart = st_;
        LineVals lv;
        lv.height = fontHeight();
        bool dropRest = false;
        LineHits hits;
        qsizetype lineEnd =
            renderLine(pos, text_.size(), lv, false, {layoutLeft, top, bounds_.Right, top + lv.height}, dropRest, hits);
        if (lineEnd <= pos) // cannot happen by the fit rules; never loop on the same text
            lineEnd = pos + 1;
        const int lineWidth = lv.x - lv.trailing;
        res_.MaxLineWidth = std::max(res_.MaxLineWidth, lineWidth);

        ui::Rect lr{layoutLeft, top, bounds_.Right, top + lv.height + lv.subOff + lv.supOff};
        if (st_.align == 1)
            lr.Left = std::max(lr.Left, bounds_.Right - lineWidth);
        else if (st_.align == 2 && bounds_.Right - layoutLeft - lineWidth > 0)
            lr.Left += (bounds_.Right - layoutLeft - lineWidth) / 2;
        lr.Left += st_.indent;

        if (!opt_.MeasureOnly) {
            st_ = lineStart;
            canvas_.font = lineStart.font;
            LineVals dv = lv;
            dv.x = 0;
            bool unused = false;
            renderLine(pos, lineEnd, dv, true, lr, unused, hits);
            lastRect_ = lr;
            lastX_ = lr.Left + dv.x;
            const int bottom = lr.Bottom - lv.picOff;
            if ((hits.text && opt_.HitY > bottom - fontHeight() && opt_.HitY < bottom) || hits.picture || hits.turned)
                hit = true;
        }
        const int advance = lv.height + lv.subOff + lv.supOff;
        top += advance;
        res_.TotalHeight += advance;
        pos = dropRest ? text_.size() : lineEnd;
        if (!opt_.MeasureOnly && top >= bounds_.Bottom)
            break;
    }
    // An anchor left open at the end still reports the point found on it.
    if (st_.hitPending) {
        res_.HitAnchorIndex = st_.anchorCount;
        res_.HitAnchorRect = {anchorBeganThisLine_ ? st_.anchorStartX : lastRect_.Left, lastRect_.Top, lastX_,
                              lastRect_.Bottom};
    }
    if (res_.TotalHeight == 0)
        res_.TotalHeight = fontHeight();
    res_.AnchorCount = st_.anchorCount;
    canvas_.font = startFont_;
    canvas_.brush = entryBrush;
    return hit;
}

qsizetype Renderer::renderLine(qsizetype pos, qsizetype end, LineVals& lv, bool drawPass, const ui::Rect& lr,
                               bool& dropRest, LineHits& hits)
{
    const bool draw = drawing(drawPass);
    const bool measuring = !drawPass;
    anchorBeganThisLine_ = false;
    if (measuring)
        widths_.clear();
    nextWidth_ = 0;
    if (drawPass && st_.inFocus)
        st_.focusStartX = lr.Left + 1;
    if (draw && st_.paraBg)
        fill({bounds_.Left, lr.Top, bounds_.Right, lr.Bottom}, st_.paraColor);

    int listItems = 0;
    bool prevRun = false, prevSpace = false;
    bool consumedAny = false;
    bool lineEnded = false;
    while (pos < end && !lineEnded) {
        // A text run: up to the next tag, or with word wrap through the next space.
        qsizetype lt = text_.indexOf(QLatin1Char('<'), pos);
        if (lt < 0 || lt > end)
            lt = end;
        qsizetype runEnd = lt;
        if (opt_.WordWrap) {
            const qsizetype sp = QStringView(text_).mid(pos, lt - pos).indexOf(QLatin1Char(' '));
            if (sp >= 0)
                runEnd = pos + sp + 1;
        }
        if (runEnd > pos) {
            const QString run = html::ConvertRun(text_.mid(pos, runEnd - pos));
            const QString shown = html::ShownText(run);
            if (!st_.hidden) {
                const int h = fontHeight();
                const int w = runWidth(shown, drawPass);
                // A turned run takes the box its turned glyphs fill, on the line and across it.
                const bool turned = font().orientation != 0;
                const TurnedBox box = turned ? turnedBox(font(), w, h) : TurnedBox{w, h, {}};
                const int newX = lv.x + box.w;
                if (measuring) {
                    if (st_.sub)
                        lv.subOff = std::max(lv.subOff, h / 4);
                    if (st_.sup)
                        lv.supOff = std::max(lv.supOff, h / 4);
                    lv.height = std::max(lv.height, box.h);
                    // A word split by tags stays together; with word wrap a word wider than
                    // the bounds stays alone on its line.
                    const bool fits = newX < width_ || (prevRun && !prevSpace)
                        || (opt_.WordWrap && ((!prevRun && box.w >= width_) || !consumedAny));
                    if (!fits) {
                        if (opt_.WordWrap)
                            break;       // the run starts the next line
                        dropRest = true; // drawn cut short; nothing after it is laid out
                    }
                } else {
                    const int x0 = lr.Left + lv.x;
                    int bottom = lr.Bottom - lv.picOff;
                    if (st_.sup)
                        bottom -= lv.subOff + lv.supOff;
                    else if (!st_.sub)
                        bottom -= lv.subOff;
                    if (st_.inAnchor && opt_.HitY >= lr.Top && opt_.HitY < lr.Bottom && opt_.HitX >= x0
                        && opt_.HitX < lr.Left + newX) {
                        hits.text = true;
                        hits.turned = hits.turned || (turned && opt_.HitY > bottom - box.h && opt_.HitY < bottom);
                        st_.hitPending = true;
                        res_.HitAnchorHref = st_.anchorHref;
                    }
                    if (st_.inFocus)
                        res_.FocusAnchorHref = st_.anchorHref;
                    if (draw) {
                        if (st_.brush != ui::clNone && !turned)
                            fill({x0, bottom - h, std::min(x0 + w, lr.Right), bottom}, st_.brush);
                        if (st_.shadow)
                            drawRun(run, shown, x0 + opt_.ShadowOffset, bottom + opt_.ShadowOffset, w,
                                    opt_.ShadowColor);
                        drawRun(run, shown, x0, bottom, w, font().color);
                        if (st_.error)
                            drawZigzag(x0, lr.Left + newX, lr.Bottom - lv.subOff);
                    }
                }
                lv.x = newX;
                prevRun = true;
                prevSpace = run.endsWith(QLatin1Char(' '));
                if (measuring) {
                    const int space = prevSpace ? m_.width(font(), QStringLiteral(" ")) : 0;
                    lv.trailing = turned && space ? box.w - turnedBox(font(), w - space, h).w : space;
                }
            }
            if (measuring)
                res_.PlainText += shown;
            pos = runEnd;
            consumedAny = true;
            if (dropRest)
                break;
            continue;
        }

        // A tag. One without its ">" ends the text.
        const qsizetype gt = text_.indexOf(QLatin1Char('>'), pos);
        if (gt < 0 || gt >= end) {
            pos = end;
            if (measuring)
                dropRest = true;
            break;
        }
        const Tag tag(text_.mid(pos, gt - pos + 1));
        const TagEnd e = applyTag(tag, text_.size() - pos >= 4, lv, drawPass, lr, listItems, consumedAny, hits);
        if (e == TagEnd::LineBefore)
            break;
        pos = gt + 1;
        consumedAny = true;
        if (e == TagEnd::LineAfter)
            lineEnded = true;
    }
    // A focus anchor open at the end of the line is framed to the line's end.
    if (draw && st_.inFocus)
        drawFocus(st_.focusStartX, lr.Left + lv.x, lr, lv);
    return pos;
}

Renderer::TagEnd Renderer::applyTag(const Tag& tag, bool closingAllowed, LineVals& lv, bool drawPass,
                                    const ui::Rect& lr, int& listItems, bool consumedAny, LineHits& hits)
{
    const bool draw = drawing(drawPass);
    const QString& u = tag.Upper;
    if (u.size() < 3)
        return TagEnd::Consumed;
    const QChar c1 = u.at(1);

    if (c1 == QLatin1Char('/')) {
        if (!closingAllowed)
            return TagEnd::Consumed;
        switch (u.at(2).unicode()) {
        case 'A': anchorClose(lv, drawPass, lr); break;
        case 'B':
            if (tag.starts(QLatin1String("</B>")))
                font().setStyle(ui::fsBold, false);
            else if (!opt_.KeepColors)
                font().color = startFont_.color; // ends blinking
            break;
        case 'E': st_.error = false; break;
        case 'F':
            font().name = startFont_.name;
            font().size = startFont_.size;
            if (!opt_.KeepColors) {
                font().color = startFont_.color;
                st_.brush = st_.fontSavedBrush;
            }
            break;
        case 'H':
            if (st_.hiOpen) {
                font().color = st_.hiSavedColor;
                st_.brush = st_.hiSavedBrush;
                st_.hiOpen = false;
            }
            break;
        case 'I': font().setStyle(ui::fsItalic, false); break;
        case 'P':
            if (st_.paraBg) {
                st_.brush = st_.paraSavedBrush;
                st_.paraBg = false;
            }
            return TagEnd::LineAfter;
        case 'R':
            RestoreFont(canvas_, st_.rotated); // nothing to restore: ignored
            break;
        case 'S':
            if (tag.starts(QLatin1String("</SU")))
                st_.sub = st_.sup = false;
            else if (tag.starts(QLatin1String("</SH")))
                st_.shadow = false;
            else
                font().setStyle(ui::fsStrikeOut, false);
            break;
        case 'U':
            if (!tag.starts(QLatin1String("</U>")) && st_.listLevel > 0)
                --st_.listLevel;
            else
                font().setStyle(ui::fsUnderline, false);
            break;
        case 'Z': st_.hidden = false; break;
        default: break;
        }
        return TagEnd::Consumed;
    }

    switch (c1.unicode()) {
    case 'B':
        if (tag.starts(QLatin1String("<B>"))) {
            font().setStyle(ui::fsBold, true);
        } else if (tag.starts(QLatin1String("<BR"))) {
            if (!drawPass)
                res_.PlainText += QChar(13);
            return TagEnd::LineAfter;
        } else if (tag.starts(QLatin1String("<BL"))) {
            if (!opt_.BlinkOn)
                font().color = entryBrush_;
        } else if (tag.starts(QLatin1String("<BO"))) {
            if (draw)
                bodyTag(tag);
        }
        break;
    case 'I':
        if (tag.starts(QLatin1String("<I>"))) {
            font().setStyle(ui::fsItalic, true);
        } else if (tag.starts(QLatin1String("<IN"))) {
            const qsizetype at = u.indexOf(QLatin1Char('X'), 3);
            if (at >= 0) {
                const qsizetype q1 = u.indexOf(QLatin1Char('"'), at),
                                q2 = q1 < 0 ? -1 : u.indexOf(QLatin1Char('"'), q1 + 1);
                bool ok = false;
                const int x = q2 < 0 ? 0 : u.mid(q1 + 1, q2 - q1 - 1).toInt(&ok);
                if (ok && x > lv.x) {
                    lv.x = x;
                    lv.trailing = 0;
                }
            }
        } else if (tag.starts(QLatin1String("<IM"))) {
            return imageTag(tag, lv, drawPass, lr, consumedAny, hits);
        }
        break;
    case 'U':
        if (tag.starts(QLatin1String("<U>")))
            font().setStyle(ui::fsUnderline, true);
        else
            ++st_.listLevel;
        break;
    case 'L': {
        if (!drawPass && listItems >= 1)
            return TagEnd::LineBefore; // each item starts a line
        ++listItems;
        if (draw) {
            const QString bullet = st_.listLevel % 2 == 1 ? QString(kBullet) : QStringLiteral("o");
            const int bottom = lr.Bottom - lv.picOff - lv.subOff;
            drawRun(bullet, bullet, lr.Left + lv.x + kListIndent * std::max(0, st_.listLevel - 1), bottom,
                    m_.width(font(), bullet), font().color);
        }
        lv.x += kListIndent * st_.listLevel;
        lv.trailing = 0;
        break;
    }
    case 'S':
        if (tag.starts(QLatin1String("<S>")))
            font().setStyle(ui::fsStrikeOut, true);
        else if (tag.starts(QLatin1String("<SH")))
            st_.shadow = true;
        else if (tag.starts(QLatin1String("<SUB>")))
            st_.sub = true;
        else if (tag.starts(QLatin1String("<SUP>")))
            st_.sup = true;
        break;
    case 'H':
        if (tag.starts(QLatin1String("<HI"))) {
            if (!st_.hiOpen) {
                st_.hiSavedColor = font().color;
                st_.hiSavedBrush = st_.brush;
            }
            st_.hiOpen = true;
            font().color = ui::clHighlightText;
            st_.brush = ui::clHighlight;
        } else if (tag.starts(QLatin1String("<HR"))) {
            if (draw)
                line(bounds_.Left, lr.Bottom + 1, bounds_.Right, ui::clBlack);
            return TagEnd::LineAfter;
        }
        break;
    case 'A': anchorOpen(tag, lv, drawPass, lr); break;
    case 'F': {
        bool found = false;
        const QString face = tag.attr(QLatin1String("FACE"), true, &found);
        if (!face.isEmpty())
            font().name = face;
        if (!opt_.KeepColors) {
            const QString color = tag.attr(QLatin1String(" COLOR"));
            if (!color.isEmpty())
                font().color = html::AttrColor(color);
            const QString bg = tag.attr(QLatin1String("BGCOLOR"));
            if (!bg.isEmpty()) {
                st_.fontSavedBrush = st_.brush;
                st_.brush = html::AttrColor(bg);
            }
        }
        const int size = tag.fontSize();
        if (size > 0)
            font().size = size;
        break;
    }
    case 'P': {
        bool found = false;
        const QString align = tag.attr(QLatin1String("ALIGN"), false, &found);
        if (found) {
            if (align.contains(QLatin1String("RIGHT")))
                st_.align = 1;
            if (align.contains(QLatin1String("LEFT")))
                st_.align = 0;
            if (align.contains(QLatin1String("CENTER")))
                st_.align = 2;
        }
        const QString indent = tag.attr(QLatin1String("INDENT"), false, &found);
        if (found)
            st_.indent = LeadingInt(indent);
        const QString bg = tag.attr(QLatin1String("BGCOLOR"), false, &found);
        if (found) {
            const ui::Color c = bg.isEmpty() ? ui::clNone : html::AttrColor(bg);
            if (c != ui::clNone) {
                if (!st_.paraBg)
                    st_.paraSavedBrush = st_.brush;
                st_.brush = c;
                st_.paraBg = true;
                st_.paraColor = c;
                if (draw)
                    fill({bounds_.Left, lr.Top, bounds_.Right, lr.Bottom}, c);
            }
        }
        break;
    }
    case 'E': st_.error = true; break;
    case 'Z': st_.hidden = true; break;
    case 'R': SelectRotatedFont(canvas_, tag.angle(), st_.rotated); break;
    default: break;
    }
    return TagEnd::Consumed;
}

void Renderer::anchorOpen(const Tag& tag, LineVals& lv, bool drawPass, const ui::Rect& lr)
{
    ++st_.anchorCount;
    st_.inAnchor = true;
    st_.anchorHref = tag.firstQuoted();
    st_.anchorStyled = !opt_.HoverStyle || st_.anchorCount == opt_.HoverAnchor;
    st_.anchorBrushSaved = st_.anchorColorSaved = false;
    if (st_.anchorStyled) {
        font().setStyle(ui::fsUnderline, true);
        if (opt_.HoverBkColor != ui::clNone) {
            st_.anchorSavedBrush = st_.brush;
            st_.anchorBrushSaved = true;
            st_.brush = opt_.HoverBkColor;
        }
        if (opt_.HoverColor != ui::clNone) {
            st_.anchorSavedColor = font().color;
            st_.anchorColorSaved = true;
            font().color = opt_.HoverColor;
        }
        if (!opt_.KeepColors && !(opt_.HoverStyle && opt_.HoverColor != ui::clNone))
            font().color = opt_.URLColor;
    }
    anchorBeganThisLine_ = true;
    st_.anchorStartX = lr.Left + lv.x;
    if (st_.anchorCount - 1 == opt_.FocusAnchor) {
        st_.inFocus = true;
        st_.focusStartX = lr.Left + lv.x;
    }
}

void Renderer::anchorClose(const LineVals& lv, bool drawPass, const ui::Rect& lr)
{
    if (!st_.inAnchor)
        return; // nothing to close
    if (st_.anchorStyled) {
        font().setStyle(ui::fsUnderline, false);
        if (st_.anchorBrushSaved)
            st_.brush = st_.anchorSavedBrush;
        if (!opt_.KeepColors)
            font().color = startFont_.color;
        else if (st_.anchorColorSaved)
            font().color = st_.anchorSavedColor;
    }
    if (drawPass && st_.hitPending) {
        res_.HitAnchorRect = {anchorBeganThisLine_ ? st_.anchorStartX : lr.Left, lr.Top, lr.Left + lv.x, lr.Bottom};
        res_.HitAnchorIndex = st_.anchorCount;
        st_.hitPending = false;
    }
    if (st_.inFocus) {
        if (drawing(drawPass))
            drawFocus(st_.focusStartX, lr.Left + lv.x, lr, lv);
        st_.inFocus = false;
    }
    st_.inAnchor = false;
    st_.anchorStyled = false;
}

Renderer::TagEnd Renderer::imageTag(const Tag& tag, LineVals& lv, bool drawPass, const ui::Rect& lr, bool consumedAny,
                                    LineHits& hits)
{
    Pic p = resolve(tag.attr(QLatin1String("SRC"), true));
    if (p.kind == Pic::Picture) {
        const int w = tag.attr(QLatin1String("WIDTH")).toInt(), h = tag.attr(QLatin1String("HEIGHT")).toInt();
        if (w >= 1 && h >= 1) {
            p.w = w;
            p.h = h;
            p.stretched = true;
        }
    }
    if (p.kind == Pic::None)
        return TagEnd::Consumed;

    if (!drawPass) {
        if (consumedAny && lv.x + p.w > width_ && p.w < width_)
            return TagEnd::LineBefore;
        lv.height = std::max(lv.height, p.h);
        const QString align = tag.attr(QLatin1String("ALIGN"));
        if (align.startsWith(QLatin1String("TOP")))
            lv.picOff = lv.height - fontHeight();
        else if (align.startsWith(QLatin1String("MIDDLE")))
            lv.picOff = (lv.height - fontHeight()) / 2;
    } else {
        const int x = lr.Left + lv.x, y = lr.Top;
        bool onIt = false;
        if (st_.inAnchor && opt_.HitX >= x && opt_.HitX < x + p.w && opt_.HitY >= y && opt_.HitY < y + p.h) {
            onIt = true;
            hits.picture = true;
            st_.hitPending = true;
            res_.HitAnchorHref = st_.anchorHref;
        }
        if (drawing(drawPass)) {
            // The second source shows in place of the first while the point is on it.
            const QString alt = onIt ? tag.attr(QLatin1String("ALT"), true) : QString();
            Pic shown = alt.isEmpty() ? Pic() : resolve(alt);
            if (shown.kind == Pic::None) {
                shown = p;
            } else if (shown.kind == Pic::Picture && p.stretched) {
                shown.w = p.w;
                shown.h = p.h;
                shown.stretched = true;
            }
            drawPicture(shown, x, y);
        }
    }
    lv.x += p.w;
    lv.trailing = 0;
    return TagEnd::Consumed;
}

Pic Renderer::resolve(const QString& Source)
{
    Pic p;
    const QString up = html::UpperSameLength(Source);
    if (up.startsWith(QLatin1String("IDX:"))) {
        bool ok = false;
        const int n = Source.mid(4).toInt(&ok);
        if (opt_.Images && ok && n >= 0 && n < opt_.Images->Count()) {
            p.kind = Pic::Index;
            p.index = n;
            p.w = scaled(opt_.Images->Width, ppiX_);
            p.h = scaled(opt_.Images->Height, ppiY_);
        }
        return p;
    }
    if (up.startsWith(QLatin1String("SSYS:")) || up.startsWith(QLatin1String("LSYS:"))) {
        QSize size;
        p.large = up.at(0) == QLatin1Char('L');
        p.source = Source.mid(5);
        DrawSystemIcon(canvas_, 0, 0, size, 1.0, false, false, p.large, p.source);
        if (!size.isEmpty()) {
            p.kind = Pic::SysIcon;
            p.w = scaled(size.width(), ppiX_);
            p.h = scaled(size.height(), ppiY_);
        }
        return p;
    }
    THTMLPicture* pic = nullptr;
    if (!Source.contains(QLatin1Char(':'))) {
        if (opt_.Pictures)
            pic = opt_.Pictures->FindPicture(up);
    } else if (Source.contains(QLatin1String("://"))) {
        pic = fromCache(Source);
    }
    if (pic && !pic->GetEmpty()) {
        p.kind = Pic::Picture;
        p.picture = pic;
        p.w = scaled(pic->GetMaxWidth(), ppiX_);
        p.h = scaled(pic->GetMaxHeight(), ppiY_);
    }
    return p;
}

THTMLPicture* Renderer::fromCache(const QString& URL)
{
    if (!opt_.PictureCache)
        return nullptr;
    if (THTMLPicture* p = opt_.PictureCache->FindPicture(URL))
        return p;
    THTMLPicture& added = opt_.PictureCache->AddPicture();
    added.Asynchronous = false;
    try {
        added.LoadFromURL(URL);
    } catch (const std::exception&) {
        // An unreadable picture shows nothing; the cache keeps it so it is not read again.
    }
    return opt_.PictureCache->FindPicture(URL);
}

void Renderer::drawPicture(const Pic& p, int x, int y)
{
    switch (p.kind) {
    case Pic::None: break;
    case Pic::Index:
        if (opt_.Printing) {
            const ui::Rect r{x, y, x + int(std::lround(opt_.Images->Width * opt_.PrintScale)),
                             y + int(std::lround(opt_.Images->Height * opt_.PrintScale))};
            StretchBitmapToRect(canvas_, r, opt_.Images->Images[std::size_t(p.index)]);
        } else {
            opt_.Images->Draw(canvas_, x, y, p.index, true);
        }
        break;
    case Pic::SysIcon: {
        QSize size;
        DrawSystemIcon(canvas_, x, y, size, opt_.PrintScale, opt_.Printing, true, p.large, p.source);
        break;
    }
    case Pic::Picture: {
        THTMLPicture& pic = *p.picture;
        if (p.stretched) {
            canvas_.stretchDraw({x, y, x + p.w, y + p.h}, pic.Image());
        } else if (pic.GetFrameCount() > 1) {
            fill({x, y, x + p.w, y + p.h}, entryBrush_);
            const int fx = x + pic.FrameXPos(), fy = y + pic.FrameYPos();
            pic.Draw(canvas_, {fx, fy, fx + pic.GetWidth(), fy + pic.GetHeight()});
        } else {
            pic.Draw(canvas_, {x, y, x + p.w, y + p.h});
        }
        break;
    }
    }
}

void Renderer::bodyTag(const Tag& tag)
{
    const QString bg = tag.attr(QLatin1String("BGCOLOR"));
    ui::Color c = ui::clNone;
    if (bg.contains(QLatin1String("CL")))
        c = HTMLColorByName(bg.toLower());
    if (bg.contains(QLatin1Char('#')))
        c = HexToColor(bg);
    if (c != ui::clNone)
        fill(bounds_, c);

    const QString src = tag.attr(QLatin1String("BACKGROUND"), true);
    THTMLPicture* pic = nullptr;
    if (!src.isEmpty() && !src.contains(QLatin1Char(':'))) {
        if (opt_.Pictures)
            pic = opt_.Pictures->FindPicture(html::UpperSameLength(src));
    } else if (src.contains(QLatin1String("://"))) {
        pic = fromCache(src);
    }
    if (!pic || pic->GetEmpty() || pic->GetWidth() <= 0 || pic->GetHeight() <= 0 || !canvas_.painter())
        return;
    QPainter& painter = *canvas_.painter();
    painter.save();
    painter.setClipRect(bounds_.toQRect(), Qt::IntersectClip);
    const int pw = pic->GetWidth(), ph = pic->GetHeight();
    for (int y = bounds_.Top; y < bounds_.Bottom; y += ph)
        for (int x = bounds_.Left; x < bounds_.Right; x += pw)
            pic->Draw(canvas_, {x, y, x + pw, y + ph});
    painter.restore();
}

// --- drawing primitives --------------------------------------------------------------------

// The Qt font of a font, kept for the few fonts used last: a font built anew for every run
// costs more than drawing the run.
const QFont& qtFontOf(const ui::Font& f)
{
    struct Entry {
        QString name;
        int size = 0;
        ui::FontStyles style = 0;
        QFont font;
    };
    constexpr std::size_t kEntries = 4;
    thread_local std::array<Entry, kEntries> cache;
    thread_local std::size_t used = 0, next = 0;
    for (std::size_t i = 0; i < used; ++i)
        if (cache[i].size == f.size && cache[i].style == f.style && cache[i].name == f.name)
            return cache[i].font;
    Entry& e = cache[next];
    next = (next + 1) % kEntries;
    used = std::max(used, next == 0 ? kEntries : next);
    e.name = f.name;
    e.size = f.size;
    e.style = f.style;
    e.font = f.toQFont();
    return e.font;
}

void Renderer::setPainterFont()
{
    if (painterFontSet_ && painterFont_ == font())
        return;
    painterFont_ = font();
    if (!m_.deviceFont(painterFont_, qfont_))
        qfont_ = qtFontOf(painterFont_);
    canvas_.painter()->setFont(qfont_);
    painterFontSet_ = true;
}

void Renderer::drawRun(const QString& run, const QString& shown, int x, int bottom, int w, ui::Color color)
{
    QPainter* p = canvas_.painter();
    if (!p || shown.isEmpty())
        return;
    setPainterFont();
    p->setPen(ui::toQColor(color));
    const int h = fontHeight();
    const int top = bottom - h;
    const int ascent = m_.ascent(font());
    if (font().orientation != 0) {
        // The turned glyphs fill the run's box, which stands on the run's bottom: at 90
        // degrees they rise from its bottom-left corner, at 270 they fall from its top-right.
        const TurnedBox box = turnedBox(font(), w, h);
        p->save();
        p->translate(QPointF(x, bottom - box.h) + box.origin);
        p->rotate(-font().orientation / 10.0);
        p->drawText(QPoint(0, ascent), shown);
        p->restore();
        return;
    }
    const int right = bounds_.Right;
    const bool special = run.contains(QLatin1Char('&')) || run.contains(QLatin1Char('\t'));
    const bool tooWide = !opt_.WordWrap && x + w > right;
    if (!special && !tooWide) {
        p->drawText(QPoint(x, top + ascent), shown);
        return;
    }
    const QRect box(x, top, std::max(0, right - x), h);
    QString t = run;
    if (tooWide)
        t = QFontMetrics(qfont_).elidedText(run, Qt::ElideRight, box.width(), Qt::TextShowMnemonic);
    p->drawText(box, Qt::AlignLeft | Qt::AlignBottom | Qt::TextSingleLine | Qt::TextExpandTabs | Qt::TextShowMnemonic,
                t);
}

void Renderer::drawFocus(int x0, int x1, const ui::Rect& lr, const LineVals& lv)
{
    QPainter* p = canvas_.painter();
    if (!p)
        return;
    const int bottom = lr.Bottom - lv.picOff;
    const QRect r(x0 - 1, bottom - fontHeight(), x1 - x0 + 2, fontHeight());
    p->save();
    QPen pen(ui::toQColor(font().color));
    pen.setStyle(Qt::DotLine);
    p->setPen(pen);
    p->setBrush(Qt::NoBrush);
    p->drawRect(r.adjusted(0, 0, -1, -1));
    p->restore();
}

void Renderer::drawZigzag(int x0, int x1, int bottom)
{
    const ui::Pen saved = canvas_.pen;
    canvas_.pen = ui::Pen{ui::clRed, 1};
    int x = x0 - (((x0 % 2) + 2) % 2); // down to even
    bool low = ((x % 4) + 4) % 4 == 0;
    canvas_.moveTo(x, low ? bottom + 1 : bottom - 1);
    for (x += 2; x <= x1; x += 2) {
        low = !low;
        canvas_.lineTo(x, low ? bottom + 1 : bottom - 1);
    }
    canvas_.pen = saved;
}

void Renderer::fill(const ui::Rect& r, ui::Color c)
{
    if (c == ui::clNone || !canvas_.painter())
        return;
    const ui::Brush saved = canvas_.brush;
    canvas_.brush = ui::Brush{c, ui::BrushStyle::Solid};
    canvas_.fillRect(r);
    canvas_.brush = saved;
}

void Renderer::line(int x0, int y, int x1, ui::Color c)
{
    const ui::Pen saved = canvas_.pen;
    canvas_.pen = ui::Pen{c, 1};
    canvas_.moveTo(x0, y);
    canvas_.lineTo(x1, y);
    canvas_.pen = saved;
}

} // namespace

bool RenderHTMLText(ui::Canvas& Canvas, const QString& Text, const ui::Rect& Bounds, const THTMLRenderOptions& Options,
                    THTMLRenderResult& Result)
{
    Result = THTMLRenderResult();
    Renderer r(Canvas, Bounds, Options, Result);
    return r.run(Text);
}

} // namespace grid
