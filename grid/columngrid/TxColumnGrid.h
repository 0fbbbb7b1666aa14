#pragma once
// TTxColumnGrid: the string grid configured column by column. Its Columns collection holds
// one TGridColumnItem per real column; each item supplies that column's header, width,
// alignment, colours, fonts, borders, editor, edit mask and length, sort format, check-box
// texts, filter list and popup menu. The grid answers its per-cell questions from the item
// first and then lets the string grid's events and cell properties have their say. Column
// moves move the items with them; the column set can be saved to and loaded from a stream
// or a file (TxColumnGridIO.h).
#include "grid/core/Txgrid.h"

#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

namespace grid {

class TTxColumnGrid;
class TGridColumnCollection;

// Which clicks pop a column's menu up: on fixed cells, normal cells or all cells, by the
// right or the left button.
enum TColumnPopupType {
    cpFixedCellsRClick,
    cpFixedCellsLClick,
    cpNormalCellsRClick,
    cpNormalCellsLClick,
    cpAllCellsRClick,
    cpAllCellsLClick
};
// The bound of what a stored file may hold: keep it the last enumerator above.
constexpr int EnumLast(TColumnPopupType) { return cpAllCellsLClick; }

class TGridColumnItem {
public:
    // Takes the owning grid's font and colour (defaults without one).
    explicit TGridColumnItem(TGridColumnCollection& Collection);

    TGridColumnCollection& Collection() const { return FCollection; }
    int Index() const;
    // "Column " and the index when the item has no Name.
    QString DisplayName() const;
    // Every setting and both references; the width and header reach the grid as their
    // setters do.
    void Assign(const TGridColumnItem& Source);
    // Whether every setting a column set keeps is equal (references aside).
    bool SameSettings(const TGridColumnItem& Other) const;

    // --- kept only --------------------------------------------------------------------
    int AutoMinSize = 0, AutoMaxSize = 0; // pixels, 0: no limit (automatic sizing)
    int MinSize = 0, MaxSize = 0;         // pixels, 0: no limit (sizing by the user)
    QString CheckFalse = QStringLiteral("N");
    QString CheckTrue = QStringLiteral("Y");
    TColumnPopupType ColumnPopupType = cpFixedCellsRClick;
    QStringList ComboItems;
    int EditLength = 0;            // 0: no limit
    TEditLink* EditLink = nullptr; // not owned
    QString EditMask;
    bool FilterCaseSensitive = false;
    QString Name;
    TCellBorders PrintBorders = 0;
    ui::Pen PrintBorderPen{ui::clBlack, 1};
    TColor PrintColor = ui::clWhite;
    ui::Font PrintFont;
    bool ReadOnly = false;
    TSortStyle SortStyle = ssAutomatic;
    QString SortPrefix, SortSuffix;
    int SpinMin = 0, SpinMax = 0, SpinStep = 1;
    int Tag = 0;
    // Forgotten by itself when the menu is destroyed.
    QMenu* ColumnPopup() const { return FColumnPopup; }
    void SetColumnPopup(QMenu* Value) { FColumnPopup = Value; }

    // --- setters that reach the grid --------------------------------------------------
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TCellBorders Borders() const { return FBorders; }
    void SetBorders(TCellBorders Value);
    const ui::Pen& BorderPen() const { return FBorderPen; }
    void SetBorderPen(const ui::Pen& Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TEditorType Editor() const { return FEditor; }
    void SetEditor(TEditorType Value); // repaints when data check boxes come or go
    // Entries: a plain text, or a friendly name and a condition joined by "=".
    const QStringList& Filter() const { return FFilter; }
    void SetFilter(const QStringList& Value); // repaints
    bool Fixed() const { return FFixed; }
    void SetFixed(bool Value);
    const ui::Font& Font() const { return FFont; }
    void SetFont(const ui::Font& Value);
    // Written into the header cell (not while a column moves) and into ColumnHeaders.
    const QString& Header() const { return FHeader; }
    void SetHeader(const QString& Value);
    bool Password() const { return FPassword; }
    void SetPassword(bool Value);
    bool ShowBands() const { return FShowBands; }
    void SetShowBands(bool Value);
    int Width() const { return FWidth; }
    void SetWidth(int Value); // also the grid column's width

    // --- the column's cells by row, through the grid's typed accessors ------------------
    QString Rows(int ARow) const;
    void SetRows(int ARow, const QString& Value);
    int Ints(int ARow) const;
    void SetInts(int ARow, int Value);
    double Floats(int ARow) const;
    void SetFloats(int ARow, double Value);
    TDateTime Dates(int ARow) const;
    void SetDates(int ARow, TDateTime Value);
    TDateTime Times(int ARow) const;
    void SetTimes(int ARow, TDateTime Value);

    // The settings a column set of format Version carries, in their order: F is called with
    // a pointer to each member. One list serves writing, reading, copying and comparing.
    template <class F>
    static void Fields(int Version, F&& f);

private:
    friend class TTxColumnGrid;
    friend class TGridColumnCollection;
    void Changed(); // the collection's update
    TTxColumnGrid* Grid() const;

    TGridColumnCollection& FCollection;
    TAlignment FAlignment = taLeftJustify;
    TCellBorders FBorders = 0;
    ui::Pen FBorderPen{ui::clSilver, 1};
    TColor FColor = ui::clWindow;
    TEditorType FEditor = edNormal;
    QStringList FFilter;
    bool FFixed = false;
    ui::Font FFont;
    QString FHeader;
    bool FPassword = false;
    bool FShowBands = false;
    int FWidth = 50;
    int FSavedPosition = 0; // SetOrganization / ResetOrganization
    QPointer<QMenu> FColumnPopup;
};

template <class F>
void TGridColumnItem::Fields(int Version, F&& f)
{
    using C = TGridColumnItem;
    f(&C::Name), f(&C::FHeader), f(&C::FWidth), f(&C::MinSize), f(&C::MaxSize), f(&C::AutoMinSize);
    f(&C::AutoMaxSize), f(&C::FAlignment), f(&C::FColor), f(&C::FFont), f(&C::FBorders), f(&C::FBorderPen);
    f(&C::FEditor), f(&C::EditMask), f(&C::EditLength), f(&C::ComboItems), f(&C::SpinMin), f(&C::SpinMax);
    f(&C::SpinStep), f(&C::CheckTrue), f(&C::CheckFalse), f(&C::FFixed), f(&C::ReadOnly), f(&C::FPassword);
    f(&C::FShowBands), f(&C::SortStyle), f(&C::SortPrefix), f(&C::SortSuffix), f(&C::ColumnPopupType), f(&C::Tag);
    // Filters and the print settings came with the second format.
    if (Version >= 2) {
        f(&C::FFilter), f(&C::FilterCaseSensitive), f(&C::PrintBorders), f(&C::PrintBorderPen);
        f(&C::PrintColor), f(&C::PrintFont);
    }
}

// The items of a column grid, in real column order.
class TGridColumnCollection {
public:
    // Grid gives new items their font and colour; only an Attached collection changes the
    // grid (column count, widths, headers, repaints).
    explicit TGridColumnCollection(TTxColumnGrid* Grid, bool Attached = true);
    ~TGridColumnCollection();
    TGridColumnCollection(const TGridColumnCollection&) = delete;
    TGridColumnCollection& operator=(const TGridColumnCollection&) = delete;

    int Count() const { return int(FItems.size()); }
    TGridColumnItem* Items(int Index) const; // nullptr outside 0 .. Count - 1
    TGridColumnItem* operator[](int Index) const { return Items(Index); }
    TGridColumnItem* Add();
    TGridColumnItem* Insert(int Index); // clamped into 0 .. Count
    void Delete(int Index);
    void Clear();
    // Copies of Source's items replace these; one update follows.
    void Assign(const TGridColumnCollection& Source);
    // The item at From goes to position To, settings and all.
    void Move(int From, int To);
    int IndexOf(const TGridColumnItem* Item) const;

    TTxColumnGrid* Grid() const { return FGrid; }
    bool Attached() const { return FAttached; }
    // While set, changes of the items neither change the column count nor repaint.
    bool NoRecursiveUpdate = false;
    // After an item (or, with nullptr, the item set) changed: the grid shows as many
    // columns as there are items not hidden (when more than the fixed ones), and repaints.
    void Update(TGridColumnItem* Item);

private:
    TTxColumnGrid* FGrid;
    bool FAttached;
    std::vector<std::unique_ptr<TGridColumnItem>> FItems;
};

// Holds a collection's recursive updates for a scope and restores what was there.
class TColumnUpdateHold {
public:
    explicit TColumnUpdateHold(TGridColumnCollection& C) : FC(C), FHeld(C.NoRecursiveUpdate)
    {
        C.NoRecursiveUpdate = true;
    }
    ~TColumnUpdateHold() { FC.NoRecursiveUpdate = FHeld; }
    TColumnUpdateHold(const TColumnUpdateHold&) = delete;
    TColumnUpdateHold& operator=(const TColumnUpdateHold&) = delete;

private:
    TGridColumnCollection& FC;
    bool FHeld;
};

// Looks of the filter list dropped down from a header cell.
class TFilterDropDown {
public:
    TColor Color = ui::clWindow;
    bool ColumnWidth = false; // as wide as the column instead of Width
    ui::Font Font;
    int Height = 200;
    int Width = 200;
};

// The filter list: Return, or releasing the mouse over it, hides it and reports the line.
class TDropList : public QListWidget {
    Q_OBJECT
public:
    explicit TDropList(QWidget* Parent);
    std::function<void(TDropList& Sender, int ItemIndex)> OnSelect;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void Choose();
};

class TTxColumnGrid : public TTxStringGrid {
    Q_OBJECT
public:
    explicit TTxColumnGrid(QWidget* AOwner = nullptr);
    ~TTxColumnGrid() override;

    TGridColumnCollection& Columns() { return *FColumns; }
    const TGridColumnCollection& Columns() const { return *FColumns; }
    void SetColumns(const TGridColumnCollection& Value) { FColumns->Assign(Value); }
    // After the properties were read: header lists, then the items follow the grid.
    void Loaded();

    // A chosen filter first switches filtering off and then on again with the new condition.
    bool AutoFilterUpdate = false;
    // A chosen filter's friendly name becomes the column's header.
    bool AutoFilterDisplay = false;
    TFilterDropDown& FilterDropDown() { return FFilterDropDown; }
    TDropList* DropList() const { return FDropList; }
    int DropDownColumn() const { return FDropDownCol; } // real column, -1 when none

    // Before a column's menu pops up (ACol real).
    std::function<void(TTxColumnGrid& Sender, int ACol, int ARow, QMenu* PopupMenu)> OnColumnPopup;
    // A filter line was chosen; the handler may change the condition.
    std::function<void(TTxColumnGrid& Sender, int Column, int ItemIndex, const QString& FriendlyName,
                       QString& FilterCondition)>
        OnFilterSelect;

    // Items added or freed until there is one per column, hidden ones included; header
    // fields taken from the header cells.
    void SynchColumns();
    // Notes the present column order; ResetOrganization moves the columns back to it.
    void SetOrganization();
    void ResetOrganization();
    TGridColumnItem* GetColumnByName(const QString& AName) const; // exact; the first
    bool IsMovingColumn() const { return FMoving; }
    // The drop list's choice: the column's filter condition, see AutoFilterUpdate.
    void FilterSelect(int ItemIndex);
    // An edit link that goes away is forgotten by every item: its owner calls this before
    // freeing it (menus are forgotten by themselves).
    void Notification(TEditLink* Removed);

    // The column set (TxColumnGridIO.h); loading never changes the column count, and a
    // stream or file that cannot be read (ETxGridError) changes nothing.
    void SaveColumnsToStream(QIODevice& Stream);
    void LoadColumnsFromStream(QIODevice& Stream);
    void SaveColumnsToFile(const QString& FileName);
    void LoadColumnsFromFile(const QString& FileName);

    // --- answers from the items ------------------------------------------------------------
    // A data check box for a column edited as one (the cell type follows the graphic).
    TCellGraphic* GetCellGraphic(int ACol, int ARow) override;
    void UpdateColSize(int ACol, int& AWidth) override;
    void UpdateAutoColSize(int ACol, int& AWidth) override;
    void UpdateColHeaders() override;
    void CellsLoaded() override;
    // However the column count changed, the items follow it.
    void ColCountChanged() override;
    // The items of inserted columns come at their place, those of removed columns go, so
    // that every other column keeps its own settings.
    void InsertCols(int ACol, int Count) override;
    void RemoveCols(int ACol, int Count) override;
    void GetCellColor(int ACol, int ARow, TGridDrawState AState, ui::Brush& ABrush, ui::Font& AFont) override;
    void GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, ui::Brush& ABrush, ui::Font& AFont) override;
    void GetCellBorder(int ACol, int ARow, ui::Pen& APen, TCellBorders& Borders) override;
    void GetCellPrintBorder(int ACol, int ARow, ui::Pen& APen, TCellBorders& Borders) override;
    void GetCellAlign(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign) override;
    void GetColFormat(int ACol, TSortStyle& AStyle, QString& aPrefix, QString& aSuffix) override;
    void GetCellEditor(int ACol, int ARow, TEditorType& AEditor) override;
    void GetCellFixed(int ACol, int ARow, bool& IsFixed) override;
    void GetCellReadOnly(int ACol, int ARow, bool& CanEdit) override;
    void GetCellPassword(int ACol, int ARow, bool& IsPassword) override;
    QString GetCheckTrue(int ACol, int ARow) override;
    QString GetCheckFalse(int ACol, int ARow) override;
    bool GetFilter(int ACol) override;
    int GetVersionNr() override;
    QString GetVersionString() override;
    int GetEditLimit() override;
    QString GetEditMask(int ACol, int ARow) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;

protected:
    void MousePressed(Qt::MouseButton button, Qt::KeyboardModifiers mods, QPoint pos) override;
    void colWidthsChanged() override;
    bool OwnMatchFilter() const override; // the grid's row test is the column grid's too

private:
    friend class TGridColumnItem;
    friend class TGridColumnCollection;
    TGridColumnItem* ItemAt(int ACol) const { return FColumns ? FColumns->Items(ACol) : nullptr; }
    // ACol real: an item's column right of the fixed ones (and of no fixed right column),
    // ARow below the fixed rows and above the footers.
    bool IsNormalCell(int ACol, int ARow) const;
    // An item's column, not a fixed column nor a fixed row.
    TGridColumnItem* EditableItem(int ACol, int ARow) const;
    // The column's check-box text, then the grid's event for it.
    template <class Event>
    QString CheckText(QString Text, const Event& Handler, int ACol, int ARow);
    void SynchFlagged();                       // SynchColumns with the recursive updates held
    void SetAllColWidths(int ACol, int Width); // real column; a hidden one keeps its width
    void RebuildColumnHeaders();
    void ReadColumns(QIODevice& Stream, const QString& Message); // all or nothing
    void CopyWidthsToItems();
    void DropDownFilter(int ACol, int ARealCol);
    void HideDropList();
    void PopupColumnMenu(Qt::MouseButton Button, int ACol, int ARow);

    std::unique_ptr<TGridColumnCollection> FColumns;
    TFilterDropDown FFilterDropDown;
    TDropList* FDropList = nullptr;
    TCellGraphic FDataCheckGraphic; // shown for columns edited as data check boxes
    int FDropDownCol = -1;
    bool FMoving = false;       // an item is being moved
    bool FInColumnMove = false; // a whole column move: widths follow at its end
};

} // namespace grid
