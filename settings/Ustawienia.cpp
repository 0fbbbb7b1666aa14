#include "settings/Ustawienia.h"

#include "shell/Rejestr.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

bool Zapisz_Wartosci(const QString& klucz, const QStringList& nazwy, const QStringList& wartosci)
{
    for (qsizetype i = 0; i < nazwy.size(); ++i)
        if (!Zapisz_Rejestr(HKEY_LOCAL_MACHINE, klucz, nazwy[i], wartosci.value(i)))
            return false;
    return true;
}

QString Komunikat_Bledu_Zapisu()
{
    const QString przyczyna = registry::lastWriteError();
    return przyczyna.isEmpty() ? Komunikat_Blad_Zapisu : Komunikat_Blad_Zapisu + QLatin1Char('\n') + przyczyna;
}

QStringList Czytaj_Wartosci(const QString& klucz, const QStringList& nazwy)
{
    QStringList wartosci;
    for (const QString& n : nazwy)
        wartosci << Czytaj_Rejestr(HKEY_LOCAL_MACHINE, klucz, n);
    return wartosci;
}

void Wpisz_Wartosci(const QList<QLineEdit*>& pola, const QString& klucz, const QStringList& nazwy)
{
    const QStringList wartosci = Czytaj_Wartosci(klucz, nazwy);
    for (qsizetype i = 0; i < pola.size(); ++i)
        pola[i]->setText(wartosci.value(i));
}

QStringList Teksty_Pol(const QList<QLineEdit*>& pola)
{
    QStringList teksty;
    for (const QLineEdit* e : pola)
        teksty << e->text();
    return teksty;
}

QPushButton* Przycisk_Ustawien(QDialog* okno, const char* nazwa, const QString& tekst)
{
    auto* b = new QPushButton(tekst, okno);
    b->setObjectName(QString::fromLatin1(nazwa));
    b->setAutoDefault(false);
    return b;
}

void Uloz_Okno_Ustawien(QDialog* okno, QLayout* pola, QPushButton* zapisz, QPushButton* zamknij)
{
    auto* przyciski = new QHBoxLayout;
    przyciski->addStretch();
    przyciski->addWidget(zapisz);
    przyciski->addWidget(zamknij);
    auto* top = new QVBoxLayout(okno);
    top->addLayout(pola);
    top->addSpacing(8);
    top->addLayout(przyciski);
    top->setSizeConstraint(QLayout::SetFixedSize);
}
