#pragma once
// What editing needs of the grid it edits, and nothing more. The grid answers through an
// adapter made where the grid is assembled (TxgridEditingWiring.cpp), so editing never sees
// the grid's whole class and a change to the grid's declaration does not recompile it.
// Rows are displayed rows; Real is a real column (as stored); ACol is the column the grid's
// function of the same name takes (the current cell's and the hooks' displayed columns).
#include "grid/core/TxgridEvents.h"
#include "grid/core/TxgridPlainProperties.h"
#include "grid/core/TxgridTypes.h"
#include "grid/settings/TxgridSettings.h"

#include <QString>
#include <QStringList>
#include <Qt>

class QEvent;
class QLineEdit;
class QObject;
class QTextEdit;
class QWidget;

namespace grid {

class TEditLink;

class TEditingHost {
public:
    virtual ~TEditingHost() = default;

    // ---- the grid as the events' sender, the window editors sit on, its settings ----------
    virtual TGridSender Sender() = 0;
    virtual QWidget* Widget() = 0;   // the grid: takes the focus back, parents the rich editor
    virtual QWidget* Viewport() = 0; // where the editors are placed over their cells
    virtual const TTxStringGridEvents& Events() const = 0;
    virtual const TGridPlainProperties& Plain() const = 0;
    virtual TNavigation& Navigation() = 0; // the walk's direction and AlwaysEdit are held briefly
    virtual bool DirectComboDrop() = 0;    // MouseActions: a combo opens dropped down
    virtual bool SizeRowWhileTyping() = 0; // SizeWhileTyping.Height
    // SizeWhileTyping for the current cell as the text editor holds Text; LineBreak: a line
    // break is being typed into Text.
    virtual void SizeToTypedText(const QString& Text, bool LineBreak) = 0;
    virtual TGridLook Look() const = 0;
    virtual TVAlignment VAlignment() const = 0;
    virtual ui::Color ControlColor() const = 0;
    virtual int GridLineWidth() const = 0;
    virtual const QStringList& LookupItems() const = 0;
    virtual void SetLookupItems(const QStringList& Items) = 0;
    virtual TEditLink* EditLink() const = 0;          // the edCustom cells' link, not owned
    virtual void ForgetEditLink(TEditLink* Link) = 0; // a link going away leaves the grid

    // ---- the platform grid: the current cell, its text editor and the gates ---------------
    virtual int Col() const = 0;
    virtual int Row() const = 0;
    virtual ui::GridOptions Options() const = 0;
    virtual void SetOptions(ui::GridOptions Options) = 0;
    virtual bool Designing() const = 0;
    virtual bool FocusCell(int ACol, int ARow) = 0; // through the gate, as a click moves
    virtual void InvalidateCell(int ACol, int ARow) = 0;
    virtual bool EditorMode() const = 0;
    virtual void ShowEditor() = 0;
    virtual void HideEditor() = 0;                // writes the edited text back
    virtual QLineEdit* InplaceEditor() const = 0; // the text editor, once made
    // The grid's own question whether the text editor may open (a descendant may answer it),
    // and the platform's under it.
    virtual bool CanEditShow() = 0;
    virtual bool PlatformCanEditShow() = 0;
    virtual bool PlatformSelectCell(int ACol, int ARow) = 0;
    virtual bool PlatformEventFilter(QObject* o, QEvent* e) = 0;
    // A key as pressed on the grid (its key steps), and the platform's navigation step.
    virtual void KeyPressed(int Key, Qt::KeyboardModifiers Shift) = 0;
    virtual void KeyDown(int& Key, Qt::KeyboardModifiers Shift) = 0;

    // ---- structure: counts, merged and fixed cells, places ----------------------------------
    virtual int ColCount() const = 0;
    virtual int RowCount() const = 0;
    virtual int FixedCols() const = 0; // as set: the always-switches leave them
    virtual int FixedRows() const = 0;
    virtual int FixedRightCols() const = 0;
    virtual int FixedFooters() const = 0;
    virtual void AddRows(int Count) = 0;     // the platform's row count grows
    virtual void SetColCount(int Count) = 0; // the grid's, with its column rules
    virtual void Invalidate() = 0;
    virtual int RemapCol(int ACol) const = 0; // displayed → real
    virtual TPoint BaseCell(int ACol, int ARow) = 0;
    virtual TPoint CellSpan(int ACol, int ARow) = 0;
    virtual bool IsFixed(int ACol, int ARow) = 0;
    virtual bool HasNodes() = 0;
    virtual bool HasStaticEdit(int Real, int ARow) = 0; // a check box or radio group
    virtual ui::Rect PlatformCellRect(int ACol, int ARow) const = 0;
    virtual TRect CellRect(int ACol, int ARow) const = 0;
    virtual int RowHeight(int ARow) const = 0;
    virtual void SetRowHeight(int ARow, int Height) = 0;
    virtual QPoint MapToGlobal(QPoint Pos) const = 0;

    // ---- cells (real column) -----------------------------------------------------------------
    virtual QString Cell(int Real, int ARow) const = 0;
    virtual void SetCell(int Real, int ARow, const QString& Text) = 0;
    virtual int GetInts(int Real, int ARow) = 0;
    virtual double GetFloats(int Real, int ARow) = 0;
    virtual TDateTime GetDates(int Real, int ARow) = 0;
    virtual void SetFloats(int Real, int ARow, double Value) = 0;
    virtual void SetDates(int Real, int ARow, TDateTime Value) = 0;
    virtual void CellToRich(int Real, int ARow, QTextEdit& Edit) = 0;
    virtual void RichToCell(int Real, int ARow, QTextEdit& Edit) = 0;

    // ---- the grid's hooks, which a descendant may answer (columns as each hook says) --------
    virtual QString EditText(int ACol, int ARow) = 0; // the text an editor opens with
    virtual void GetCellEditor(int Real, int ARow, TEditorType& Editor) = 0;
    virtual void GetCellReadOnly(int Real, int ARow, bool& CanEdit) = 0;
    virtual void GetCellAlign(int Real, int ARow, TAlignment& HAlign, TVAlignment& VAlign) = 0;
    virtual void GetVisualProperties(int ACol, int ARow, TGridDrawState& State, bool Print, bool Select,
                                     ui::Brush& Brush, ui::Font& Font, TAlignment& HAlign, TVAlignment& VAlign,
                                     bool& WordWrap) = 0;
    virtual int GetEditLimit() = 0;
    virtual QString GetEditMask(int ACol, int ARow) = 0;
    virtual void EditProgress(const QString& Text, TPoint Pos, int Index) = 0;
    virtual void EllipsClick(const QString& Text, QString& Result) = 0;
    // Validation: the cell an edit began on, the finished value, what changed.
    virtual void InitValidate(int ACol, int ARow) = 0;
    virtual bool ValidateCell(QString& Value) = 0;
    virtual void UpdateCell(int Real, int ARow) = 0;
    virtual void CellsChanged(TRect R) = 0;
    virtual void DoneEditing() = 0; // OnEditingDone
};

} // namespace grid
