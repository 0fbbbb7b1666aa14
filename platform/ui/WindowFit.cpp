#include "platform/ui/WindowFit.h"

#include <QAbstractItemView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <tuple>
#include <utility>
#include <vector>

namespace ui {

namespace {
const char* const kFirstInput = "ui_firstInput";

bool takesTab(QWidget* window, QWidget* w)
{
    return w && window->isAncestorOf(w) && w->isEnabled() && w->isVisibleTo(window) && (w->focusPolicy() & Qt::TabFocus);
}
} // namespace

void setFirstInput(QWidget* window, QWidget* input)
{
    window->setProperty(kFirstInput, QVariant::fromValue<QObject*>(input));
}

void focusFirstInput(QWidget* window)
{
    if (auto* named = qobject_cast<QWidget*>(window->property(kFirstInput).value<QObject*>()); takesTab(window, named)) {
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

bool isFixed(const QWidget* w)
{
    return w->minimumSize() == w->maximumSize();
}

} // namespace

QSize fitFixedLayout(QWidget* window, QSize room)
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
    while (need > 0) {
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

void fitSubWindow(QMdiSubWindow* frame)
{
    QMdiArea* area = frame ? frame->mdiArea() : nullptr;
    QWidget* window = frame ? frame->widget() : nullptr;
    if (!area || !window || !area->isVisible())
        return;
    const QSize room = area->viewport()->size();
    if (frame->width() <= room.width() && frame->height() <= room.height())
        return;
    const QSize border = frame->size() - window->size();
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
    if (window->width() <= room.width() && window->height() <= room.height())
        return;
    if (isFixed(window))
        fitFixedLayout(window, room);
    else
        window->resize(window->size().boundedTo(room).expandedTo(window->minimumSizeHint()));
}

} // namespace ui
