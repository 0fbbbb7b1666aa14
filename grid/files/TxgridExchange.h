#pragma once
// What the grid exchanges with the world outside it: the clipboard (tab-separated text and
// the rich text of one cell), spreadsheet workbooks and word-processor tables through an
// office bridge (TxgridOffice.h), query results of database files, and drags to and from
// other grids and programs. The grid makes one exchange on first use; its methods keep the
// names the grid's users know.
//
//   TxgridClipboard.cpp   copy, cut, paste, series fill and the clipboard keys
//   TxgridOfficeGrid.cpp  workbooks and documents through the bridge
//   TxgridDatabase.cpp    query results of SQLite and Access files
//   TxgridDragDrop.cpp    the drop target and drop source of a grid
#include "grid/core/Basegrid.h"
#include "grid/controls/Tsgdd.h"

#include <QString>
#include <functional>
#include <initializer_list>
#include <memory>

namespace grid {

class TTxStringGrid;
class TOfficeBridge;
class TGridDropTarget;
class TGridDropSource;

// The last clipboard operation, as PasteNotify gets it.
enum TClipOperation : int { coCut = 0, coCopy = 1 };

class TGridExchange {
public:
    explicit TGridExchange(TTxStringGrid& Grid);
    ~TGridExchange();

    // ---- clipboard --------------------------------------------------------------------------
    // Text: the cells of a row separated by tabs, rows by CR LF; a block of more than one row
    // ends every row (the last too) with CR LF, a single row has no line ending.
    void CopyToClipBoard();          // the saved range
    void CopySelectionToClipboard(); // the selection (the marked rows with DisjunctRowSelect)
    void CutToClipboard();           // copies, then empties the editable cells of the range
    void CutSelectionToClipboard();
    void PasteFromClipboard();          // at the first saved cell
    void PasteSelectionFromClipboard(); // at the selection's top-left cell, then the series fill
    void CopyFunc(TGridRect R);         // R in displayed columns
    QString CopyText(TGridRect R);      // the text CopyFunc puts on the clipboard
    void CopyRTFFunc(int ACol, int ARow);
    int PasteFunc(int ACol, int ARow); // the number of fields taken
    // Parses clipboard text into the grid from (ACol, ARow); the number of fields, the empty
    // remainder after a last line break included. Lines end at CR LF, LF or a lone CR; with
    // ClipboardQuoteMultiline a quoted field keeps its line ends. Written, when given, gets
    // the number of cells written.
    int PasteText(int ACol, int ARow, const QString& Text, int* Written = nullptr);
    // Whether pasting Text at (ACol, ARow) would write every field that holds text, the
    // grid's growth counted as pasting grows it; nothing changes.
    bool PasteLandsWhole(int ACol, int ARow, const QString& Text);
    // The most fields on one line (x) and the number of lines (y) of clipboard text, a line
    // end at its end adding no line; Quoted as PasteText reads it with ClipboardQuoteMultiline.
    static void PasteSize(const QString& Text, QPoint& Size, bool Quoted = false);
    // Whether the grid takes pasted or dropped text at all: editing on, or AllowClipboardAlways.
    bool PasteAllowed() const;
    bool CellWritable(int ACol, int ARow); // editable, or AllowClipboardAlways
    // Ctrl+C / Ctrl+Insert, Ctrl+X / Shift+Delete, Ctrl+V / Shift+Insert with
    // Navigation.AllowClipboardShortCuts: asks the clipboard event, then acts on the
    // selection. True when the key was a clipboard key (it ends the key's handling). Called
    // from the grid's guarded key entry: what the event or the action throws goes there.
    bool ClipboardKeyDown(int Key, Qt::KeyboardModifiers Mods);
    QPoint CopyOrigin() const { return FCopyOrigin; }
    TClipOperation LastOperation() const { return FLastOperation; }

    // ---- workbooks, documents and databases ------------------------------------------------
    // Workbooks: the active or the named sheet is read into the grid, its used range holding
    // exactly the sheet's cells afterwards (an empty or error value empties its cell); a grid
    // is saved as a new workbook, or into the named sheet of a workbook (added when missing).
    // Documents hold one table of every cell. Failures raise ETxGridError.
    void LoadFromXLS(const QString& FileName);
    void LoadFromXLSSheet(const QString& FileName, const QString& SheetName);
    void SaveToXLS(const QString& FileName);
    void SaveToXLSSheet(const QString& FileName, const QString& SheetName);
    void SaveToDOC(const QString& FileName);
    // A query's result into the grid: the field names in the last fixed row, the records
    // below the fixed rows; a Null value is empty text. SQLite and Access files.
    void LoadFromMDBSQL(const QString& FileName, const QString& SQL);
    void LoadFromMDBTable(const QString& FileName, const QString& Table);
    // The bridge office calls go through; the native one unless a test sets its own (null
    // restores it). A factory answering null stands for an office program that is missing.
    using TBridgeFactory = std::function<std::unique_ptr<TOfficeBridge>(bool Word)>;
    static void SetBridgeFactory(TBridgeFactory Factory);

    // ---- drag and drop ----------------------------------------------------------------------
    // The grid's drop target while it is registered (DragDropSettings.OleDropTarget).
    TGridDropTarget* DropTarget() const { return FDropTarget.get(); }
    void RegisterDropTarget();
    void RevokeDropTarget();
    // Drags the selection's text (a single rich cell's rich text besides) out of the grid;
    // after a move the dragged cells are emptied or, with OleRemoveRows and whole rows, the
    // rows removed. The drag result (DRAGDROP_S_DROP or DRAGDROP_S_CANCEL).
    long StartCellDrag(int ACol, int ARow);
    // What a cell drag carries: the selection's text, and the cell's rich text when the
    // selection is that one cell and it holds rich text.
    TSourceDataObject CellDragData(int ACol, int ARow);
    QString CellDragRTF(int ACol, int ARow);
    // The source side after a drag of the selection ended with Effect.
    void CellDragDone(TDropEffect Effect);
    long StartColumnDrag(int ACol);
    // The rectangle a drag out of this grid carries; rows a drop into the same grid inserts
    // above it move it down. Left is -1 when no drag runs.
    TGridRect& DraggedRect() { return FDraggedRect; }
    // Where the last drop into this grid landed; a move inside the grid clears only the
    // dragged cells outside it. Left is -1 when none landed since the drag began.
    TGridRect& DroppedRect() { return FDroppedRect; }
    // The markers showing where a drop lands: an arrow (arrUp, arrDown, arrLeft, arrRight) at
    // a screen point, hidden again; the drag indicator button hidden.
    void ShowDropArrow(int Direction, QPoint Screen);
    void HideDropArrows(std::initializer_list<int> Directions);
    void HideDragIndicator();

private:
    // Where a paste puts Text: the fields read, the cells written, the fields with text that
    // find no writable cell, and the column and row after the last ones reached.
    struct TPasteWalk {
        int Fields = 0, Written = 0, Lost = 0, MaxCol = 0, EndRow = 0;
    };
    // The grid grows as the fields need; with Write the cells are set, without, none is.
    TPasteWalk WalkPaste(int ACol, int ARow, const QString& Text, bool Write);
    void PasteSmartFill(int Count, TGridRect S);
    void PutText(const QString& Text);
    void LoadXLS(const QString& FileName, const QString* SheetName);
    void SaveXLS(const QString& FileName, const QString* SheetName);

    TTxStringGrid& FGrid;
    QPoint FCopyOrigin{0, 0};
    TClipOperation FLastOperation = coCopy;
    std::unique_ptr<TGridDropTarget> FDropTarget;
    std::unique_ptr<QObject> FDropFilter; // forwards the grid's drag events to the target
    std::unique_ptr<TGridDropSource> FDropSource;
    TGridRect FDraggedRect{-1, -1, -1, -1};
    TGridRect FDroppedRect{-1, -1, -1, -1};
};

} // namespace grid
