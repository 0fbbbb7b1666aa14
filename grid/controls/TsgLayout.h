#pragma once
// Where the edits with a button and the spin edits put their text and their buttons, in the
// client coordinates of the edit (inside its border), and how low they may be.
#include "platform/ui/Canvas.h"

#include <algorithm>

namespace grid {

// The edit with a button: the text from 2 pixels in without a border, 1 with; it stops short
// of the unit area and the button; the bottom lies one pixel below the client area.
inline ui::Rect EditBtnTextRect(int ClientWidth, int ClientHeight, bool Border, int ButtonWidth, int UnitWidth)
{
    const int m = Border ? 1 : 2;
    return {m, m, ClientWidth - ButtonWidth - UnitWidth - 3, ClientHeight + 1};
}

// The unit between the text and the button.
inline ui::Rect UnitTextRect(int ClientWidth, int ClientHeight, int ButtonWidth, int UnitWidth)
{
    const int left = ClientWidth - ButtonWidth - UnitWidth - 3;
    return {left, 2, left + UnitWidth, ClientHeight};
}

// The spin edit: the text from the client's corner with a border, one pixel in without.
inline ui::Rect SpinEditTextRect(int ClientWidth, int ClientHeight, bool Border, int SpinWidth)
{
    const int m = Border ? 0 : 1;
    return {m, m, ClientWidth - SpinWidth - m - 2, ClientHeight + 1};
}

// The button (or spin buttons) at the right edge of an edit Width by Height pixels.
inline ui::Rect EditButtonPlace(int Width, int Height, int ButtonWidth, bool Ctl3D, bool Border)
{
    if (Ctl3D) {
        const int extra = Border ? 0 : 4;
        const int left = Width - ButtonWidth - 5 + extra;
        return {left, 0, left + ButtonWidth, Height - 5 + extra};
    }
    const int left = Width - ButtonWidth;
    return {left, 1, left + ButtonWidth, 1 + Height - 3};
}

// Minimum heights from the control font's line height and the smaller of that and the system
// font's.
inline int EditBtnMinHeight(int FontHeight, int SystemFontHeight)
{
    return FontHeight + std::min(SystemFontHeight, FontHeight) / 4;
}
inline int SpinEditMinHeight(int FontHeight, int SystemFontHeight, bool SingleBorder)
{
    const int borderHeight = 1;
    return FontHeight + std::min(SystemFontHeight, FontHeight) / 4 + 2 + (SingleBorder ? 4 * borderHeight : 0);
}

} // namespace grid
