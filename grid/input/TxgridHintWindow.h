#pragma once
// The formatted-text hint window the grid shows over its cells and scroll thumbs, and where it
// goes on the screen.
#include "grid/core/TxgridTypes.h"
#include "platform/ui/Canvas.h"

#include <QRect>
#include <QString>
#include <QWidget>

#include <memory>

namespace grid {

// Where a hint of TextW x TextH pixels placed at Anchor's top-left corner goes: text width
// + 16 by text height + 4, shifted left and up to stay 2 pixels inside Screen.
QRect HintWindowRect(QPoint Anchor, int TextW, int TextH, const QRect& Screen);

// Formatted-text hints, drawn by the renderer with blue links and no pictures.
class THTMLHintWindow : public QWidget {
public:
    explicit THTMLHintWindow(QWidget* Parent = nullptr);
    // Measures Text within MaxWidth: (0, 0, text width, text height).
    TRect CalcHintRect(int MaxWidth, const QString& Text);
    void ActivateHint(TRect R, const QString& Text);
    void SetText(const QString& Text);
    QString Text() const { return FText; }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value); // the background, repainted
    int TextWidth() const { return FTextWidth; }
    int TextHeight() const { return FTextHeight; }
    // The canvas measurer used for measuring; the process-wide one when unset.
    void SetMeasurer(std::shared_ptr<ui::TextMeasurer> M) { FMeasurer = std::move(M); }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QString FText;
    TColor FColor = ui::clInfoBk;
    int FTextWidth = 0, FTextHeight = 0;
    std::shared_ptr<ui::TextMeasurer> FMeasurer;
};

} // namespace grid
