#pragma once
// The one cell object a cell of the grid may carry (check box, radio group, picture, button,
// progress bar, node, ...): a record whose fields mean different things by kind, with one
// typed payload per kind in place of untyped object slots. The record hangs in the cell's
// property object and belongs to the grid.
#include "grid/core/TxgridTypes.h"
#include "grid/controls/Txobj.h"

#include <QPoint>
#include <QRect>
#include <QStringList>
#include <memory>
#include <vector>

namespace grid {

// Where a radio group's items stand in a cell: each item's radio, where its caption starts,
// and the item's whole place (radio and caption), the part of the cell a click on it takes.
// The painter and the click test both take them from RadioItemPlaces, so a click selects the
// item drawn under it. Classic: the classic and flat looks with their radio Size; the other
// looks draw a 16-pixel radio. Captions and LineHeight are measured in the cell's font.
struct TRadioItemPlace {
    QRect Radio;
    QPoint Caption; // the caption's top left
    QRect Item;
};
std::vector<TRadioItemPlace> RadioItemPlaces(const QRect& Cell, const std::vector<int>& CaptionWidths, bool SideBySide,
                                             bool Classic, int Size, int LineHeight);
// The item a click at Pos (in the cell's coordinates) selects: the first whose place ends past
// it along the group's direction (so a radio drawn over the next line still belongs to its
// item); -1 past the last.
int RadioItemAtPoint(const std::vector<TRadioItemPlace>& Places, bool SideBySide, QPoint Pos);

// An object either lent by the caller (kept alive by the caller, never freed here) or owned.
template <class T>
class TOwnedRef {
public:
    T* get() const { return FPtr; }
    T* operator->() const { return FPtr; }
    T& operator*() const { return *FPtr; }
    explicit operator bool() const { return FPtr != nullptr; }
    bool owned() const { return FOwned != nullptr; }
    void lend(T* Obj)
    {
        FOwned.reset();
        FPtr = Obj;
    }
    T* own(std::unique_ptr<T> Obj)
    {
        FOwned = std::move(Obj);
        FPtr = FOwned.get();
        return FPtr;
    }
    void reset()
    {
        FOwned.reset();
        FPtr = nullptr;
    }

private:
    T* FPtr = nullptr;
    std::unique_ptr<T> FOwned;
};

class TCellGraphic : public ui::CellObject {
public:
    TCellGraphic() : ui::CellObject(okCellGraphic) {}

    // --- the record (meaning by kind) -----------------------------------------------------
    TCellType CellType = ctNone;
    TCellVAlign VAlign = vaTop;
    TCellHAlign HAlign = haLeft;
    // Radio index (negative: taken from the cell text), image index, data image offset,
    // picture padding, button size (width low 16 bits, height high 16 bits), node span.
    int Value = 0;
    // Transparent picture; the further check-box flag (set by AddCheckBox).
    bool Flag = false;
    // Check box checked; node contracted; radio items side by side; button pushed; progress
    // bar with its own text colours; images side by side.
    bool State = false;
    // Radio item count at creation; stretch mode of a picture; angle in degrees; node row.
    int SecondValue = 0;
    // Where painting put the button inside its cell.
    QPoint ButtonOffset;
    TColor Color = ui::clNone;
    qint16 Marker1 = 0;
    qint16 Marker2 = 0;

    // --- payloads ------------------------------------------------------------------------
    TOwnedRef<TBitmap> Bitmap;           // ctBitmap
    TOwnedRef<TIcon> Icon;               // ctIcon
    TOwnedRef<TPicture> Picture;         // ctPicture
    TOwnedRef<TFilePicture> FilePicture; // ctFilePicture
    // Radio items (lent or owned); comment text and button caption (owned), one line each.
    TOwnedRef<QStringList> Strings;
    std::unique_ptr<TIntList> Images; // ctImages: image indices, owned
    std::unique_ptr<TBitmap> Glyph;   // ctBitButton: owned, also when handed in
    // ctProgress: the bar and the rest of it, and their text colours when State is set.
    TColor BarColor = ui::clNone;
    TColor RestColor = ui::clNone;
    TColor BarTextColor = ui::clNone;
    TColor RestTextColor = ui::clNone;

    // Whether the grid made the kind's main object (and so frees it).
    bool Owned() const;
    // Lets go of what the kind holds: owned objects are freed, lent ones only dropped. A
    // multi-image list, a comment, a caption and a glyph are always owned, so always freed.
    void FreePayload();

    TStretchMode StretchMode() const { return TStretchMode(SecondValue); }
    int Padding() const { return Value; }
    int ButtonWidth() const { return Value & 0xFFFF; }
    int ButtonHeight() const { return int((unsigned(Value) >> 16) & 0xFFFF); }
    static int PackButtonSize(int Width, int Height)
    {
        return int((unsigned(Width) & 0xFFFF) | (unsigned(Height) << 16));
    }

    // The size a picture of a ctPicture or ctFilePicture cell takes in a cell of W x H
    // pixels; (0, 0) for other kinds.
    QPoint GetPictureSize(int W, int H) const;
    // The stretch rule on its own: a picture of w x h in a cell of W x H less the padding.
    static QPoint PictureSize(TStretchMode Mode, int W, int H, int w, int h, int Padding);
    // Angles are kept in 0 .. 360 (360 stays 360).
    static int NormalizeAngle(int Angle);

    // The multi-image list repaints the cell it belongs to, wherever the cell moves.
    void placedAt(int ACol, int ARow) override;
};

// A string list's text as the grid reads it back: lines joined by CR LF, and setting it
// splits at CR LF, LF or CR.
QStringList TextToLines(const QString& Text);
QString LinesToText(const QStringList& Lines);

} // namespace grid
