#include "platform/report/Report.h"

#include "platform/report/Mask.h"
#include "platform/report/RowSource.h"

#include <QTextDocument>

#include <algorithm>
#include <cmath>
#include <optional>
#include <tuple>
#include <utility>

namespace report {

// ---- Band -------------------------------------------------------------------------------------

namespace {

template <class T>
std::unique_ptr<T> placed(const QString& name, double x, double y, double width, double height = 0)
{
    auto e = std::make_unique<T>(name);
    e->x = x;
    e->y = y;
    e->width = width;
    e->height = height;
    return e;
}

template <class T>
std::unique_ptr<T> textElement(const QString& name, double x, double y, double width, Align align, const FontSpec& font)
{
    auto e = placed<T>(name, x, y, width);
    e->align = align;
    e->font = font;
    return e;
}

} // namespace

Label* Band::addLabel(const QString& name, double x, double y, const QString& caption, const FontSpec& font,
                      Align align, double width)
{
    auto e = textElement<Label>(name, x, y, width, align, font);
    e->caption = caption;
    return add(std::move(e));
}

DataText* Band::addData(const QString& name, double x, double y, double width, Align align, const FontSpec& font,
                        RowSource* source, const QString& field, const QString& mask)
{
    auto e = textElement<DataText>(name, x, y, width, align, font);
    e->source = source;
    e->field = field;
    e->mask = mask;
    return add(std::move(e));
}

ExprText* Band::addExpr(const QString& name, double x, double y, double width, Align align, const FontSpec& font,
                        std::function<QString(const LayoutContext&)> expression)
{
    auto e = textElement<ExprText>(name, x, y, width, align, font);
    e->expression = std::move(expression);
    return add(std::move(e));
}

ExprText* Band::addSumText(const QString& name, double x, double y, double width, Align align, const FontSpec& font,
                           const Sum* sum, const QString& mask)
{
    return addExpr(name, x, y, width, align, font,
                   [sum, mask](const LayoutContext&) { return formatNumber(sum->total(), mask); });
}

ImageBox* Band::addImage(const QString& name, double x, double y, double width, double height)
{
    return add(placed<ImageBox>(name, x, y, width, height));
}

LineElement* Band::addLine(const QString& name, double x1, double y1, double x2, double y2, double penWidth,
                           Qt::PenStyle style)
{
    auto e = placed<LineElement>(name, x1, y1, x2 - x1, y2 - y1);
    e->penWidth = penWidth;
    e->penStyle = style;
    return add(std::move(e));
}

RichTextBox* Band::addRichText(const QString& name, double x, double y, double width, double height,
                               const FontSpec& font, RowSource* source, const QString& field)
{
    auto e = placed<RichTextBox>(name, x, y, width, height);
    e->font = font;
    e->source = source;
    e->field = field;
    return add(std::move(e));
}

Element* Band::find(const QString& name) const
{
    for (const auto& e : elements_)
        if (e->name.compare(name, Qt::CaseInsensitive) == 0)
            return e.get();
    return nullptr;
}

double Band::layoutHeight(const LayoutContext& ctx) const
{
    std::vector<DrawItem> scratch;
    return layOut(ctx, QPointF(0, 0), scratch);
}

namespace {

// The least space kept between a cell that takes free room and what prints beside it.
constexpr double kRoomGap = 0.5;

// Where an element of a row prints across, as its neighbours see it.
TextElement::Reach reachOf(const LayoutContext& ctx, const Element* e)
{
    if (auto* t = dynamic_cast<const TextElement*>(e)) {
        if (t->shrinkToFit && t->width > 0)
            return t->reach(ctx);
        const QString text = t->text(ctx);
        const QRectF r = t->textRect(ctx, text);
        return {r.left(), r.right(), false, !text.isEmpty()};
    }
    if (dynamic_cast<const LineElement*>(e))
        return {0, 0, false, false}; // a rule runs under or over texts, never beside them
    const double a = e->x, b = e->x + e->width;
    return {std::min(a, b), std::max(a, b)};
}

} // namespace

std::vector<Band::Room> Band::freeRoom(const LayoutContext& ctx, const std::vector<const Element*>& row)
{
    // A cell too wide for its box even at the smallest size takes the room beside it up to what
    // the row's other elements print (a short rate in its column leaves room at its sides), and
    // at the row's ends up to the band's edges; so a number is read whole. Cells are given room
    // from left to right, each seeing the room taken by those before it. Where that is still too
    // little, the cells of one word (a number, a rate, a code) that end its room print in the
    // smallest size too, where that moves their text away from it (a cell on its right aligned
    // right or centred, one on its left aligned left or centred), and leave it the room they no
    // longer need; where even that is too little, they keep their sizes.
    std::vector<Room> room(row.size());
    std::vector<TextElement::Reach> reach(row.size());
    const auto reachIn = [&](size_t i) {
        LayoutContext roomy = ctx;
        roomy.roomLeft = room[i].left;
        roomy.roomRight = room[i].right;
        roomy.maxSize = room[i].maxSize;
        return reachOf(roomy, row[i]);
    };
    bool any = false;
    for (size_t i = 0; i < row.size(); ++i) {
        reach[i] = reachOf(ctx, row[i]);
        any = any || reach[i].tooWide;
    }
    if (!any)
        return room;
    std::vector<size_t> byX(row.size());
    for (size_t i = 0; i < byX.size(); ++i)
        byX[i] = i;
    std::stable_sort(byX.begin(), byX.end(), [&row](size_t a, size_t b) { return row[a]->x < row[b]->x; });
    constexpr size_t none = size_t(-1);
    for (size_t i : byX) {
        if (!reach[i].tooWide)
            continue;
        const Element* e = row[i];
        const double centre = e->x + e->width / 2;
        size_t leftOf = none, rightOf = none; // the elements that end its room
        const auto giveRoom = [&] {
            double leftLimit = 0, rightLimit = ctx.width > 0 ? ctx.width : e->x + e->width;
            leftOf = rightOf = none;
            for (size_t j = 0; j < row.size(); ++j) {
                if (j == i || !reach[j].prints)
                    continue;
                if ((reach[j].left + reach[j].right) / 2 < centre) {
                    if (reach[j].right > leftLimit) {
                        leftLimit = reach[j].right;
                        leftOf = j;
                    }
                } else if (reach[j].left < rightLimit) {
                    rightLimit = reach[j].left;
                    rightOf = j;
                }
            }
            room[i].left = std::max(0.0, e->x - leftLimit - kRoomGap);
            room[i].right = std::max(0.0, rightLimit - kRoomGap - (e->x + e->width));
            reach[i] = reachIn(i);
        };
        giveRoom();
        if (!reach[i].tooWide)
            continue;
        const auto yields = [&](size_t j, Align away) {
            const auto* t = j == none ? nullptr : dynamic_cast<const TextElement*>(row[j]);
            return t && t->shrinkToFit && t->width > 0 && (t->align == away || t->align == Align::Center)
                && room[j].maxSize == 0 && !t->text(ctx).contains(u' ');
        };
        const std::vector<Room> before = room;
        const std::vector<TextElement::Reach> reachBefore = reach;
        bool yielded = false;
        for (const auto& [j, away] : {std::pair{leftOf, Align::Left}, std::pair{rightOf, Align::Right}})
            if (yields(j, away)) {
                const auto* t = static_cast<const TextElement*>(row[j]);
                room[j].maxSize = std::min(t->minSize, t->font.size > 0 ? t->font.size : t->minSize);
                reach[j] = reachIn(j);
                yielded = true;
            }
        if (yielded)
            giveRoom();
        if (reach[i].tooWide) { // no help: the neighbours keep their sizes
            room = before;
            reach = reachBefore;
        }
    }
    return room;
}

double Band::layOut(const LayoutContext& ctx, QPointF origin, std::vector<DrawItem>& out) const
{
    // A band keeps its given height and grows only for the elements that stretch, so page breaks
    // and page counts are the designed ones. What lies under a stretching element (below its
    // designed top, across the same columns) moves down by as much as that element grew, so a
    // wrapped text never runs over the element under it. Elements are placed top to bottom.
    std::vector<const Element*> order;
    order.reserve(elements_.size());
    for (const auto& e : elements_)
        if (e->shows(ctx))
            order.push_back(e.get());
    std::stable_sort(order.begin(), order.end(), [](const Element* a, const Element* b) { return a->y < b->y; });

    struct Grown {
        double top, left, right; // the element's designed top and its columns (band millimetres)
        double by;               // how far what lies under it moves down
    };
    struct Placed {
        const Element* e;
        size_t first, last; // its draw items
        double left, right, bottom;
    };
    std::vector<Grown> grown;
    std::vector<Placed> row;
    std::vector<const Element*> cells;
    double h = height;
    for (size_t at = 0; at < order.size();) {
        // One row: the elements with the same designed top move down together, as a table row.
        row.clear();
        cells.clear();
        const double top = order[at]->y;
        for (; at < order.size() && std::abs(order[at]->y - top) < 1e-6; ++at)
            cells.push_back(order[at]);
        const size_t rowStart = out.size();
        const auto layRow = [&](const std::vector<Room>* room) {
            LayoutContext roomy = ctx;
            bool broken = false; // a cell went over lines
            for (size_t c = 0; c < cells.size(); ++c) {
                const Element* e = cells[c];
                const size_t first = out.size();
                if (room) {
                    roomy.roomLeft = (*room)[c].left;
                    roomy.roomRight = (*room)[c].right;
                    roomy.maxSize = (*room)[c].maxSize;
                }
                const double bottom = e->layOutAndMeasure(room ? roomy : ctx, origin, out);
                double left = e->x, right = e->x + std::max(e->width, 0.0);
                if (out.size() > first) {
                    left = right = out[first].rect.left() - origin.x();
                    for (size_t i = first; i < out.size(); ++i) {
                        left = std::min(left, out[i].rect.left() - origin.x());
                        right = std::max(right, out[i].rect.right() - origin.x());
                    }
                    const auto* t = dynamic_cast<const TextElement*>(e);
                    broken = broken || (t && t->shrinkToFit && out.back().text.contains(u'\n'));
                }
                row.push_back({e, first, out.size(), left, right, bottom});
            }
            return broken;
        };
        // Laid out as designed; a row where a cell had to go over lines is laid out again, each
        // cell taking the free room beside it.
        if (layRow(nullptr)) {
            out.resize(rowStart);
            row.clear();
            const std::vector<Room> room = freeRoom(ctx, cells);
            layRow(&room);
        }
        double shift = 0;
        for (const Placed& p : row)
            for (const Grown& g : grown)
                if (g.top < top - 1e-9 && g.left < p.right && p.left < g.right)
                    shift = std::max(shift, g.by);
        for (const Placed& p : row) {
            for (size_t i = p.first; i < p.last; ++i)
                out[i].rect.translate(0, shift);
            const double growth = p.e->stretch ? std::max(0.0, p.bottom - p.e->designedBottom(ctx)) : 0.0;
            if (shift + growth > 0)
                grown.push_back({top, p.left, p.right, shift + growth});
            // Over a rule, a text that grew or moved down keeps the room its design gave it
            // above the band's bottom: the rule stays clear of its last line's descenders.
            const double room = bottomRule ? std::max(0.0, height - p.e->designedBottom(ctx)) : 0.0;
            if (p.e->stretch || shift > 0)
                h = std::max(h, p.bottom + shift + (shift + growth > 0 ? room : 0.0));
        }
    }
    return h;
}

Band* Group::setFooter(double height)
{
    footer_ = std::make_unique<Band>(BandKind::GroupFooter, height);
    return footer_.get();
}

Band* SubDetail::setHeader(double height)
{
    header_ = std::make_unique<Band>(BandKind::SubDetailHeader, height);
    return header_.get();
}

Band* SubDetail::setFooter(double height)
{
    footer_ = std::make_unique<Band>(BandKind::SubDetailFooter, height);
    return footer_.get();
}

// ---- Report -----------------------------------------------------------------------------------

Report::Report() = default;
Report::~Report() = default;

Band* Report::setBand(BandKind kind, double height)
{
    for (auto& b : bands_)
        if (b->kind == kind) {
            b->height = height;
            return b.get();
        }
    bands_.push_back(std::make_unique<Band>(kind, height));
    return bands_.back().get();
}

Band* Report::band(BandKind kind) const
{
    for (const auto& b : bands_)
        if (b->kind == kind)
            return b.get();
    return nullptr;
}

Group* Report::addGroup(std::function<QString()> expression, double headerHeight)
{
    auto g = std::make_unique<Group>();
    g->expression = std::move(expression);
    g->header_ = std::make_unique<Band>(BandKind::GroupHeader, headerHeight);
    groups_.push_back(std::move(g));
    return groups_.back().get();
}

SubDetail* Report::addSubDetail(RowSource* source, double detailHeight)
{
    auto s = std::make_unique<SubDetail>();
    s->source = source;
    s->detail_ = std::make_unique<Band>(BandKind::SubDetail, detailHeight);
    subDetails_.push_back(std::move(s));
    return subDetails_.back().get();
}

Sum* Report::addSum(const Band* countOn, std::function<double()> value, const Band* resetAfter)
{
    auto s = std::make_unique<Sum>();
    s->value = std::move(value);
    sums_.push_back({std::move(s), countOn, resetAfter});
    return sums_.back().sum.get();
}

Sum* Report::addFieldSum(const Band* countOn, RowSource* source, const QString& field, const Band* resetAfter)
{
    return addSum(
        countOn,
        [source, field] {
            if (!source || source->eof())
                return 0.0;
            const QVariant v = source->value(field);
            if (v.typeId() == QMetaType::QString) {
                QString s = v.toString().trimmed();
                s.replace(u',', u'.');
                return s.toDouble();
            }
            return v.toDouble();
        },
        resetAfter);
}

Element* Report::find(const QString& name) const
{
    auto look = [&](const Band* b) -> Element* { return b ? b->find(name) : nullptr; };
    for (const auto& b : bands_)
        if (Element* e = look(b.get()))
            return e;
    for (const auto& g : groups_) {
        if (Element* e = look(g->header()))
            return e;
        if (Element* e = look(g->footer()))
            return e;
    }
    for (const auto& s : subDetails_) {
        if (Element* e = look(s->header()))
            return e;
        if (Element* e = look(s->detail()))
            return e;
        if (Element* e = look(s->footer()))
            return e;
    }
    return nullptr;
}

// ---- Layout -----------------------------------------------------------------------------------

class Layouter {
public:
    Layouter(Report& r, PageSink& sink) : r_(r), sink_(sink)
    {
        ctx_.pageCount = r.lastPageCount_;
        ctx_.baseFont = r.baseFont;
        ctx_.width = r.page.bodyWidth();
        ctx_.title = r.title;
        for (const auto& s : r.sums_)
            s.sum->reset();
    }

    int run()
    {
        sink_.begin(r_.page, r_.title);
        startPage();
        if (RowSource* src = r_.source_) {
            runRows(*src);
        } else {
            master_.reset();
            if (Band* d = r_.band(BandKind::Detail)) {
                place(*d);
                master_ = lastPlaced_;
            }
            runSubDetails();
        }
        if (Band* s = r_.band(BandKind::Summary))
            place(*s);
        finishPage(true);
        sink_.end();
        return pages_;
    }

private:
    void runRows(RowSource& src)
    {
        const auto& groups = r_.groups_;
        std::vector<QString> keys(groups.size());
        std::vector<QString> now(groups.size());
        bool firstRow = true;
        src.first();
        while (!src.eof()) {
            for (size_t i = 0; i < groups.size(); ++i)
                now[i] = groups[i]->expression ? groups[i]->expression() : QString();
            size_t breakAt = groups.size();
            if (firstRow) {
                breakAt = 0;
            } else {
                for (size_t i = 0; i < groups.size(); ++i)
                    if (now[i] != keys[i]) {
                        breakAt = i;
                        break;
                    }
            }
            if (!firstRow)
                closeGroups(breakAt);
            for (size_t i = breakAt; i < groups.size(); ++i) {
                Group& g = *groups[i];
                if (g.newPage && !firstRow && bodyOnPage_)
                    newPage();
                if (g.header()->visible)
                    place(*g.header());
                openGroups_ = i + 1;
            }
            keys.swap(now);
            firstRow = false;
            master_.reset();
            if (Band* d = r_.band(BandKind::Detail)) {
                place(*d);
                master_ = lastPlaced_;
            }
            runSubDetails();
            src.next();
        }
        if (!firstRow)
            closeGroups(0);
    }

    // Footers of the open groups from the innermost down to `level`. A group stays open while its
    // footer is placed: a footer moved to a new page is headed by its group there.
    void closeGroups(size_t level)
    {
        while (openGroups_ > level) {
            if (Band* f = r_.groups_[openGroups_ - 1]->footer())
                place(*f);
            --openGroups_;
        }
    }

    void runSubDetails()
    {
        for (const auto& sd : r_.subDetails_) {
            RowSource* src = sd->source;
            if (!src)
                continue;
            src->first();
            const bool empty = src->eof();
            const bool header = sd->header() && (!empty || sd->printHeaderIfEmpty);
            // What must follow the master row on its page: the header with the first row, or
            // the footer of no rows.
            std::vector<const Band*> first;
            if (header)
                first.push_back(sd->header());
            if (!empty)
                first.push_back(sd->detail());
            else if (sd->footer() && sd->printFooterIfEmpty)
                first.push_back(sd->footer());
            if (sd->reprintOnNewPage)
                keepWithMaster(first);
            master_.reset();
            running_ = {sd.get(), false}; // a header moved to a new page is headed by its master there
            if (header)
                place(*sd->header());
            running_.header = header;
            while (!src->eof()) {
                place(*sd->detail());
                src->next();
            }
            running_.header = false; // only the footer is left: no captions over nothing
            if (sd->footer() && (!empty || sd->printFooterIfEmpty))
                place(*sd->footer());
            running_ = {};
        }
    }

    // A master row whose sub-detail would begin only on the next page goes there with it, rather
    // than standing alone at the page's foot and being repeated at the next page's top: each
    // row prints once. A master that began its page stays.
    void keepWithMaster(const std::vector<const Band*>& first)
    {
        if (!master_ || !master_->movable || !r_.band(BandKind::Detail))
            return;
        const size_t mark = page_.items.size();
        double h = 0;
        for (const Band* b : first)
            if (b->visible)
                h += layOutAt(*b, y_ + h);
        page_.items.resize(mark);
        if (y_ + h <= limit() + 1e-9)
            return;
        page_.items.resize(master_->mark);
        y_ = master_->top;
        newPage();
        const Band& d = *r_.band(BandKind::Detail);
        const double hd = layOutAt(d, y_);
        finish(d, y_, hd, false); // counted where it was first placed
        y_ += hd;
        bodyOnPage_ = true;
    }

    double footerHeight()
    {
        // The page footer's height is the same on every page unless its texts wrap differently;
        // it is measured once per page.
        if (footerHeightPage_ != page_.number) {
            const Band* f = r_.band(BandKind::PageFooter);
            footerHeight_ = f && f->visible ? f->layoutHeight(ctx_) : 0.0;
            footerHeightPage_ = page_.number;
        }
        return footerHeight_;
    }

    double limit() { return r_.page.bodyHeight() - footerHeight(); }

    // A body band: moves to a new page when it does not fit (unless the page holds no body yet).
    // The band is laid out once where it would go; when it has to move, it is laid out again on
    // the new page (whose page start may have changed what it shows).
    void place(const Band& band)
    {
        if (!band.visible)
            return;
        size_t mark = page_.items.size();
        double h = layOutAt(band, y_);
        const bool moves = y_ + h > limit() + 1e-9 && bodyOnPage_;
        lastPlaced_ = {mark, y_, bodyOnPage_ && !moves};
        if (moves) {
            page_.items.resize(mark);
            newPage();
            mark = page_.items.size();
            lastPlaced_ = {mark, y_, false};
            h = layOutAt(band, y_);
        }
        finish(band, y_, h);
        y_ += h;
        bodyOnPage_ = true;
    }

    // Lays a band's elements out at `top` (millimetres below the top margin) on the current page.
    double layOutAt(const Band& band, double top)
    {
        const QPointF origin(r_.page.marginLeft, r_.page.marginTop + top);
        return band.layOut(ctx_, origin, page_.items);
    }

    // What follows a band placed at `top` with height `h`: its rule and its sums.
    void finish(const Band& band, double top, double h, bool count = true)
    {
        if (band.bottomRule) {
            DrawItem rule;
            rule.kind = DrawItem::Kind::Line;
            rule.name = band.name + QStringLiteral(".rule");
            rule.rect = QRectF(r_.page.marginLeft, r_.page.marginTop + top + h, r_.page.bodyWidth(), 0);
            rule.penWidth = 1;
            page_.items.push_back(std::move(rule));
        }
        for (const auto& s : r_.sums_)
            if (count && s.countOn == &band)
                s.sum->add();
        for (const auto& s : r_.sums_)
            if (s.resetAfter == &band)
                s.sum->reset();
    }

    // Page-top band: no fitting, not body. A header repeated where its rows continue is laid out
    // as continued, and counts in no sum (it is no new row).
    void putTop(const Band* band, bool repeated = false)
    {
        if (!band || !band->visible)
            return;
        ctx_.continued = repeated;
        const double h = layOutAt(*band, y_);
        ctx_.continued = false;
        finish(*band, y_, h, !repeated);
        y_ += h;
    }

    void startPage()
    {
        page_ = Page();
        page_.number = ++pages_;
        ctx_.pageNumber = page_.number;
        y_ = 0;
        bodyOnPage_ = false;
        if (r_.onStartPage)
            r_.onStartPage(ctx_.pageNumber);
        putTop(r_.band(BandKind::PageHeader));
        if (ctx_.pageNumber == 1 && r_.band(BandKind::Title)) {
            putTop(r_.band(BandKind::Title));
        }
        putTop(r_.band(BandKind::ColumnHeader));
        for (size_t i = 0; i < openGroups_; ++i) {
            const Group& g = *r_.groups_[i];
            if (g.reprintOnNewPage)
                putTop(g.header(), true);
        }
        if (running_.sub && running_.sub->reprintOnNewPage) {
            putTop(r_.band(BandKind::Detail), true);
            if (running_.header)
                putTop(running_.sub->header(), true);
        }
    }

    void finishPage(bool last)
    {
        const Band* f = r_.band(BandKind::PageFooter);
        const int n = ctx_.pageNumber;
        if (f && f->visible && !((n == 1 && !r_.pageFooterOnFirstPage) || (last && !r_.pageFooterOnLastPage))) {
            const double h = f->layoutHeight(ctx_);
            const double top = r_.page.bodyHeight() - h;
            layOutAt(*f, top);
            finish(*f, top, h);
        }
        sink_.page(std::move(page_));
        page_ = Page();
    }

    void newPage()
    {
        finishPage(false);
        startPage();
    }

    Report& r_;
    PageSink& sink_;
    Page page_;
    int pages_ = 0;
    LayoutContext ctx_;
    double y_ = 0;
    bool bodyOnPage_ = false;
    size_t openGroups_ = 0;
    struct Running {
        const SubDetail* sub = nullptr; // the sub-detail whose rows or footer are being placed
        bool header = false;            // its header heads its rows
    } running_;
    struct Placed {
        size_t mark = 0;      // its first draw item on the page
        double top = 0;       // where it was placed
        bool movable = false; // something of the page's body lies before it
    };
    Placed lastPlaced_;            // the body band placed last
    std::optional<Placed> master_; // the detail row just placed, while nothing follows it yet
    double footerHeight_ = 0;
    int footerHeightPage_ = -1;
};

PageList Report::prepare()
{
    PageCollector pages;
    run(pages);
    return pages.take();
}

int Report::run(PageSink& sink)
{
    const FormatsScope formats; // the regional settings as they are when the run starts
    Layouter layouter(*this, sink);
    const int count = layouter.run();
    lastPageCount_ = count;
    return count;
}

// ---- PageList ---------------------------------------------------------------------------------

QStringList Page::texts() const
{
    std::vector<const DrawItem*> texts;
    for (const auto& item : items)
        if (item.kind == DrawItem::Kind::Text || item.kind == DrawItem::Kind::RichText)
            texts.push_back(&item);
    std::stable_sort(texts.begin(), texts.end(), [](const DrawItem* a, const DrawItem* b) {
        const double ya = std::round(a->rect.top() * 10), yb = std::round(b->rect.top() * 10);
        if (ya != yb)
            return ya < yb;
        return a->rect.left() < b->rect.left();
    });
    QStringList out;
    for (const DrawItem* item : texts) {
        if (item->kind == DrawItem::Kind::RichText) {
            QTextDocument doc;
            if (Qt::mightBeRichText(item->text))
                doc.setHtml(item->text);
            else
                doc.setPlainText(item->text);
            out << doc.toPlainText();
        } else {
            out << item->text;
        }
    }
    return out;
}

const DrawItem* Page::find(const QString& name) const
{
    for (const auto& item : items)
        if (item.name.compare(name, Qt::CaseInsensitive) == 0)
            return &item;
    return nullptr;
}

double PageSetup::paperWidth() const { return orientation == PageOrientation::Portrait ? 210.0 : 297.0; }
double PageSetup::paperHeight() const { return orientation == PageOrientation::Portrait ? 297.0 : 210.0; }

} // namespace report
