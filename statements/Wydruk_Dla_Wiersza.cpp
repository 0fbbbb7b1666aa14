#include "statements/Wydruk_Dla_Wiersza.h"

#include "platform/codepage/Cp1250.h"
#include "statements/Kontrolki.h"

#include <QComboBox>
#include <QVBoxLayout>

namespace statements {

Wydruk_Dla_Wiersza::Wydruk_Dla_Wiersza(Ustawienia_Wydruku u, Ustawienia_Wiersza w, QWidget* owner)
    : Wydruk_Sprzedazy(std::move(u), owner), w_(std::move(w))
{
    Tabela = Tabela_Do_Odczytu(this, w_.nazwaTabeli, w_.tabela, w_.indeks, w_.filtr);
    DataSource1 = Zrodlo(this, Tabela);
    DataSource1->setObjectName(QStringLiteral("DataSource1"));

    w_.lista.zrodlo = [this] { return DataSource1; };
    Lista = new dictionaries::ListPanel(w_.lista, this);
    JvDBUltimGrid1 = Lista->siatka();
    Podpisz_Sortowanie(Lista->pasek(), w_.podpisSortu);
    tresc()->addWidget(Lista);
}

QString Wydruk_Dla_Wiersza::Klucz() const
{
    if (!Tabela->isActive() || Tabela->recNo() <= 0)
        return QString();
    return Tabela->fieldByName(w_.klucz).asString();
}

void Wydruk_Dla_Wiersza::przyPokazaniu()
{
    // Read again at each showing, so that clients or goods added meanwhile can be chosen.
    Tabela->setIndexFieldNames(w_.indeks);
    Lista->pasek()->CBox_Sortuj->setCurrentIndex(0);
    Czytaj_Na_Nowo(*Tabela);
}

void Wydruk_Dla_Wiersza::Wywolaj(void* raport, QApplication* aplikacja, const QByteArray& od, const QByteArray& do_)
{
    const QByteArray klucz = text::toCp1250(Klucz());
    reinterpret_cast<ShowSprzDlaProc>(raport)(aplikacja, od.constData(), do_.constData(), klucz.constData());
}

} // namespace statements
