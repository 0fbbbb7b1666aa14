#include "grid/paint/HTMLImage.h"

#include <algorithm>

namespace grid {

THTMLImage::THTMLImage(QWidget* AOwner) : ui::Control(AOwner), FHTMLPicture(std::make_unique<THTMLPicture>())
{
    resize(100, 100);
    FHTMLPicture->LogPixX = logicalDpiX();
    FHTMLPicture->LogPixY = logicalDpiY();
    FHTMLPicture->OnChange = [this](THTMLPicture&) { update(); };
    FHTMLPicture->OnDownLoadProgress = [this](THTMLPicture&, unsigned Size, unsigned Total) {
        if (OnDownLoadProgress)
            OnDownLoadProgress(*this, Size, Total);
    };
    FHTMLPicture->OnDownLoadComplete = [this](THTMLPicture&) {
        if (OnDownLoadComplete)
            OnDownLoadComplete(*this);
    };
    FHTMLPicture->OnDownLoadCancel = [this](THTMLPicture&, bool& Cancel) {
        if (OnDownLoadCancel)
            OnDownLoadCancel(*this, Cancel);
    };
    FHTMLPicture->OnDownLoadError = [this](THTMLPicture&, const QString& err) {
        if (OnDownLoadError)
            OnDownLoadError(*this, err);
    };
}

void THTMLImage::SetPicturePosition(TPicturePosition Value)
{
    if (Value == FPicturePosition)
        return;
    FPicturePosition = Value;
    update();
}

void THTMLImage::paint(ui::Canvas& Canvas)
{
    THTMLPicture& pic = *FHTMLPicture;
    if (pic.GetEmpty())
        return;
    const int pw = pic.GetWidth(), ph = pic.GetHeight();
    const int cw = width(), ch = height();
    auto at = [&](int x, int y) { pic.Draw(Canvas, {x, y, x + pw, y + ph}); };
    switch (FPicturePosition) {
    case bpTopLeft: at(0, 0); break;
    case bpTopRight: at(std::max(0, cw - pw), 0); break;
    case bpBottomLeft: at(0, std::max(0, ch - ph)); break;
    case bpBottomRight: at(std::max(0, cw - pw), std::max(0, ch - ph)); break;
    case bpCenter: at(std::max(0, cw - pw) / 2, std::max(0, ch - ph) / 2); break;
    case bpTiled:
        if (pw > 0 && ph > 0)
            for (int y = 0; y < ch; y += ph)
                for (int x = 0; x < cw; x += pw)
                    at(x, y);
        break;
    case bpStretched: {
        const bool stretch = pic.Stretch;
        pic.Stretch = true;
        pic.Draw(Canvas, {0, 0, cw, ch});
        pic.Stretch = stretch;
        break;
    }
    }
}

} // namespace grid
