#include "grid/text/TxgridHTML.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QIcon>
#include <QMimeDatabase>
#include <QPixmap>
#include <cmath>

namespace grid {

void DrawSystemIcon(ui::Canvas& Canvas, int X, int Y, QSize& Size, double Scale, bool Printing, bool Draw, bool Large,
                    const QString& Source)
{
    const int px = Large ? 32 : 16;
    Size = QSize();
    bool number = false;
    Source.toInt(&number);
    if (number || Source.isEmpty())
        return; // the desktop has no icon list to index
    QIcon icon;
    QFileIconProvider provider;
    const QFileInfo info(Source);
    if (info.exists()) {
        icon = provider.icon(info);
    } else {
        // A name that does not exist finds its icon by its extension alone.
        const QMimeType mime = QMimeDatabase().mimeTypeForFile(Source, QMimeDatabase::MatchExtension);
        icon = QIcon::fromTheme(mime.iconName(), QIcon::fromTheme(mime.genericIconName()));
        if (icon.isNull())
            icon = provider.icon(QAbstractFileIconProvider::File);
    }
    if (icon.isNull())
        return;
    Size = QSize(px, px);
    if (!Draw || !Canvas.painter())
        return;
    const QImage img = icon.pixmap(px, px).toImage();
    if (Printing)
        Canvas.stretchDraw({X, Y, X + int(std::lround(px * Scale)), Y + int(std::lround(px * Scale))}, img);
    else
        Canvas.drawImage(X, Y, img);
}

void StretchBitmapToRect(ui::Canvas& Canvas, const ui::Rect& Rect, const QImage& Bitmap)
{
    Canvas.stretchDraw(Rect, Bitmap);
}

bool IsFolder(const QString& Name)
{
    const QFileInfo info(Name);
    return info.exists() && info.isDir();
}

void SelectRotatedFont(ui::Canvas& Canvas, int Angle, std::vector<ui::Font>& Saved)
{
    Saved.push_back(Canvas.font);
    Canvas.font.orientation = Angle * 10;
}

bool RestoreFont(ui::Canvas& Canvas, std::vector<ui::Font>& Saved)
{
    if (Saved.empty())
        return false;
    Canvas.font = Saved.back();
    Saved.pop_back();
    return true;
}

} // namespace grid
