#pragma once
// The spin edits: a push button that repeats its click while held, a pair of them (up and
// down) as one control, and a single-line edit with such a pair at its right edge that steps
// an integer, a floating-point number, a date or a time. The value lives in the edit's text;
// the typed getters read the text each time. The grid's spin cell editors derive from
// TTsgSpinEdit.
#include "grid/controls/TsgBase.h"
#include "grid/controls/TsgspinValues.h"

#include <QPointer>

namespace grid {

// The default glyphs of the spin buttons, "TsgSpinUp" and "TsgSpinDown": 9 x 6 pixels, a black
// triangle of rows 7, 5, 3 and 1 pixels wide between an empty row above and below, on olive.
// A null image for another name.
QImage SpinGlyphResource(const QString& Name);

class TTxTimerSpeedButton : public TSpeedButton {
    Q_OBJECT
public:
    explicit TTxTimerSpeedButton(QWidget* AOwner = nullptr);

    TTimeBtnState TimeBtnState = 0;
    TButtonDirection ButtonDirection() const { return FButtonDirection; }
    void SetButtonDirection(TButtonDirection Value);
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value);
    // Nothing before the first press of a repeating button.
    TRepeatTimer* RepeatTimer() const { return FRepeat.Timer(); }

    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    // The repeat timer expired.
    void TimerExpired();

protected:
    void paint(ui::Canvas& Canvas) override;

private:
    TButtonDirection FButtonDirection = bdUp;
    bool FIsWinXP = false;
    TAutoRepeat FRepeat;
};

// An up and a down button as one control; arrows and Space click them from the keyboard.
class TTsgSpinButton : public ui::Control {
    Q_OBJECT
public:
    explicit TTsgSpinButton(QWidget* AOwner = nullptr);

    TSpinDirection Direction() const { return FDirection; }
    void SetDirection(TSpinDirection Value);
    const QImage& UpGlyph() const { return FUpButton->Glyph(); }
    // Copies the picture; none reloads the default glyph.
    void SetUpGlyph(const QImage* Value);
    const QImage& DownGlyph() const { return FDownButton->Glyph(); }
    void SetDownGlyph(const QImage* Value);
    int UpNumGlyphs() const { return FUpButton->NumGlyphs(); }
    void SetUpNumGlyphs(int Value) { FUpButton->SetNumGlyphs(Value); }
    int DownNumGlyphs() const { return FDownButton->NumGlyphs(); }
    void SetDownNumGlyphs(int Value) { FDownButton->SetNumGlyphs(Value); }
    // Cleared when that control goes away.
    QWidget* FocusControl() const { return FFocusControl; }
    void SetFocusControl(QWidget* Value) { FFocusControl = Value; }
    bool TabStop() const { return focusPolicy() & Qt::TabFocus; }
    void SetTabStop(bool Value) { setFocusPolicy(Value ? Qt::StrongFocus : Qt::NoFocus); }
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value);

    TTxTimerSpeedButton* UpButton() const { return FUpButton; }
    TTxTimerSpeedButton* DownButton() const { return FDownButton; }
    TTxTimerSpeedButton* FocusedButton() const { return FFocusedButton; }
    void SetFocusBtn(TTxTimerSpeedButton* Btn);

    TSenderEvent OnUpClick;
    TSenderEvent OnDownClick;

    // Holds the width to its minimum and lays the two buttons out.
    void AdjustSize();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    TTxTimerSpeedButton* CreateButton();
    void BtnMouseDown(QObject* Sender, Qt::MouseButton Button);
    void BtnClick(QObject* Sender);
    void SetFocusMark(TTxTimerSpeedButton* Btn, bool On);

    TSpinDirection FDirection = spVertical;
    TTxTimerSpeedButton* FUpButton;
    TTxTimerSpeedButton* FDownButton;
    TTxTimerSpeedButton* FFocusedButton;
    QPointer<QWidget> FFocusControl;
    bool FIsWinXP = false;
};

// The spin edit.
class TTsgSpinEdit : public TCustomEdit {
    Q_OBJECT
public:
    explicit TTsgSpinEdit(QWidget* AOwner = nullptr);
    ~TTsgSpinEdit() override;

    TTsgSpinType SpinType() const { return FSpinType; }
    void SetSpinType(TTsgSpinType Value);

    // The text as an integer; MinValue when it is none.
    int Value() const;
    void SetValue(int AValue);
    int MinValue = 0;
    int MaxValue = 100;
    int Increment = 1;

    // The text as a number; MinValue (the integer bound) when it is none.
    double FloatValue() const;
    void SetFloatValue(double AValue);
    double MinFloatValue = 0.0;
    double MaxFloatValue = 100.0;
    double IncrementFloat = 0.0;
    int Precision() const { return FPrecision; }
    void SetPrecision(int Value);

    // The text as a date; "0" or empty is now, another text that is no date MinDateValue.
    TDateTime DateValue() const;
    void SetDateValue(TDateTime AValue);
    // The text as a time of day; 0 when it is none. Not held to any bounds.
    TDateTime TimeValue() const;
    void SetTimeValue(TDateTime AValue);
    TDateTime MinDateValue = 0;
    TDateTime MaxDateValue = 0;

    TSpinDirection Direction() const { return FButton->Direction(); }
    void SetDirection(TSpinDirection Value);
    bool EditorEnabled = true;
    bool ReturnIsTab = false;
    bool SpinFlat() const { return FSpinFlat; }
    void SetSpinFlat(bool Value);
    bool SpinTransparent() const { return FSpinTransparent; }
    void SetSpinTransparent(bool Value);
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value);

    TTsgSpinButton* Button() const { return FButton; }

    // The spin buttons and the Up and Down keys; read-only edits only beep.
    virtual void UpClick(QObject* Sender);
    virtual void DownClick(QObject* Sender);

    void Loaded() override;
    // The lowest the edit may be.
    int MinHeight() const;
    // Places the spin buttons and the text for the current size.
    void AdjustLayout();

protected:
    bool CanPasteCut() const override { return EditorEnabled && !isReadOnly(); }
    void BorderChanged() override { AdjustLayout(); }
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void Step(bool Up);
    void SetTextKeepCaret(const QString& Value);

    TTsgSpinType FSpinType = sptNormal;
    int FPrecision = 0;
    TDateTime FDateValue = 0;
    TDateTime FTimeValue = 0;
    bool FSpinFlat = false;
    bool FSpinTransparent = false;
    bool FIsWinXP = false;
    TTsgSpinButton* FButton = nullptr;
};

// The spin edit with its edit mask published.
class TTxMaskSpinEdit : public TTsgSpinEdit {
    Q_OBJECT
public:
    using TTsgSpinEdit::TTsgSpinEdit;
};

} // namespace grid
