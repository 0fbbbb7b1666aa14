#include "platform/ui/WindowFit.h"

#include <QAbstractItemView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace ui {

void focusFirstInput(QWidget* window)
{
    for (QWidget* w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain()) {
        if (!window->isAncestorOf(w) || !w->isEnabled() || !w->isVisibleTo(window)
            || !(w->focusPolicy() & Qt::TabFocus))
            continue;
        w->setFocus(Qt::TabFocusReason);
        return;
    }
}

namespace {

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
    for (QAbstractItemView* g : grids) {
        const int give = std::min(need, g->height() - kMinGridHeight);
        if (give <= 0)
            continue;
        const int below = g->y() + g->height();
        for (QWidget* c : children)
            if (c != g && c->y() >= below)
                c->move(c->x(), c->y() - give);
        g->resize(g->width(), g->height() - give);
        need -= give;
        given += give;
        if (need <= 0)
            break;
    }
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
