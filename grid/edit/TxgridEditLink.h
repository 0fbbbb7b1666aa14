#pragma once
// The custom cell-editor link through which an application plugs any control into the grid
// (cells whose editor is edCustom), and editing's side of it.
#include "grid/core/TxgridTypes.h"
#include "platform/ui/Canvas.h"

#include <QString>
#include <QWidget>

namespace grid {

class TGridEditing;

enum TEditStyle { esInplace, esPopup };

// A custom cell editor. The grid drives it for cells whose editor is edCustom: it learns the
// grid's editing and its cell, creates its control, places, shows, fills and focuses it; descendants make
// the control and wire its exit and key handlers to EditExit and EditKeyDown.
class TEditLink {
public:
    virtual ~TEditLink();

    TEditStyle EditStyle = esInplace;
    int PopupWidth = 0, PopupHeight = 0;
    bool WantKeyLeftRight = false, WantKeyUpDown = false, WantKeyHomeEnd = false;
    bool WantKeyPriorNext = false, WantKeyReturn = false, WantKeyEscape = false;
    int Tag = 0;

    virtual void EditKeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    virtual QWidget* GetEditControl() { return nullptr; }
    virtual void CreateEditor(QWidget* AParent) { (void)AParent; }
    virtual void DestroyEditor() {}
    virtual void SetFocus(bool Value);
    virtual void SetRect(TRect R);
    virtual void SetVisible(bool Value);
    virtual void SetProperties() {}
    virtual void SetCellProps(ui::Color AColor, const ui::Font& AFont) { (void)AColor, (void)AFont; }
    virtual QString GetEditorValue() { return {}; }
    virtual void SetEditorValue(const QString& S) { (void)S; }

    // The edited cell at the real index of the edited column.
    QString GetCellValue() const;
    void SetCellValue(const QString& S);
    QWidget* GetParent() const;
    void HideEditor();
    void EditExit(QObject* Sender);
    void FormExit(QObject* Sender);

    int EditCol() const { return FEditCol; }
    int EditRow() const { return FEditRow; }
    QWidget* PopupForm() const { return FPopupForm; }
    // Editing's side: where the link works, and the popup form it owns.
    void Attach(TGridEditing& Editing, int ACol, int ARow, const QString& Original);
    void SetPopupForm(QWidget* Form);
    void ClosePopup();

private:
    TGridEditing* FEditing = nullptr; // the grid's editing, once attached
    int FEditCol = -1, FEditRow = -1;
    QWidget* FPopupForm = nullptr;
    bool FReturningFocus = false;
    QString FOriginal; // the cell's text when editing began, for Escape
};

// Whether Key leaves the link's editor (Return, Escape, Page Up/Down, Home, End, the arrows)
// rather than staying in it by the link's WantKey flags. Home and End are kept together by
// WantKeyHomeEnd.
bool EditLinkKeyLeaves(const TEditLink& Link, int Key);
// Whether Key is one of those keys and the link keeps it (its WantKey flag is set).
bool EditLinkKeyWanted(const TEditLink& Link, int Key);

} // namespace grid
