#include "grid/core/TxgridCellGraphic.h"

#include <cmath>

namespace grid {

bool TCellGraphic::Owned() const
{
    switch (CellType) {
    case ctBitmap: return Bitmap.owned();
    case ctIcon: return Icon.owned();
    case ctPicture: return Picture.owned();
    case ctFilePicture: return FilePicture.owned();
    case ctRadio: return Strings.owned();
    default: return false;
    }
}

void TCellGraphic::FreePayload()
{
    Bitmap.reset();
    Icon.reset();
    Picture.reset();
    FilePicture.reset();
    Strings.reset();
    Images.reset();
    Glyph.reset();
    BarColor = RestColor = BarTextColor = RestTextColor = ui::clNone;
}

QPoint TCellGraphic::PictureSize(TStretchMode Mode, int W, int H, int w, int h, int Padding)
{
    W -= Padding;
    H -= Padding;
    const bool fits = W >= w && H >= h;
    auto aspect = [&](bool capped) {
        double rw = w > 0 ? double(W) / w : 1.0;
        double rh = h > 0 ? double(H) / h : 1.0;
        if (capped) {
            rw = std::min(rw, 1.0);
            rh = std::min(rh, 1.0);
        }
        if (rw >= rh)
            return QPoint(int(std::nearbyint(w * rh)), H);
        return QPoint(W, int(std::nearbyint(h * rw)));
    };
    switch (Mode) {
    case noStretch: return {w, h};
    case Stretch: return {W, H};
    case StretchWithAspectRatio: return aspect(false);
    case Shrink: return fits ? QPoint(w, h) : QPoint(W, H);
    case ShrinkWithAspectRatio: return fits ? QPoint(w, h) : aspect(true);
    }
    return {w, h};
}

QPoint TCellGraphic::GetPictureSize(int W, int H) const
{
    int w = 0, h = 0;
    if (CellType == ctPicture && Picture) {
        w = Picture->width();
        h = Picture->height();
    } else if (CellType == ctFilePicture && FilePicture) {
        w = FilePicture->Width();
        h = FilePicture->Height();
    } else {
        return {0, 0};
    }
    return PictureSize(StretchMode(), W, H, w, h, Padding());
}

int TCellGraphic::NormalizeAngle(int Angle)
{
    while (Angle < 0)
        Angle += 360;
    while (Angle > 360)
        Angle -= 360;
    return Angle;
}

void TCellGraphic::placedAt(int ACol, int ARow)
{
    if (Images)
        Images->SetCell(ACol, ARow);
}

QStringList TextToLines(const QString& Text)
{
    if (Text.isEmpty())
        return {};
    QString t = Text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (t.endsWith(QLatin1Char('\n')))
        t.chop(1);
    return t.split(QLatin1Char('\n'));
}

QString LinesToText(const QStringList& Lines) { return Lines.join(QStringLiteral("\r\n")); }

} // namespace grid
