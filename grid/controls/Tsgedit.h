#pragma once
// The edit with a button embedded at its right edge (the button or F4 asks the program for a
// value) and the edit with a unit drawn between its text and the button, chosen from a popup
// list. The grid's ellipsis-button and unit cell editors derive from them; forms can place
// them by themselves.
#include "grid/controls/TsgBase.h"

#include <QPointer>
#include <QStringList>

namespace grid {

// A speed button that knows when the mouse is over it (hot) and draws itself flat, themed or
// as a push button.
class TTxSpeedButton : public TSpeedButton {
    Q_OBJECT
public:
    explicit TTxSpeedButton(QWidget* AOwner = nullptr);
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value);
    bool Hot() const { return FHot; }

    void MouseEnter() override;
    void MouseLeave() override;

protected:
    void paint(ui::Canvas& Canvas) override;

private:
    bool FIsWinXP = false;
    bool FHot = false;
};

// A windowed holder for one speed button that fills it. Releasing the left button over the
// button fires OnClick, then moves the focus to FocusControl (or to the holder).
class TTsgEditButton : public ui::Control {
    Q_OBJECT
public:
    explicit TTsgEditButton(QWidget* AOwner = nullptr);

    TTxSpeedButton* Button() const { return FButton; }
    const QImage& Glyph() const { return FButton->Glyph(); }
    void SetGlyph(const QImage& Value) { FButton->SetGlyph(Value); }
    QString ButtonCaption() const { return FButton->Caption(); }
    void SetButtonCaption(const QString& Value) { FButton->SetCaption(Value); }
    int NumGlyphs() const { return FButton->NumGlyphs(); }
    void SetNumGlyphs(int Value) { FButton->SetNumGlyphs(Value); }
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    // Cleared when that control goes away.
    QWidget* FocusControl() const { return FFocusControl; }
    void SetFocusControl(QWidget* Value) { FFocusControl = Value; }
    bool TabStop() const { return focusPolicy() & Qt::TabFocus; }
    void SetTabStop(bool Value) { setFocusPolicy(Value ? Qt::StrongFocus : Qt::NoFocus); }

    TSenderEvent OnClick;

    // Lays the button over the whole holder (at least 15 pixels wide).
    void AdjustSize();

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void BtnMouseUp(QObject* Sender, Qt::MouseButton Button);

    TTxSpeedButton* FButton;
    bool FFlat = false;
    QPointer<QWidget> FFocusControl;
};

// An edit with a button at its right edge; the button or F4 fires OnClickBtn.
class TTsgEditBtn : public TCustomEdit {
    Q_OBJECT
public:
    explicit TTsgEditBtn(QWidget* AOwner = nullptr);
    ~TTsgEditBtn() override;

    bool EditorEnabled = true;
    bool RightAlign() const { return FRightAlign; }
    void SetRightAlign(bool Value);
    int ButtonWidth() const { return FButton ? FButton->width() : 0; }
    void SetButtonWidth(int Value);
    const QImage& Glyph() const { return FButton->Glyph(); }
    void SetGlyph(const QImage& Value) { FButton->SetGlyph(Value); }
    QString ButtonCaption() const { return FButton->ButtonCaption(); }
    void SetButtonCaption(const QString& Value) { FButton->SetButtonCaption(Value); }
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value);
    TTsgEditButton* EditButton() const { return FButton; }

    TSenderEvent OnClickBtn;

    // The button (sender: the holder) and F4 (sender: the edit).
    virtual void BtnClick(QObject* Sender);
    // The room between the text and the button.
    virtual int UnitWidth() const { return 0; }
    // The lowest the edit may be.
    int MinHeight() const;
    // Places the button and the text for the current size.
    void AdjustLayout();
    // The text rectangle for the current size and border.
    void SetEditRectangle();

protected:
    bool CanPasteCut() const override { return EditorEnabled && !isReadOnly(); }
    void BorderChanged() override { AdjustLayout(); }
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    bool FRightAlign = false;
    bool FIsWinXP = false;
    TTsgEditButton* FButton = nullptr;
};

// The edit with a unit: the unit is drawn between text and button and the button offers the
// units in a popup menu.
class TTsgUnitEditBtn : public TTsgEditBtn {
    Q_OBJECT
public:
    explicit TTsgUnitEditBtn(QWidget* AOwner = nullptr);

    const QStringList& Units() const { return FUnits; }
    // Copies the list; none is ignored.
    void SetUnits(const QStringList* Value);
    QString UnitID() const { return FUnitID; }
    void SetUnitID(const QString& Value);
    int UnitSpace() const { return FUnitSpace; }
    void SetUnitSize(int Value);
    void SetUnitSpace(int Value) { SetUnitSize(Value); }

    // Shows the units at the button; OnClickBtn is not fired.
    void BtnClick(QObject* Sender) override;
    // Menu entry Id (1 for the first unit) was chosen.
    void UnitCommand(int Id);
    int UnitWidth() const override { return FUnitSpace; }
    // Where the unit is drawn, in the edit's coordinates.
    ui::Rect UnitRect() const;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QStringList FUnits;
    QString FUnitID;
    int FUnitSpace = 20;
};

} // namespace grid
