#include "platform/ui/WindowFit.h"

#include <QAbstractItemView>
#include <QHBoxLayout>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <tuple>
#include <utility>
#include <vector>

namespace ui {

namespace {
const char* const kFirstInput = "ui_firstInput";
const char* const kDesignedSize = "ui_scrollsAsWhole";

// A scroll area that asks for the whole of what it holds (the stock one asks for a screenful of
// text lines at most), so that a window with room enough opens at its designed size.
class WholeScrollArea : public QScrollArea {
public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override { return widget() ? widget()->size() : QScrollArea::sizeHint(); }
};

bool takesTab(QWidget* window, QWidget* w)
{
    return w && window->isAncestorOf(w) && w->isEnabled() && w->isVisibleTo(window)
        && (w->focusPolicy() & Qt::TabFocus);
}
} // namespace

void setFirstInput(QWidget* window, QWidget* input)
{
    window->setProperty(kFirstInput, QVariant::fromValue<QObject*>(input));
}

void focusFirstInput(QWidget* window)
{
    if (auto* named = qobject_cast<QWidget*>(window->property(kFirstInput).value<QObject*>());
        takesTab(window, named)) {
        named->setFocus(Qt::TabFocusReason);
        return;
    }
    for (QWidget* w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain()) {
        if (!takesTab(window, w))
            continue;
        w->setFocus(Qt::TabFocusReason);
        return;
    }
}

namespace {

// The least space kept between two rows of controls when a window is fitted.
constexpr int kMinBand = 8;
// The margin of a window's edge around its controls and between the buttons of a row.
constexpr int kRowMargin = 8;

bool isFixed(const QWidget* w) { return w->minimumSize() == w->maximumSize(); }

} // namespace

int rowEndAtOrAbove(QWidget* content, int height)
{
    // The lowest place at or above `height` that no shown control straddles.
    std::vector<std::pair<int, int>> spans;
    for (QWidget* c : content->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!c->isWindow() && !c->isHidden())
            spans.emplace_back(c->y(), c->y() + c->height());
    for (int y = std::min(height, content->height()); y > 0; --y) {
        const bool cuts =
            std::any_of(spans.begin(), spans.end(), [y](const auto& s) { return s.first < y && y < s.second; });
        if (!cuts)
            return y;
    }
    return height;
}

void scrollToTop(QWidget* window)
{
    if (auto* area = window->findChild<QScrollArea*>(QString(), Qt::FindDirectChildrenOnly)) {
        area->verticalScrollBar()->setValue(0);
        area->horizontalScrollBar()->setValue(0);
    }
}

QSize fitFixedLayout(QWidget* window, QSize room, FitSteps steps)
{
    int need = window->height() - room.height();
    if (need <= 0 || room.isEmpty())
        return window->size();
    std::vector<QWidget*> children;
    std::vector<QAbstractItemView*> grids;
    for (QWidget* c : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (c->isWindow())
            continue;
        children.push_back(c);
        if (auto* g = qobject_cast<QAbstractItemView*>(c); g && !g->isHidden())
            grids.push_back(g);
    }
    std::sort(grids.begin(), grids.end(), [](QWidget* a, QWidget* b) { return a->y() < b->y(); });
    int given = 0;
    // Moves up by `give` whatever begins at `below` or lower.
    const auto closeUp = [&](int below, int give) {
        for (QWidget* c : children)
            if (c->y() >= below)
                c->move(c->x(), c->y() - give);
        need -= give;
        given += give;
    };
    const auto shrinkGrids = [&](int least) {
        for (QAbstractItemView* g : grids) {
            const int give = std::min(need, g->height() - least);
            if (give <= 0)
                continue;
            const int below = g->y() + g->height();
            g->resize(g->width(), g->height() - give);
            closeUp(below, give);
            if (need <= 0)
                return;
        }
    };
    // The grids first, the top one first; then the empty bands between rows of controls, the
    // lowest first (a band of nothing above the buttons); then the grids down to a row or two.
    shrinkGrids(kMinGridHeight);
    while (need > 0 && steps == FitSteps::All) {
        std::vector<std::pair<int, int>> used; // [top, bottom) of what is shown
        for (QWidget* c : children)
            if (!c->isHidden())
                used.emplace_back(c->y(), c->y() + c->height());
        std::sort(used.begin(), used.end());
        int bandTop = -1, bandBottom = -1, reach = 0;
        for (const auto& [top, bottom] : used) {
            if (top - reach > kMinBand)
                std::tie(bandTop, bandBottom) = std::pair(reach, top);
            reach = std::max(reach, bottom);
        }
        if (bandTop < 0)
            break;
        closeUp(bandBottom, std::min(need, bandBottom - bandTop - kMinBand));
    }
    if (need > 0)
        shrinkGrids(kLeastGridHeight);
    const QSize size(window->width(), window->height() - given);
    if (isFixed(window))
        window->setFixedSize(size);
    else
        window->resize(size);
    return size;
}

void scrollAsWhole(QWidget* window, std::initializer_list<QWidget*> buttonsLeft,
                   std::initializer_list<QWidget*> buttonsRight)
{
    std::vector<QWidget*> chain;
    for (QWidget* w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain())
        if (window->isAncestorOf(w))
            chain.push_back(w);
    // The scroll area and the button row come first in the focus chain: the first input is
    // named, as it was before them.
    if (!window->property(kFirstInput).isValid())
        for (QWidget* w : chain)
            if (takesTab(window, w)) {
                setFirstInput(window, w);
                break;
            }
    std::vector<QWidget*> buttons(buttonsLeft);
    buttons.insert(buttons.end(), buttonsRight);
    const auto inRow = [&buttons](const QWidget* c) {
        return std::find(buttons.begin(), buttons.end(), c) != buttons.end();
    };
    // Without its buttons, the controls end where the lowest of the others ends.
    QSize designed = window->size();
    if (!buttons.empty()) {
        int bottom = 0;
        for (QWidget* c : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!c->isWindow() && !inRow(c) && !c->isHidden())
                bottom = std::max(bottom, c->y() + c->height());
        designed.setHeight(std::min(designed.height(), bottom + kRowMargin));
    }
    auto* content = new QWidget;
    content->setObjectName(window->objectName() + QStringLiteral("_Controls"));
    content->setFixedSize(designed);
    for (QWidget* c : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (c->isWindow() || inRow(c))
            continue;
        const bool hidden = c->testAttribute(Qt::WA_WState_ExplicitShowHide) && c->testAttribute(Qt::WA_WState_Hidden);
        c->setParent(content); // its geometry stays
        c->setVisible(!hidden);
    }
    auto* area = new WholeScrollArea(window);
    area->setObjectName(window->objectName() + QStringLiteral("_Scroll"));
    area->setFrameShape(QFrame::NoFrame);
    area->setFocusPolicy(Qt::NoFocus); // the controls in it take the focus, not the area
    area->setWidget(content);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(area);
    if (!buttons.empty()) {
        // The window's own buttons in one row under the scrolled controls, always in sight.
        auto* bar = new QWidget(window);
        bar->setObjectName(window->objectName() + QStringLiteral("_Buttons"));
        auto* row = new QHBoxLayout(bar);
        row->setContentsMargins(kRowMargin, kRowMargin / 2, kRowMargin, kRowMargin);
        row->setSpacing(kRowMargin);
        int high = 0;
        const auto add = [&](QWidget* b) {
            b->setFixedSize(b->size());
            high = std::max(high, b->height());
            row->addWidget(b);
        };
        for (QWidget* b : buttonsLeft)
            add(b);
        row->addStretch(1);
        for (QWidget* b : buttonsRight)
            add(b);
        bar->setFixedHeight(high + kRowMargin / 2 + kRowMargin);
        layout->addWidget(bar);
        designed.rheight() += bar->height();
    }
    window->setMinimumSize(0, 0);
    window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    window->setProperty(kDesignedSize, designed);
    window->resize(designed);
    for (size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void fitSubWindow(QMdiSubWindow* frame)
{
    QMdiArea* area = frame ? frame->mdiArea() : nullptr;
    QWidget* window = frame ? frame->widget() : nullptr;
    if (!area || !window || !area->isVisible())
        return;
    const QSize room = area->viewport()->size();
    const QSize border = frame->size() - window->size();
    if (const QVariant designed = window->property(kDesignedSize); designed.isValid()) {
        // The room there is (the work space may have cut the frame to it already). Where it is
        // short, the grids give up rows first; what still does not fit scrolls, by a bar that
        // takes its own room beside the controls where the work space has it, and the scrolled
        // area ends where a row of controls ends, so no control shows cut in half.
        const QSize free = room - border;
        const int bar = window->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, window);
        auto* area = window->findChild<QScrollArea*>(QString(), Qt::FindDirectChildrenOnly);
        QWidget* content = area ? area->widget() : nullptr;
        QSize want = designed.toSize();
        if (content && want.height() > free.height()) {
            const int others = want.height() - content->height(); // the button row
            const int before = content->height();
            fitFixedLayout(content, QSize(content->width(), free.height() - others), FitSteps::GridsOnly);
            want.rheight() -= before - content->height();
        }
        const int across = want.width() > free.width() ? bar : 0; // a bar under the controls
        if (want.height() + across > free.height()) {
            want.rwidth() += bar;
            if (content) {
                const int others = want.height() - content->height();
                want.setHeight(others + rowEndAtOrAbove(content, free.height() - others - across));
            }
        }
        want.rheight() += across;
        frame->resize(want.boundedTo(free) + border);
        return;
    }
    if (frame->width() <= room.width() && frame->height() <= room.height())
        return;
    if (isFixed(window)) {
        fitFixedLayout(window, room - border);
        frame->resize(window->size() + border);
    } else {
        frame->resize(frame->size().boundedTo(room).expandedTo(frame->minimumSizeHint()));
    }
}

void fitToScreen(QWidget* window)
{
    QScreen* screen = window->screen();
    if (!screen)
        return;
    const QRect free = screen->availableGeometry();
    // Before the first showing the window system has not told the frame yet: allow for one.
    QSize border = window->frameGeometry().size() - window->size();
    if (border.isNull())
        border = QSize(16, 48);
    const QSize room = free.size() - border;
    // A window whose layout fixes it at its contents' size (a list's column widths, however wide)
    // keeps a fixed size, that of its contents as far as the screen has room: its list scrolls.
    if (QLayout* l = window->layout(); l && l->sizeConstraint() == QLayout::SetFixedSize) {
        const QSize hint = l->totalSizeHint();
        if (hint.width() > room.width() || hint.height() > room.height()) {
            l->setSizeConstraint(QLayout::SetDefaultConstraint);
            window->setFixedSize(hint.boundedTo(room).expandedTo(l->totalMinimumSize()));
        }
        return;
    }
    // A window shown for the first time without a size of its own takes its layout's size hint
    // when it is shown: that size is what must fit.
    if (!window->testAttribute(Qt::WA_Resized) && window->layout())
        window->adjustSize();
    if (window->width() <= room.width() && window->height() <= room.height())
        return;
    if (isFixed(window))
        fitFixedLayout(window, room);
    else
        window->resize(window->size().boundedTo(room).expandedTo(window->minimumSizeHint()));
}

} // namespace ui
