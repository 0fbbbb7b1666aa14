#include "dictionaries/PickTargets.h"

#include "platform/data/Dataset.h"

#include <QCheckBox>
#include <QHash>
#include <QLineEdit>
#include <QObject>
#include <QWidget>

namespace dictionaries {

namespace {
struct Wpis {
    QPointer<QWidget> okno;
    BlokKlienta blok;
};
QHash<QString, Wpis>& bloki()
{
    static QHash<QString, Wpis> h;
    return h;
}
struct WpisTowaru {
    QPointer<QWidget> okno;
    BlokTowaru blok;
};
WpisTowaru& blokTowaru()
{
    static WpisTowaru w;
    return w;
}
} // namespace

void Ustaw_Blok_Towaru(QWidget* okno, const BlokTowaru& blok) { blokTowaru() = {okno, blok}; }

std::optional<BlokTowaru> Blok_Towaru()
{
    if (!blokTowaru().okno)
        return std::nullopt;
    return blokTowaru().blok;
}

void Ustaw_Blok_Klienta(const QString& typ, QWidget* okno, const BlokKlienta& blok)
{
    bloki().insert(typ, {okno, blok});
}

std::optional<BlokKlienta> Blok_Klienta(const QString& typ)
{
    auto it = bloki().find(typ);
    if (it == bloki().end())
        return std::nullopt;
    if (!it->okno) {
        bloki().erase(it);
        return std::nullopt;
    }
    return it->blok;
}

void Wpisz_Klienta(data::Dataset& k, const BlokKlienta& b)
{
    auto tekst = [&](const char* pole) { return k.fieldByName(QString::fromLatin1(pole)).asString(); };
    auto wpisz = [](QLineEdit* e, const QString& s) {
        if (e)
            e->setText(s);
    };
    wpisz(b.LEdit_Nazwa, tekst("Nazwa_Nazwisko"));
    wpisz(b.LEdit_Nazwa_cd, tekst("Nazwa_Nazwisko_cd"));
    wpisz(b.LEdit_Nr_Klienta, tekst("Nr_Klienta"));
    wpisz(b.LEdit_NIP, tekst("NIP"));
    wpisz(b.LEdit_Kod, tekst("Kod"));
    wpisz(b.LEdit_Miasto, tekst("Miasto"));
    wpisz(b.LEdit_Adres, tekst("Adres"));
    if (b.CBox_Czy_Firma)
        b.CBox_Czy_Firma->setChecked(k.fieldByName(QStringLiteral("Czy_Firma")).asBoolean());
}

} // namespace dictionaries
