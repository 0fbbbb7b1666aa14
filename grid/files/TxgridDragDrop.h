#pragma once
// The grid's side of drag and drop: a drop target that places dropped text as a pasted block
// (inserting rows, moving a running drag's rectangle, selecting what arrived; a move only
// when every field with text finds a writable cell, as its source empties them all), takes rich
// text into a cell, loads a dropped delimited or workbook file and reports dropped columns;
// and a drop source that remembers the effect the drag last showed.
#include "grid/controls/Tsgdd.h"

namespace grid {

class TTxStringGrid;

class TGridDropTarget : public TTSGDropTarget {
public:
    explicit TGridDropTarget(TTxStringGrid& Grid) : FGrid(Grid) {}

protected:
    void DragMouseMove(QPoint Pt, bool& Allow, TDropFormats Formats) override;
    void DragMouseLeave() override;
    bool DropText(QPoint Pt, const QString& Text) override;
    bool DropRTF(QPoint Pt, const QString& Text) override;
    bool DropFiles(QPoint Pt, const QStringList& Files) override;
    bool DropCol(QPoint Pt, int Col) override;

private:
    // The cell under a point of the grid widget; (-1, -1) when none.
    QPoint CellAt(QPoint Pt) const;
    TTxStringGrid& FGrid;
};

class TGridDropSource : public TTSGDropSource {
public:
    TDropEffect LastEffect() const { return FLastEffect; }

protected:
    void CurrentEffect(TDropEffect Effect) override
    {
        if (Effect == DROPEFFECT_COPY || Effect == DROPEFFECT_MOVE)
            FLastEffect = Effect;
    }

private:
    TDropEffect FLastEffect = DROPEFFECT_NONE;
};

} // namespace grid
