#include "grid/controls/Txobj.h"

#include "grid/controls/TxgridError.h"

#include <QFontMetrics>
#include <QImage>
#include <QRegion>

namespace grid {

// --- TIntList ----------------------------------------------------------------------------

void TIntList::Changed()
{
    if (OnChange)
        OnChange(*this, FCol, FRow);
}

void TIntList::Add(int Value)
{
    FItems.push_back(Value);
    Changed();
}

void TIntList::Delete(int Index)
{
    if (Index < 0 || Index >= Count())
        throw ETxGridError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    FItems.erase(FItems.begin() + Index);
    Changed();
}

void TIntList::SetInteger(int Index, int Value)
{
    if (Index < 0 || Index >= Count())
        throw ETxGridError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    FItems[std::size_t(Index)] = Value;
    Changed();
}

int TIntList::GetInteger(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw ETxGridError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return FItems[std::size_t(Index)];
}

// --- TSortIndexList ----------------------------------------------------------------------

void TSortIndexList::AddIndex(int ColumnIndex, bool Ascending)
{
    const unsigned v = unsigned(ColumnIndex) & 0x7FFFFFFFu;
    Add(int(Ascending ? v : (v | 0x80000000u)));
}

int TSortIndexList::FindIndex(int ColumnIndex) const
{
    for (int i = 0; i < Count(); ++i)
        if (Column(GetInteger(i)) == (ColumnIndex & 0x7FFFFFFF))
            return i;
    return -1;
}

void TSortIndexList::ToggleIndex(int ColumnIndex)
{
    const int i = FindIndex(ColumnIndex);
    if (i >= 0)
        SetInteger(i, int(unsigned(GetInteger(i)) ^ 0x80000000u));
}

// --- TFilePicture ------------------------------------------------------------------------

void TFilePicture::SetFileName(const QString& Name)
{
    FFileName = Name;
    FWidth = FHeight = 0;
    if (Name.isEmpty())
        return;
    const QImage img(Name);
    if (img.isNull())
        throw ETxGridError(QStringLiteral("Cannot load picture %1").arg(Name));
    FWidth = img.width();
    FHeight = img.height();
}

void TFilePicture::DrawPicture(ui::Canvas& Canvas, const ui::Rect& Rect) const
{
    if (FFileName.isEmpty())
        return;
    const QImage img(FFileName);
    if (img.isNull())
        throw ETxGridError(QStringLiteral("Cannot load picture %1").arg(FFileName));
    Canvas.stretchDraw(Rect, img);
}

// --- TArrowWindow ------------------------------------------------------------------------

QPolygon TArrowWindow::OutlineFor(TArrowDirection Direction)
{
    switch (Direction) {
    case arrUp: return QPolygon({{5, 0}, {10, 5}, {7, 5}, {7, 9}, {3, 9}, {3, 5}, {0, 5}});
    case arrDown: return QPolygon({{3, 0}, {7, 0}, {7, 4}, {9, 4}, {5, 8}, {1, 4}, {3, 4}});
    case arrLeft: return QPolygon({{0, 3}, {0, 7}, {4, 7}, {4, 10}, {8, 5}, {4, 0}, {4, 3}});
    case arrRight: return QPolygon({{0, 5}, {4, 10}, {4, 7}, {8, 7}, {8, 3}, {4, 3}, {4, 0}});
    }
    return {};
}

TArrowWindow::TArrowWindow(QWidget* AOwner, TArrowDirection Direction)
    : ui::Control(AOwner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus), FDirection(Direction),
      FOutline(OutlineFor(Direction))
{
    setControlColor(ui::clLime);
    setAttribute(Qt::WA_ShowWithoutActivating);
    const QRect b = FOutline.boundingRect();
    resize(b.right() + 1, b.bottom() + 1);
    setMask(QRegion(FOutline, Qt::WindingFill));
    hide();
}

// --- TPopupButton ------------------------------------------------------------------------

TPopupButton::TPopupButton(QWidget* AOwner)
    : ui::Control(AOwner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setControlColor(ui::clBtnFace);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setEnabled(false);
    hide();
}

void TPopupButton::SetCaption(const QString& Value)
{
    FCaption = Value;
    update();
}

void TPopupButton::SetFlat(bool Value)
{
    FFlat = Value;
    update();
}

void TPopupButton::paint(ui::Canvas& Canvas)
{
    const ui::Rect r{0, 0, width(), height()};
    Canvas.brush = ui::Brush{controlColor()};
    Canvas.fillRect(r);
    if (!FFlat) {
        Canvas.pen = ui::Pen{ui::clWhite, 1};
        Canvas.moveTo(0, r.Bottom - 1);
        Canvas.lineTo(0, 0);
        Canvas.lineTo(r.Right - 1, 0);
        Canvas.pen = ui::Pen{ui::rgb(128, 128, 128), 1};
        Canvas.lineTo(r.Right - 1, r.Bottom - 1);
        Canvas.lineTo(0, r.Bottom - 1);
    }
    const QString text =
        QFontMetrics(Canvas.font.toQFont()).elidedText(FCaption, Qt::ElideRight, std::max(0, r.width() - 4));
    Canvas.drawText(ui::Rect{2, 0, r.Right - 2, r.Bottom}, Qt::AlignCenter | Qt::TextSingleLine, text);
}

} // namespace grid
