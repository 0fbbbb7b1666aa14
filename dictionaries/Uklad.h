#pragma once
// Sizes of the dictionaries' windows and entry fields, worked out from what they have to show:
// an entry field as wide as the text its column holds, grid columns wide enough for their titles,
// and a window that opens showing its columns.
#include "platform/ui/DbGrid.h"

#include <QSize>

#include <functional>
#include <optional>
#include <vector>

namespace dictionaries {

// Characters an entry field is sized for at most: longer limits (remarks of 255) scroll past it.
constexpr int kNajszerszePole = 80;
// Characters an entry field without a limit of its own (prices, a percent) is sized for.
constexpr int kPoleBezLimitu = 12;
// Rows of a dictionary grid visible when its window opens.
constexpr int kWidoczneWiersze = 12;

// Width of an entry field for a text of at most `maks` characters (0: no limit): `ramka`
// (frame and text margins) plus that many characters `znak` pixels wide.
int szerokoscPola(int maks, int znak, int ramka);

// The columns, each widened to what its title needs (`tytul(i)` pixels) and never narrower
// than designed.
std::vector<ui::DbColumn> poszerzDoTytulow(std::vector<ui::DbColumn> kolumny, const std::function<int(int)>& tytul);

// The first size of a window: its fixed client area where it has one, otherwise what its
// contents need; within `dostepne` when that is known (not empty).
QSize rozmiarPoczatkowy(const std::optional<QSize>& obszar, QSize potrzebny, QSize dostepne);

} // namespace dictionaries
