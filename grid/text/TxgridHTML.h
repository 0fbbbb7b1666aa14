#pragma once
// The formatted-text renderer: plain text with a small set of HTML-like tags (bold, italic,
// fonts and colours, lists, pictures, anchors, paragraphs, rotation, ...) laid out inside a
// rectangle of a canvas. One call measures it, draws it or finds the anchor under a point,
// as the mode flags say. Cell painting, sizing, mouse handling, hints and printing all use it.
#include "grid/text/Picturecontainer.h"
#include "grid/controls/TxgridImageList.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/Colors.h"

#include <QSize>
#include <QString>
#include <vector>

namespace grid {

// What RenderHTMLText is asked to do, besides the canvas (whose font and brush are the
// starting attributes), the text and the bounds.
struct THTMLRenderOptions {
    const TImageList* Images = nullptr; // source of "IDX:" pictures
    int HitX = 0, HitY = 0;             // the point to hit-test, in canvas coordinates
    int FocusAnchor = -1;               // anchor with the keyboard focus, from 0; -1 none
    int HoverAnchor = 0;                // anchor under the mouse, from 1
    int ShadowOffset = 1;
    bool HitTestOnly = false; // the second pass lays out without drawing
    bool MeasureOnly = false; // only the measuring pass runs
    bool Printing = false;    // image-list pictures are stretched by PrintScale
    bool KeepColors = false;  // colour changes of the text are ignored
    bool BlinkOn = true;      // when off, blinking text takes the background colour
    bool HoverStyle = false;  // only anchor HoverAnchor gets the link style
    bool WordWrap = false;    // break lines at spaces; else one run per line
    double PrintScale = 1.0;
    ui::Color URLColor = ui::clBlue;
    ui::Color HoverColor = ui::clNone;
    ui::Color HoverBkColor = ui::clNone;
    ui::Color ShadowColor = ui::rgb(128, 128, 128);
    const TPictureContainer* Pictures = nullptr;
    THTMLPictureCache* PictureCache = nullptr;
};

struct THTMLRenderResult {
    QString HitAnchorHref;   // target of the anchor under the point
    int HitAnchorIndex = -1; // its number, from 1
    ui::Rect HitAnchorRect;  // its rectangle on its last line
    int AnchorCount = 0;     // anchors met
    QString FocusAnchorHref; // target of the focus anchor
    QString PlainText;       // the text without tags; a line break adds a carriage return
    int MaxLineWidth = 0;    // widest line, trailing space excluded
    int TotalHeight = 0;     // sum of the line heights; at least one line's height
};

// Lays Text out in Bounds (from one pixel right of its left edge). True when the point
// (HitX, HitY) lies on an anchor, text or picture, in a call that ran the second pass.
// A turned run (the rotation tag) takes the box its turned glyphs fill: that wide on its
// line, its line at least that tall, and it is drawn and hit inside that box.
bool RenderHTMLText(ui::Canvas& Canvas, const QString& Text, const ui::Rect& Bounds, const THTMLRenderOptions& Options,
                    THTMLRenderResult& Result);

// Colour of a lower-case colour name ("clred", "clbtnface", ...); 0 (black) when unknown.
ui::Color HTMLColorByName(const QString& Name);
// "#RRGGBB" (upper-case digits) as a colour value 0xBBGGRR.
ui::Color HexToColor(const QString& Value);
// The value of two hexadecimal digits; 0 for a shorter text.
int HexByte(const QString& Pair);

// An icon of the desktop's file icons, small (16) or large (32), for a file or folder name or
// an extension; Size is the icon's size, or empty when there is no icon (an icon index names
// nothing here). Drawn at (X, Y), or stretched by Scale when printing.
void DrawSystemIcon(ui::Canvas& Canvas, int X, int Y, QSize& Size, double Scale, bool Printing, bool Draw, bool Large,
                    const QString& Source);
void StretchBitmapToRect(ui::Canvas& Canvas, const ui::Rect& Rect, const QImage& Bitmap);
bool IsFolder(const QString& Name);
// Selects a copy of the canvas font turned by Angle degrees, keeping the font it replaces;
// RestoreFont brings the last kept font back, and does nothing (false) when none is kept.
void SelectRotatedFont(ui::Canvas& Canvas, int Angle, std::vector<ui::Font>& Saved);
bool RestoreFont(ui::Canvas& Canvas, std::vector<ui::Font>& Saved);

} // namespace grid
