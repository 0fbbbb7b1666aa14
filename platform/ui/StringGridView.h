#pragma once
// The string grid as a widget: paints the visible cells through a per-cell hook, keeps the
// fixed rows and columns in place while the rest scrolls by whole cells, and routes keys,
// the wheel and the mouse to overridable hooks. The cells, sizes and rules are in
// StringGridCore.
#include "platform/ui/Canvas.h"
#include "platform/ui/Control.h"
#include "platform/ui/StringGridCore.h"

#include <QAbstractScrollArea>

class QLineEdit;

namespace ui {

class StringGridView : public QAbstractScrollArea, public ControlState {
    Q_OBJECT
public:
    explicit StringGridView(QWidget* parent = nullptr);
    ~StringGridView() override;

    StringGridCore& core() { return core_; }
    const StringGridCore& core() const { return core_; }

    // Counts, cells and sizes (see StringGridCore); changes repaint and update the scroll bars.
    int colCount() const { return core_.colCount(); }
    int rowCount() const { return core_.rowCount(); }
    int fixedCols() const { return core_.fixedCols(); }
    int fixedRows() const { return core_.fixedRows(); }
    void setColCount(int n);
    void setRowCount(int n);
    void setFixedCols(int n);
    void setFixedRows(int n);
    // Fixed columns at the right and footer rows at the bottom (see StringGridCore).
    int fixedRightCols() const { return core_.fixedRightCols(); }
    int fixedFooters() const { return core_.fixedFooters(); }
    void setFixedRightCols(int n);
    void setFixedFooters(int n);

    QString cells(int col, int row) const { return core_.cell(col, row); }
    void setCells(int col, int row, const QString& text)
    {
        core_.setCell(col, row, text);
        if (isVisible()) // nothing to repaint before the grid shows
            invalidateCell(col, row);
    }
    CellObject* objects(int col, int row) const { return core_.object(col, row); }
    void setObjects(int col, int row, std::unique_ptr<CellObject> obj) { core_.setObject(col, row, std::move(obj)); }
    std::unique_ptr<CellObject> takeObject(int col, int row) { return core_.takeObject(col, row); }

    int defaultColWidth() const { return core_.defaultColWidth(); }
    int defaultRowHeight() const { return core_.defaultRowHeight(); }
    void setDefaultColWidth(int w);
    void setDefaultRowHeight(int h);
    int colWidths(int col) const { return core_.colWidth(col); }
    int rowHeights(int row) const { return core_.rowHeight(row); }
    void setColWidths(int col, int w);
    void setRowHeights(int row, int h);

    GridOptions options() const { return core_.options(); }
    void setOptions(GridOptions o);

    // The current cell. Moving it asks selectCell first; false when refused.
    int col() const { return core_.col(); }
    int row() const { return core_.row(); }
    bool focusCell(int col, int row, bool extend = false);
    // Moves the current cell without asking selectCell (the grid's own corrections).
    void moveCurrentRaw(int col, int row);
    GridRect selection() const { return core_.selection(); }
    void setSelection(const GridRect& r);

    int topRow() const { return core_.topRow(); }
    int leftCol() const { return core_.leftCol(); }
    void setTopRow(int row);
    void setLeftCol(int col);
    int visibleColCount() const { return core_.visibleColCount(); }
    int visibleRowCount() const { return core_.visibleRowCount(); }

    // The platform's rectangle of an on-screen cell in client coordinates (empty when off).
    Rect platformCellRect(int col, int row) const { return core_.cellRect(col, row); }
    bool mouseToCell(QPoint p, int& col, int& row) const { return core_.cellAt(p, col, row); }
    int clientWidth() const;
    int clientHeight() const;

    // Repainting.
    void invalidateGrid();
    void invalidateRect(const Rect& r);
    void invalidateCell(int col, int row);

    // Inplace editing. The editor is made by createEditor the first time it is needed.
    void showEditor();
    void hideEditor();   // writes the edited text back
    void cancelEditor(); // closes without writing
    bool editorMode() const;
    QLineEdit* inplaceEditor() const { return editor_; }

    // Paints the whole client area onto a canvas (used by paintEvent and by tests).
    void paintTo(Canvas& canvas, const QRect& region);

protected:
    // --- hooks ---------------------------------------------------------------------------
    // Paints every visible cell through drawCell, then the empty area past the last cells.
    virtual void paint(Canvas& canvas, const QRect& region);
    // Paints one cell into rect; the base fills it and draws its text.
    virtual void drawCell(Canvas& canvas, int col, int row, const Rect& rect, DrawState state);
    // Mouse input in client coordinates, for every cell, fixed ones included. The base
    // selects normal cells (a drag or Shift extends with goRangeSelect) and does nothing on
    // fixed cells; sizing and moving columns and rows are left to the subclass. Moves
    // arrive with and without a button held.
    virtual void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers mods, QPoint pos);
    virtual void mouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods, QPoint pos);
    virtual void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers mods, QPoint pos);
    virtual void dblClick(Qt::MouseButton button, Qt::KeyboardModifiers mods, QPoint pos);
    // Gate of every move of the current cell.
    virtual bool selectCell(int col, int row) { return true; }
    // After the top row or left column changed.
    virtual void topLeftChanged() {}
    // After a column width or the default column width changed.
    virtual void colWidthsChanged() {}
    // After the default row height changed.
    virtual void defaultRowHeightChanged() {}
    // A key press; the base moves the current cell and opens the editor.
    virtual void keyDown(int& key, Qt::KeyboardModifiers mods);
    // Wheel turned towards the user / away; the base moves the current row by one.
    virtual bool doMouseWheelDown(Qt::KeyboardModifiers mods, QPoint pos);
    virtual bool doMouseWheelUp(Qt::KeyboardModifiers mods, QPoint pos);
    // The editor protocol.
    virtual bool canEditShow() const;
    // Makes the text editor (a child of the viewport); the base makes a frameless line edit.
    virtual QLineEdit* createEditor();
    virtual QString getEditText(int col, int row) { return cells(col, row); }
    // Where the text editor stands over its cell (client coordinates; empty: off screen).
    virtual Rect editorRect(int col, int row) const { return core_.cellRect(col, row); }
    virtual void setEditText(int col, int row, const QString& value) { setCells(col, row, value); }

    // --- Qt events -----------------------------------------------------------------------
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    bool eventFilter(QObject* o, QEvent* e) override;
    void controlChanged() override { invalidateGrid(); }

    void updateScrollBars();
    void syncClientSize();

private:
    void afterMove(int oldCol, int oldRow, int oldTop, int oldLeft);
    void placeEditor();

    StringGridCore core_;
    QLineEdit* editor_ = nullptr;
    int editCol_ = -1, editRow_ = -1;
    bool syncing_ = false;
};

} // namespace ui
