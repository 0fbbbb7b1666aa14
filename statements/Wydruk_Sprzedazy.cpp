#include "statements/Wydruk_Sprzedazy.h"

#include "platform/system/Library.h"
#include "platform/codepage/Cp1250.h"
#include "platform/text/Dates.h"
#include "platform/ui/Clock.h"
#include "platform/ui/Connect.h"
#include "platform/ui/MessageDialog.h"
#include "shell/MainForm.h"
#include "statements/Kontrolki.h"

#include <QApplication>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace statements {

namespace {

// The entry point from the main window's library.
void* Raport_Z_Salvista(const char* nazwa)
{
    // Daj_Salvista loads the library when it is not loaded yet: one attempt per report.
    sys::LibraryHandle biblioteka = MainForm ? MainForm->Daj_Salvista() : nullptr;
    return sys::findEntry(biblioteka, nazwa);
}

} // namespace

Wydruk_Sprzedazy::Wydruk_Sprzedazy(Ustawienia_Wydruku u, QWidget* owner)
    : ui::Dialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), Znajdz_Raport(Raport_Z_Salvista),
      u_(std::move(u))
{
    setObjectName(u_.nazwa);
    setWindowTitle(u_.tytul);
    setModal(true);

    auto* kolumna = new QVBoxLayout(this);
    kolumna->setSizeConstraint(QLayout::SetFixedSize); // a fixed border, as large as its contents
    auto* okres = new QHBoxLayout;
    Od = Pole_Daty(this, u_.nazwaOd, QStringLiteral("Wystawione w okresie od :"), okres);
    okres->addSpacing(12);
    Do = Pole_Daty(this, u_.nazwaDo, QStringLiteral("do :"), okres);
    okres->addStretch(1);
    kolumna->addLayout(okres);
    tresc_ = new QVBoxLayout;
    kolumna->addLayout(tresc_, 1);

    auto* przyciski = new QHBoxLayout;
    przyciski->addStretch(1);
    BitBtn_Wykonaj = new QPushButton(QStringLiteral("Wykonaj"), this);
    BitBtn_Wykonaj->setObjectName(QStringLiteral("BitBtn_Wykonaj"));
    BitBtn_Zamknij = new QPushButton(QStringLiteral("Zamknij"), this);
    BitBtn_Zamknij->setObjectName(QStringLiteral("BitBtn_Zamknij"));
    for (QPushButton* b : {BitBtn_Wykonaj, BitBtn_Zamknij}) {
        b->setAutoDefault(false);
        przyciski->addWidget(b);
    }
    kolumna->addLayout(przyciski);

    ui::on(BitBtn_Wykonaj, &QPushButton::clicked, this, &Wydruk_Sprzedazy::BitBtn_WykonajClick);
    setCloseButton(BitBtn_Zamknij);
}

void Wydruk_Sprzedazy::showing()
{
    Od->setDate(ui::today());
    Do->setDate(ui::today());
    przyPokazaniu();
}

void Wydruk_Sprzedazy::BitBtn_WykonajClick()
{
    void* raport = Znajdz_Raport ? Znajdz_Raport(u_.raport) : nullptr;
    if (!raport) {
        QString blad = sys::lastErrorText();
        if (blad.isEmpty())
            blad = QStringLiteral("Nie znaleziono funkcji %1 biblioteki Salvista.dll").arg(QLatin1String(u_.raport));
        ui::showMessage(blad);
        return;
    }
    // The library reads the texts during the call only; they live until it returns.
    const QByteArray od = text::toCp1250(text::dateToText(Od->date()));
    const QByteArray do_ = text::toCp1250(text::dateToText(Do->date()));
    Wywolaj(raport, qobject_cast<QApplication*>(QCoreApplication::instance()), od, do_);
}

void Wydruk_Sprzedazy::Wywolaj(void* raport, QApplication* aplikacja, const QByteArray& od, const QByteArray& do_)
{
    reinterpret_cast<ShowSprzOkresProc>(raport)(aplikacja, od.constData(), do_.constData());
}

} // namespace statements
