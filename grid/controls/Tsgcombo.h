#pragma once
// The library's combo box with a flat look of its own: a border and a drop-down button that
// the control paints itself, turning three-dimensional while the mouse is over the control or
// it has the focus, optionally etched and optionally drawn with the desktop's theme. The grid's
// combo cell editor derives from it.
#include "grid/controls/TsgBase.h"

#include <QComboBox>

class QListView;

namespace grid {

// The combo box styles: an edit with a drop-down list, an edit with an always-open list, a
// drop-down list only, and two owner-drawn lists.
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

// The left or the right mouse button is held.
bool IsMouseButtonDown();

class TTSGCustomCombo : public QComboBox, public ui::ControlState {
    Q_OBJECT
public:
    explicit TTSGCustomCombo(QWidget* AOwner = nullptr);

    // --- standard combo box properties ---
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle Value);
    int DropDownCount() const { return maxVisibleItems(); }
    void SetDropDownCount(int Value) { setMaxVisibleItems(Value); }
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value); // 0: no limit
    QString Text() const { return currentText(); }
    void SetText(const QString& Value);
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool Value);
    // The control shows its parent's colour.
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool Value);

    // --- the flat look ---
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value); // Ctl3D becomes its opposite
    bool Etched() const { return FEtched; }
    void SetEtched(bool Value);
    bool FocusBorder = false; // the border turns 3-D on hover and focus
    bool AutoFocus = false;   // the mouse entering takes the focus
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int Value); // 14 to 32, others ignored
    int DropWidth() const { return FDropWidth; }
    void SetDropWidth(int Value); // the list's width when above 0
    // Drawn with the desktop's theme; the owner sets it.
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value);

    bool MouseInControl() const { return FMouseInControl; }
    bool DroppedDown() const;
    bool Is3DBorderControl() const;
    bool Is3DBorderButton() const;

    void showPopup() override;
    void hidePopup() override;

protected:
    // Draws the own border and the button's edge over what is painted.
    void DrawBorders(ui::Canvas& Canvas);
    void DrawControlBorder(ui::Canvas& Canvas);
    void DrawButtonBorder(ui::Canvas& Canvas);
    // The text part as the standard control shows it (a list without an edit field).
    virtual void PaintText(ui::Canvas& Canvas, const ui::Rect& R);

    void controlChanged() override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void changeEvent(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    void PlaceEditField();
    void ApplyPalette();
    // The simple style's list, open under the edit while the style lasts.
    void ShowSimpleList(bool Show);
    int SimpleEditHeight() const;

    TComboBoxStyle FStyle = csDropDown;
    int FMaxLength = 0;
    bool FCtl3D = false;
    bool FParentColor = false;
    bool FFlat = true;
    bool FEtched = false;
    int FButtonWidth = 0;
    int FDropWidth = 0;
    bool FIsWinXP = false;
    bool FMouseInControl = false;
    ui::Color FOldColor = ui::clWindow;
    bool FOldParentColor = false;
    QListView* FList = nullptr;
};

// The published form.
class TTSGComboBox : public TTSGCustomCombo {
    Q_OBJECT
public:
    using TTSGCustomCombo::TTSGCustomCombo;
};

} // namespace grid
