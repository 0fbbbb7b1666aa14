#pragma once
// A control that shows one picture of the formatted-text picture kind, placed in a corner,
// centred, tiled or stretched.
#include "grid/text/Picturecontainer.h"
#include "platform/ui/Control.h"

#include <functional>
#include <memory>

namespace grid {

enum TPicturePosition { bpTopLeft, bpTopRight, bpBottomLeft, bpBottomRight, bpCenter, bpTiled, bpStretched };

class THTMLImage : public ui::Control {
    Q_OBJECT
public:
    using TNotifyEvent = std::function<void(THTMLImage& Sender)>;
    using TDownLoadProgressEvent = std::function<void(THTMLImage& Sender, unsigned dwSize, unsigned dwTotSize)>;
    using TDownLoadCancelEvent = std::function<void(THTMLImage& Sender, bool& Cancel)>;
    using TDownLoadErrorEvent = std::function<void(THTMLImage& Sender, const QString& err)>;

    explicit THTMLImage(QWidget* AOwner = nullptr);

    THTMLPicture& HTMLPicture() { return *FHTMLPicture; }
    // Copies Value's picture.
    void SetHTMLPicture(const THTMLPicture& Value) { FHTMLPicture->Assign(&Value); }
    TPicturePosition PicturePosition() const { return FPicturePosition; }
    void SetPicturePosition(TPicturePosition Value);

    TDownLoadProgressEvent OnDownLoadProgress;
    TNotifyEvent OnDownLoadComplete;
    TDownLoadCancelEvent OnDownLoadCancel;
    TDownLoadErrorEvent OnDownLoadError;

protected:
    void paint(ui::Canvas& Canvas) override;

private:
    std::unique_ptr<THTMLPicture> FHTMLPicture;
    TPicturePosition FPicturePosition = bpTopLeft;
};

} // namespace grid
