// TTxStringGrid: cell objects (pictures, images, check boxes, radio groups, buttons,
// progress bars, comments, markers, rotated text) and the room they take.
#include "grid/core/Txgrid.h"

#include <cmath>

namespace grid {

// --- the record --------------------------------------------------------------------------

TCellGraphic* TTxStringGrid::GetCellGraphic(int ACol, int ARow)
{
    ui::CellObject* g = GetGraphicObjectEx(ACol, ARow);
    return g && g->objectKind() == okCellGraphic ? static_cast<TCellGraphic*>(g) : nullptr;
}

TCellType TTxStringGrid::GetCellType(int ACol, int ARow)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g ? g->CellType : ctEmpty;
}

TCellGraphic* TTxStringGrid::BaseGraphic(int ACol, int ARow)
{
    const TPoint b = BaseCell(ACol, ARow);
    return GetCellGraphic(b.x(), b.y());
}

TCellGraphic* TTxStringGrid::CreateCellGraphic(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return nullptr;
    auto g = std::make_unique<TCellGraphic>();
    TCellGraphic* raw = g.get();
    SetGraphicObjectEx(ACol, ARow, std::move(g)); // the old one goes, with what it owned
    raw->placedAt(ACol, ARow);
    return raw;
}

TCellGraphic* TTxStringGrid::NewGraphic(int ACol, int ARow, TCellType Type, TCellHAlign HAlign, TCellVAlign VAlign)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    if (!g)
        return nullptr;
    g->CellType = Type;
    g->HAlign = HAlign;
    g->VAlign = VAlign;
    RepaintCell(ACol, ARow);
    return g;
}

void TTxStringGrid::FreeCellGraphic(int ACol, int ARow)
{
    if (!GetCellGraphic(ACol, ARow))
        return;
    GetCellProperties(ACol, ARow)->SetOwnedGraphic(nullptr);
    RepaintCell(ACol, ARow);
}

bool TTxStringGrid::RemoveCellGraphic(int ACol, int ARow, TCellType CellType)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType != CellType)
        return false;
    FreeCellGraphic(ACol, ARow);
    return true;
}

// --- bitmaps, icons, pictures ------------------------------------------------------------

void TTxStringGrid::AddBitmap(int ACol, int ARow, TBitmap* ABitmap, bool Transparent, TCellHAlign HAlign,
                              TCellVAlign VAlign)
{
    if (TCellGraphic* g = NewGraphic(ACol, ARow, ctBitmap, HAlign, VAlign)) {
        g->Bitmap.lend(ABitmap);
        g->Flag = Transparent;
    }
}

TBitmap* TTxStringGrid::CreateBitmap(int ACol, int ARow, bool Transparent, TCellHAlign HAlign, TCellVAlign VAlign)
{
    TCellGraphic* g = NewGraphic(ACol, ARow, ctBitmap, HAlign, VAlign);
    if (!g)
        return nullptr;
    g->Flag = Transparent;
    return g->Bitmap.own(std::make_unique<TBitmap>());
}

TBitmap* TTxStringGrid::GetBitmap(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType == ctBitmap ? g->Bitmap.get() : nullptr;
}

void TTxStringGrid::RemoveBitmap(int ACol, int ARow) { RemoveCellGraphic(ACol, ARow, ctBitmap); }

void TTxStringGrid::AddIcon(int ACol, int ARow, TIcon* AIcon, TCellHAlign HAlign, TCellVAlign VAlign)
{
    if (TCellGraphic* g = NewGraphic(ACol, ARow, ctIcon, HAlign, VAlign))
        g->Icon.lend(AIcon);
}

TIcon* TTxStringGrid::CreateIcon(int ACol, int ARow, TCellHAlign HAlign, TCellVAlign VAlign)
{
    TCellGraphic* g = NewGraphic(ACol, ARow, ctIcon, HAlign, VAlign);
    return g ? g->Icon.own(std::make_unique<TIcon>()) : nullptr;
}

void TTxStringGrid::RemoveIcon(int ACol, int ARow) { RemoveCellGraphic(ACol, ARow, ctIcon); }

void TTxStringGrid::AddPicture(int ACol, int ARow, TPicture* APicture, bool Transparent, TStretchMode StretchMode,
                               int Padding, TCellHAlign HAlign, TCellVAlign VAlign)
{
    if (TCellGraphic* g = NewGraphic(ACol, ARow, ctPicture, HAlign, VAlign)) {
        g->Picture.lend(APicture);
        g->Flag = Transparent;
        g->SecondValue = StretchMode;
        g->Value = Padding;
    }
}

TPicture* TTxStringGrid::CreatePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode, int Padding,
                                       TCellHAlign HAlign, TCellVAlign VAlign)
{
    TCellGraphic* g = NewGraphic(ACol, ARow, ctPicture, HAlign, VAlign);
    if (!g)
        return nullptr;
    g->Flag = Transparent;
    g->SecondValue = StretchMode;
    g->Value = Padding;
    return g->Picture.own(std::make_unique<TPicture>());
}

TPicture* TTxStringGrid::GetPicture(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType == ctPicture ? g->Picture.get() : nullptr;
}

void TTxStringGrid::RemovePicture(int ACol, int ARow) { RemoveCellGraphic(ACol, ARow, ctPicture); }

void TTxStringGrid::AddFilePicture(int ACol, int ARow, TFilePicture* APicture, bool Transparent,
                                   TStretchMode StretchMode, int Padding, TCellHAlign HAlign, TCellVAlign VAlign)
{
    if (TCellGraphic* g = NewGraphic(ACol, ARow, ctFilePicture, HAlign, VAlign)) {
        g->FilePicture.lend(APicture);
        g->Flag = Transparent;
        g->SecondValue = StretchMode;
        g->Value = Padding;
    }
}

TFilePicture* TTxStringGrid::CreateFilePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode,
                                               int Padding, TCellHAlign HAlign, TCellVAlign VAlign)
{
    TCellGraphic* g = NewGraphic(ACol, ARow, ctFilePicture, HAlign, VAlign);
    if (!g)
        return nullptr;
    g->Flag = Transparent;
    g->SecondValue = StretchMode;
    g->Value = Padding;
    return g->FilePicture.own(std::make_unique<TFilePicture>());
}

TFilePicture* TTxStringGrid::GetFilePicture(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType == ctFilePicture ? g->FilePicture.get() : nullptr;
}

void TTxStringGrid::RemoveFilePicture(int ACol, int ARow) { RemoveCellGraphic(ACol, ARow, ctFilePicture); }

// --- images of the image list ------------------------------------------------------------

void TTxStringGrid::AddImageIdx(int ACol, int ARow, int Index, TCellHAlign HAlign, TCellVAlign VAlign)
{
    if (!FGridImages)
        return;
    if (TCellGraphic* g = NewGraphic(ACol, ARow, ctImageList, HAlign, VAlign))
        g->Value = Index;
}

bool TTxStringGrid::GetImageIdx(int ACol, int ARow, int& Index)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!FGridImages || !g || g->CellType != ctImageList)
        return false;
    Index = g->Value;
    return true;
}

void TTxStringGrid::RemoveImageIdx(int ACol, int ARow) { RemoveCellGraphic(ACol, ARow, ctImageList); }

void TTxStringGrid::AddDataImage(int ACol, int ARow, int Offset, TCellHAlign HAlign, TCellVAlign VAlign)
{
    if (!FGridImages)
        return;
    if (TCellGraphic* g = NewGraphic(ACol, ARow, ctDataImage, HAlign, VAlign))
        g->Value = Offset;
}

// A data image is removed as what it is (not as an image-list image).
void TTxStringGrid::RemoveDataImage(int ACol, int ARow) { RemoveCellGraphic(ACol, ARow, ctDataImage); }

void TTxStringGrid::AddMultiImage(int ACol, int ARow, int Direction, TCellHAlign HAlign, TCellVAlign VAlign)
{
    if (!FGridImages)
        return;
    TCellGraphic* g = NewGraphic(ACol, ARow, ctImages, HAlign, VAlign);
    if (!g)
        return;
    g->State = Direction == 0;
    g->Images = std::make_unique<TIntList>(ACol, ARow);
    g->Images->OnChange = [this](TIntList&, int c, int r) { RepaintCell(c, r); };
}

void TTxStringGrid::RemoveMultiImage(int ACol, int ARow) { RemoveCellGraphic(ACol, ARow, ctImages); }

TIntList* TTxStringGrid::GetCellImages(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType == ctImages ? g->Images.get() : nullptr;
}

// --- check boxes -------------------------------------------------------------------------

void TTxStringGrid::AddCheckBox(int ACol, int ARow, bool State, bool Data)
{
    static constexpr TCellVAlign fromGrid[] = {vaTop, vaCenter, vaBottom}; // by TVAlignment
    TCellGraphic* g = NewGraphic(ACol, ARow, Data ? ctDataCheckBox : ctCheckBox, haBeforeText, fromGrid[FVAlignment]);
    if (!g)
        return;
    g->State = State;
    g->Flag = true;
}

void TTxStringGrid::RemoveCheckBox(int ACol, int ARow)
{
    const TCellType t = GetCellType(ACol, ARow);
    if (t == ctCheckBox || t == ctDataCheckBox)
        FreeCellGraphic(ACol, ARow);
}

bool TTxStringGrid::HasCheckBox(int ACol, int ARow)
{
    const TCellGraphic* g = BaseGraphic(ACol, ARow);
    return g && (g->CellType == ctCheckBox || g->CellType == ctDataCheckBox);
}

bool TTxStringGrid::HasDataCheckBox(int ACol, int ARow)
{
    const TCellGraphic* g = BaseGraphic(ACol, ARow);
    return g && g->CellType == ctDataCheckBox;
}

bool TTxStringGrid::HasStaticEdit(int ACol, int ARow)
{
    const TCellGraphic* g = BaseGraphic(ACol, ARow);
    return g && (g->CellType == ctCheckBox || g->CellType == ctDataCheckBox || g->CellType == ctRadio);
}

bool TTxStringGrid::GetCheckBoxState(int ACol, int ARow, bool& State)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g)
        return false;
    if (g->CellType == ctCheckBox) {
        State = g->State;
        return true;
    }
    if (g->CellType == ctDataCheckBox) {
        State = cells(ACol, ARow) == GetCheckTrue(ACol, ARow);
        return true;
    }
    return false;
}

bool TTxStringGrid::SetCheckBoxState(int ACol, int ARow, bool State)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g)
        return false;
    if (g->CellType == ctCheckBox) {
        g->State = State;
        RepaintCell(ACol, ARow);
        return true;
    }
    if (g->CellType == ctDataCheckBox) {
        setCells(ACol, ARow, State ? GetCheckTrue(ACol, ARow) : GetCheckFalse(ACol, ARow));
        return true;
    }
    return false;
}

bool TTxStringGrid::ToggleCheck(int ACol, int ARow, bool FromUser)
{
    auto isCheck = [this, ACol, ARow] {
        const TCellType t = GetCellType(ACol, ARow);
        return t == ctCheckBox || t == ctDataCheckBox;
    };
    if (!isCheck())
        return false;
    if (FromUser) {
        bool canEdit = true;
        GetCellReadOnly(ACol, ARow, canEdit);
        if (!canEdit || !isCheck()) // the handler may have changed the cell
            return false;
    }
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g->CellType == ctCheckBox) {
        g->State = !g->State;
    } else {
        const QString yes = GetCheckTrue(ACol, ARow);
        setCells(ACol, ARow, cells(ACol, ARow) != yes ? yes : GetCheckFalse(ACol, ARow));
    }
    RepaintCell(RemapColInv(ACol), ARow);
    return true;
}

// --- radio groups ------------------------------------------------------------------------

void TTxStringGrid::AddRadio(int ACol, int ARow, int Direction, int Index, QStringList* Items)
{
    TCellGraphic* g = NewGraphic(ACol, ARow, ctRadio, haLeft, vaTop);
    if (!g)
        return;
    g->Strings.lend(Items);
    g->SecondValue = Items ? int(Items->size()) : 0;
    g->State = Direction != 0;
    g->Value = Index;
}

QStringList* TTxStringGrid::CreateRadio(int ACol, int ARow, int Direction, int Index)
{
    TCellGraphic* g = NewGraphic(ACol, ARow, ctRadio, haLeft, vaTop);
    if (!g)
        return nullptr;
    g->State = Direction != 0;
    g->Value = Index;
    return g->Strings.own(std::make_unique<QStringList>());
}

bool TTxStringGrid::GetRadioIdx(int ACol, int ARow, int& Index)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g)
        return false;
    Index = g->Value;
    return g->CellType == ctRadio;
}

// Only a radio group takes the index: on other kinds the value field means something else.
bool TTxStringGrid::SetRadioIdx(int ACol, int ARow, int Index)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType != ctRadio)
        return false;
    g->Value = Index;
    RepaintCell(ACol, ARow);
    return true;
}

QStringList* TTxStringGrid::GetRadioStrings(int ACol, int ARow)
{
    TCellGraphic* g = BaseGraphic(ACol, ARow);
    return g && g->CellType == ctRadio ? g->Strings.get() : nullptr;
}

bool TTxStringGrid::IsRadio(int ACol, int ARow)
{
    const TCellGraphic* g = BaseGraphic(ACol, ARow);
    return g && g->CellType == ctRadio;
}

void TTxStringGrid::RemoveRadio(int ACol, int ARow) { RemoveCellGraphic(ACol, ARow, ctRadio); }

bool TTxStringGrid::ToggleRadio(int ACol, int ARow, bool FromUser)
{
    if (GetCellType(ACol, ARow) != ctRadio)
        return false;
    if (FromUser) {
        bool canEdit = true;
        GetCellReadOnly(ACol, ARow, canEdit);
        if (!canEdit || GetCellType(ACol, ARow) != ctRadio)
            return false;
    }
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    const QStringList* items = g->Strings.get();
    // The list as it is now: a list made by CreateRadio is filled after the cell object.
    const int count = items ? int(items->size()) : 0;
    int next = g->Value >= 0 ? g->Value + 1 : (items ? int(items->indexOf(cells(ACol, ARow))) : -1) + 1;
    if (next >= count)
        next = 0;
    if (g->Value >= 0)
        g->Value = next;
    if (count > 0)
        setCells(ACol, ARow, items->at(next));
    RepaintCell(ACol, ARow);
    return false;
}

// --- buttons -----------------------------------------------------------------------------

void TTxStringGrid::AddButton(int ACol, int ARow, int Width, int Height, const QString& Caption, TCellHAlign HAlign,
                              TCellVAlign VAlign)
{
    TCellGraphic* g = NewGraphic(ACol, ARow, ctButton, HAlign, VAlign);
    if (!g)
        return;
    g->Strings.own(std::make_unique<QStringList>(TextToLines(Caption)));
    g->Value = TCellGraphic::PackButtonSize(Width, Height);
}

void TTxStringGrid::AddBitButton(int ACol, int ARow, int Width, int Height, const QString& Caption,
                                 std::unique_ptr<TBitmap> Glyph, TCellHAlign HAlign, TCellVAlign VAlign)
{
    TCellGraphic* g = NewGraphic(ACol, ARow, ctBitButton, HAlign, VAlign);
    if (!g)
        return;
    g->Strings.own(std::make_unique<QStringList>(TextToLines(Caption)));
    g->Value = TCellGraphic::PackButtonSize(Width, Height);
    g->Glyph = std::move(Glyph);
}

TBitmap* TTxStringGrid::CreateBitButton(int ACol, int ARow, int Width, int Height, const QString& Caption,
                                        TCellHAlign HAlign, TCellVAlign VAlign)
{
    AddBitButton(ACol, ARow, Width, Height, Caption, std::make_unique<TBitmap>(), HAlign, VAlign);
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g ? g->Glyph.get() : nullptr;
}

void TTxStringGrid::RemoveButton(int ACol, int ARow)
{
    const TCellType t = GetCellType(ACol, ARow);
    if (t == ctButton || t == ctBitButton)
        FreeCellGraphic(ACol, ARow);
}

bool TTxStringGrid::HasButton(int ACol, int ARow)
{
    const TCellGraphic* g = BaseGraphic(ACol, ARow);
    return g && (g->CellType == ctButton || g->CellType == ctBitButton);
}

void TTxStringGrid::PushButton(int ACol, int ARow, bool Pushed)
{
    if (TCellGraphic* g = GetCellGraphic(RemapCol(ACol), ARow)) {
        g->State = Pushed;
        RepaintCell(ACol, ARow);
    }
}

TRect TTxStringGrid::ButtonRect(int ACol, int ARow)
{
    const TCellGraphic* g = GetCellGraphic(RemapCol(ACol), ARow);
    if (!g)
        return {};
    const TRect cell = CellRect(ACol, ARow);
    const int x = cell.Left + g->ButtonOffset.x(), y = cell.Top + g->ButtonOffset.y();
    return {x, y, x + g->ButtonWidth(), y + g->ButtonHeight()};
}

// --- progress bars, comments, markers, rotated text --------------------------------------

void TTxStringGrid::AddProgress(int ACol, int ARow, TColor BarColor, TColor RestColor)
{
    if (TCellGraphic* g = NewGraphic(ACol, ARow, ctProgress, haLeft, vaTop)) {
        g->BarColor = BarColor;
        g->RestColor = RestColor;
    }
}

void TTxStringGrid::AddProgressEx(int ACol, int ARow, TColor BarColor, TColor BarTextColor, TColor RestColor,
                                  TColor RestTextColor)
{
    if (TCellGraphic* g = NewGraphic(ACol, ARow, ctProgress, haLeft, vaTop)) {
        g->State = true;
        g->BarColor = BarColor;
        g->BarTextColor = BarTextColor;
        g->RestColor = RestColor;
        g->RestTextColor = RestTextColor;
    }
}

void TTxStringGrid::RemoveProgress(int ACol, int ARow) { RemoveCellGraphic(ACol, ARow, ctProgress); }

void TTxStringGrid::AddComment(int ACol, int ARow, const QString& Comment)
{
    if (TCellGraphic* g = NewGraphic(ACol, ARow, ctComment, haLeft, vaTop))
        g->Strings.own(std::make_unique<QStringList>(TextToLines(Comment)));
}

bool TTxStringGrid::IsComment(int ACol, int ARow, QString& Comment)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType != ctComment)
        return false;
    Comment = g->Strings ? LinesToText(*g->Strings) : QString();
    return true;
}

void TTxStringGrid::RemoveComment(int ACol, int ARow) { RemoveCellGraphic(ACol, ARow, ctComment); }

void TTxStringGrid::AddMarker(int ACol, int ARow, int Marker1, int Marker2)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) {
        g = CreateCellGraphic(ACol, ARow);
        if (!g)
            return;
        g->CellType = ctEmpty;
    }
    g->Marker1 = qint16(Marker1);
    g->Marker2 = qint16(Marker2);
    RepaintCell(ACol, ARow);
}

void TTxStringGrid::GetMarker(int ACol, int ARow, int& Marker1, int& Marker2)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    Marker1 = g ? g->Marker1 : 0;
    Marker2 = g ? g->Marker2 : 0;
}

void TTxStringGrid::RemoveMarker(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g)
        return;
    if (g->CellType == ctEmpty) {
        FreeCellGraphic(ACol, ARow);
        return;
    }
    g->Marker1 = g->Marker2 = 0;
    RepaintCell(ACol, ARow);
}

void TTxStringGrid::AddRotated(int ACol, int ARow, int Angle, const QString& Text)
{
    if (TCellGraphic* g = NewGraphic(ACol, ARow, ctRotated, haLeft, vaTop)) {
        g->SecondValue = TCellGraphic::NormalizeAngle(Angle);
        setCells(ACol, ARow, Text);
    }
}

void TTxStringGrid::SetRotated(int ACol, int ARow, int Angle)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g) {
        // What the old kind held is let go first; the markers stay.
        g->FreePayload();
        g->CellType = ctRotated;
    } else {
        g = NewGraphic(ACol, ARow, ctRotated, haLeft, vaTop);
        if (!g)
            return;
    }
    g->SecondValue = TCellGraphic::NormalizeAngle(Angle);
    RepaintCell(ACol, ARow);
}

bool TTxStringGrid::IsRotated(int ACol, int ARow, int& Angle)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType != ctRotated)
        return false;
    Angle = g->SecondValue;
    return true;
}

void TTxStringGrid::RemoveRotated(int ACol, int ARow) { RemoveCellGraphic(ACol, ARow, ctRotated); }

// --- the room cell objects take ----------------------------------------------------------

namespace {
QSize iconSize(const TIcon* icon)
{
    if (!icon || icon->isNull())
        return {0, 0};
    const QList<QSize> sizes = icon->availableSizes();
    return sizes.isEmpty() ? QSize(0, 0) : sizes.first();
}
} // namespace

TPoint TTxStringGrid::GetCellGraphicSize(int ACol, int ARow)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g)
        return {0, 0};
    // Beside the text the picture takes its width; over the text only when there is none.
    const bool besideText = g->HAlign == haBeforeText || g->HAlign == haAfterText || cells(ACol, ARow).isEmpty();
    ui::Canvas canvas;
    canvas.font = controlFont();
    switch (g->CellType) {
    case ctBitmap: {
        const QSize s = g->Bitmap ? g->Bitmap->size() : QSize(0, 0);
        return {besideText ? s.width() : 0, s.height()};
    }
    case ctIcon: {
        const QSize s = iconSize(g->Icon.get());
        return {besideText ? s.width() : 0, s.height()};
    }
    case ctImageList:
        if (!FGridImages)
            return {0, 0};
        return {besideText ? FGridImages->Width : 0, FGridImages->Height};
    case ctCheckBox:
    case ctDataCheckBox: return {FControlLook.CheckSize(), FControlLook.CheckSize()};
    case ctRadio: {
        const QStringList items = g->Strings ? *g->Strings : QStringList();
        const int h = canvas.textHeight(QStringLiteral("gh"));
        int w = 0;
        if (g->State) {
            for (const QString& s : items)
                w += canvas.textWidth(s) + 12;
            return {w, h};
        }
        w = 12;
        for (const QString& s : items)
            w = std::max(w, canvas.textWidth(s) + 12);
        return {w, h * int(items.size())};
    }
    case ctImages: {
        if (!FGridImages || !g->Images)
            return {0, 0};
        const int n = g->Images->Count();
        if (g->State)
            return {n * FGridImages->Width, FGridImages->Height};
        return {FGridImages->Width, n * FGridImages->Height};
    }
    case ctPicture:
    case ctFilePicture: return g->GetPictureSize(colWidths(ACol), rowHeights(ARow));
    case ctButton:
    case ctBitButton: return {g->ButtonWidth(), g->ButtonHeight()};
    default: return {0, 0};
    }
}

TPoint TTxStringGrid::GetPrintGraphicSize(int ACol, int ARow, int Width, int Height, double Factor)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g)
        return {0, 0};
    switch (g->CellType) {
    case ctBitmap: return g->Bitmap ? TPoint(g->Bitmap->width(), g->Bitmap->height()) : TPoint(0, 0);
    case ctIcon: {
        const QSize s = iconSize(g->Icon.get());
        return {s.width(), s.height()};
    }
    case ctPicture:
    case ctFilePicture: {
        const TPoint p = g->GetPictureSize(Width, Height);
        if (Factor == 0)
            return p;
        return {int(std::nearbyint(p.x() / Factor)), int(std::nearbyint(p.y() / Factor))};
    }
    default: return GetCellGraphicSize(ACol, ARow);
    }
}

} // namespace grid
