#pragma once
// Colour values as the grid library keeps them: 32-bit 0x00BBGGRR, system colours as
// 0x80000000 + the system colour index, and clNone for "not set".
#include <QColor>
#include <cstdint>

namespace ui {

using Color = std::uint32_t;

// Fixed colours (red in the low byte).
inline constexpr Color clBlack = 0x000000;
inline constexpr Color clMaroon = 0x000080;
inline constexpr Color clGreen = 0x008000;
inline constexpr Color clOlive = 0x008080;
inline constexpr Color clNavy = 0x800000;
inline constexpr Color clPurple = 0x800080;
inline constexpr Color clTeal = 0x808000;
inline constexpr Color clGray = 0x808080;
inline constexpr Color clSilver = 0xC0C0C0;
inline constexpr Color clRed = 0x0000FF;
inline constexpr Color clLime = 0x00FF00;
inline constexpr Color clYellow = 0x00FFFF;
inline constexpr Color clBlue = 0xFF0000;
inline constexpr Color clFuchsia = 0xFF00FF;
inline constexpr Color clAqua = 0xFFFF00;
inline constexpr Color clWhite = 0xFFFFFF;

// "No colour" and "the control's default colour".
inline constexpr Color clNone = 0x1FFFFFFF;
inline constexpr Color clDefault = 0x20000000;

// System colours: 0x80000000 + index.
inline constexpr Color clSystemColor = 0x80000000;
inline constexpr Color clScrollBar = clSystemColor + 0;
inline constexpr Color clBackground = clSystemColor + 1;
inline constexpr Color clActiveCaption = clSystemColor + 2;
inline constexpr Color clInactiveCaption = clSystemColor + 3;
inline constexpr Color clMenu = clSystemColor + 4;
inline constexpr Color clWindow = clSystemColor + 5;
inline constexpr Color clWindowFrame = clSystemColor + 6;
inline constexpr Color clMenuText = clSystemColor + 7;
inline constexpr Color clWindowText = clSystemColor + 8;
inline constexpr Color clCaptionText = clSystemColor + 9;
inline constexpr Color clActiveBorder = clSystemColor + 10;
inline constexpr Color clInactiveBorder = clSystemColor + 11;
inline constexpr Color clAppWorkSpace = clSystemColor + 12;
inline constexpr Color clHighlight = clSystemColor + 13;
inline constexpr Color clHighlightText = clSystemColor + 14;
inline constexpr Color clBtnFace = clSystemColor + 15;
inline constexpr Color clBtnShadow = clSystemColor + 16;
inline constexpr Color clGrayText = clSystemColor + 17;
inline constexpr Color clBtnText = clSystemColor + 18;
inline constexpr Color clInactiveCaptionText = clSystemColor + 19;
inline constexpr Color clBtnHighlight = clSystemColor + 20;
inline constexpr Color cl3DDkShadow = clSystemColor + 21;
inline constexpr Color cl3DLight = clSystemColor + 22;
inline constexpr Color clInfoText = clSystemColor + 23;
inline constexpr Color clInfoBk = clSystemColor + 24;

inline constexpr bool isSystemColor(Color c) { return (c & 0xFF000000u) == clSystemColor; }

// Builds a colour value from its components.
inline constexpr Color rgb(int r, int g, int b)
{
    return Color(r & 0xFF) | (Color(g & 0xFF) << 8) | (Color(b & 0xFF) << 16);
}
inline constexpr int redOf(Color c) { return int(c & 0xFF); }
inline constexpr int greenOf(Color c) { return int((c >> 8) & 0xFF); }
inline constexpr int blueOf(Color c) { return int((c >> 16) & 0xFF); }

// The plain 0x00BBGGRR value of a colour: system colours are looked up in the application's
// palette; clNone and clDefault come back unchanged (they name no colour).
Color colorToRGB(Color c);

// A QColor for painting. clNone gives an invalid (transparent) QColor.
QColor toQColor(Color c);
Color fromQColor(const QColor& c);

} // namespace ui
