#pragma once
// What editing needs of the grid it edits, and nothing more. The grid answers through an
// adapter made where the grid is assembled (TxgridEditingWiring.cpp), so editing never sees
// the grid's whole class and a change to the grid's declaration does not recompile it.
// What every host shares stands in TGridHost; each function carries the grid's own name.
// Rows are displayed rows; Real is a real column (as stored); ACol is the column the grid's
// function of the same name takes (the current cell's and the hooks' displayed columns).
#include "grid/core/TxgridHost.h"

#include <QStringList>
#include <Qt>

class QEvent;
class QLineEdit;
class QObject;
class QTextEdit;

namespace grid {

class TEditLink;

class TEditingHost : public TGridHost {
public:
    // ---- the window editors sit on, settings, the look --------------------------------------
    virtual QWidget* viewport() = 0; // where the editors are placed over their cells
    virtual TSizeWhileTyping& SizeWhileTyping() = 0;
    // SizeWhileTyping for the current cell as the text editor holds Text; LineBreak: a line
    // break is being typed into Text.
    virtual void SizeToTypedText(const QString& Text, bool LineBreak) = 0;
    virtual TGridLook Look() const = 0;
    virtual ui::Color controlColor() const = 0;
    virtual int GridLineWidth() const = 0;
    virtual const QStringList& LookupItems() const = 0;
    virtual void SetLookupItems(const QStringList& Items) = 0;
    virtual TEditLink* EditLink() const = 0;          // the edCustom cells' link, not owned
    virtual void ForgetEditLink(TEditLink* Link) = 0; // a link going away leaves the grid

    // ---- the platform grid: its text editor and the gates ------------------------------------
    virtual void setOptions(ui::GridOptions Options) = 0;
    virtual bool designing() const = 0;
    virtual void invalidateCell(int ACol, int ARow) = 0;
    virtual bool editorMode() const = 0;
    virtual void showEditor() = 0;
    virtual QLineEdit* inplaceEditor() const = 0; // the text editor, once made
    // The grid's own question whether the text editor may open (a descendant may answer it),
    // and the platform's under it.
    virtual bool canEditShow() = 0;
    virtual bool PlatformCanEditShow() = 0;
    virtual bool PlatformSelectCell(int ACol, int ARow) = 0;
    virtual bool PlatformEventFilter(QObject* o, QEvent* e) = 0;
    // A key as pressed on the grid (its key steps), and the platform's navigation step.
    virtual void KeyPressed(int Key, Qt::KeyboardModifiers Shift) = 0;
    virtual void keyDown(int& Key, Qt::KeyboardModifiers Shift) = 0;

    // ---- structure: growth, places ---------------------------------------------------------------
    // A row added before the footer rows, or a column before the right fixed ones: its index.
    virtual int AddBeforeFooters(bool Column) = 0;
    virtual bool IsFixed(int ACol, int ARow) = 0;
    virtual bool HasStaticEdit(int Real, int ARow) = 0; // a check box or radio group
    virtual TRect CellRect(int ACol, int ARow) const = 0;
    virtual int rowHeights(int ARow) const = 0;
    virtual void setRowHeights(int ARow, int Height) = 0;
    virtual int colWidths(int ACol) const = 0;
    virtual void setColWidths(int ACol, int Width) = 0;
    // A covered cell of a merged block is current: its base becomes current instead.
    virtual void SelectBaseCell() = 0;
    virtual QPoint mapToGlobal(QPoint Pos) const = 0;

    // ---- cells (real column) -----------------------------------------------------------------
    virtual void setCells(int Real, int ARow, const QString& Text) = 0;
    virtual int GetInts(int Real, int ARow) = 0;
    virtual double GetFloats(int Real, int ARow) = 0;
    virtual TDateTime GetDates(int Real, int ARow) = 0;
    virtual void SetFloats(int Real, int ARow, double Value) = 0;
    virtual void SetDates(int Real, int ARow, TDateTime Value) = 0;
    virtual void CellToRich(int Real, int ARow, QTextEdit& Edit) = 0;
    virtual void RichToCell(int Real, int ARow, QTextEdit& Edit) = 0;

    // ---- the grid's hooks, which a descendant may answer (columns as each hook says) --------
    virtual QString getEditText(int ACol, int ARow) = 0; // the text an editor opens with
    virtual void GetCellEditor(int Real, int ARow, TEditorType& Editor) = 0;
    virtual void GetCellReadOnly(int Real, int ARow, bool& CanEdit) = 0;
    virtual void GetCellAlign(int Real, int ARow, TAlignment& HAlign, TVAlignment& VAlign) = 0;
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
