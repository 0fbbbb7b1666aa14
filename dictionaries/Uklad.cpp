#include "dictionaries/Uklad.h"

#include "platform/data/Dataset.h"

#include <algorithm>

namespace dictionaries {

int szerokoscPola(int maks, int znak, int ramka)
{
    const int znaki = maks > 0 ? std::min(maks, kNajszerszePole) : kPoleBezLimitu;
    return ramka + znaki * znak;
}

std::vector<ui::DbColumn> poszerzDoTytulow(std::vector<ui::DbColumn> kolumny, const std::function<int(int)>& tytul)
{
    for (int i = 0; i < int(kolumny.size()); ++i)
        kolumny[size_t(i)].width = std::max(kolumny[size_t(i)].width, tytul(i));
    return kolumny;
}

QSize rozmiarPoczatkowy(const std::optional<QSize>& obszar, QSize potrzebny, QSize dostepne)
{
    QSize s = obszar.value_or(potrzebny);
    if (!dostepne.isEmpty())
        s = s.boundedTo(dostepne);
    return s;
}

} // namespace dictionaries
