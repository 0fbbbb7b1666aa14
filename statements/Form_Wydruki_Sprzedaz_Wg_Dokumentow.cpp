#include "statements/Form_Wydruki_Sprzedaz_Wg_Dokumentow.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

TForm_Wydruki_Sprzedaz_Wg_Dokumentow* Form_Wydruki_Sprzedaz_Wg_Dokumentow = nullptr;

TForm_Wydruki_Sprzedaz_Wg_Dokumentow::TForm_Wydruki_Sprzedaz_Wg_Dokumentow(QWidget* owner)
    : Wydruk_Sprzedazy({QStringLiteral("Form_Wydruki_Sprzedaz_Wg_Dokumentow"),
                        QStringLiteral("Sprzedaż wg. dokumentów - wydruk"), "_ShowSprzWgDok",
                        QStringLiteral("JvOdDaty"), QStringLiteral("JvDoDaty")},
                       owner)
{
    JvOdDaty = Od;
    JvDoDaty = Do;
    auto* wiersz = new QHBoxLayout;
    wiersz->addWidget(new QLabel(QStringLiteral("Rodzaje dokumentów :"), this));
    auto pole = [&](const char* nazwa, const char* typ, bool zaznaczone) {
        auto* c = new QCheckBox(QLatin1String(typ), this);
        c->setObjectName(QLatin1String(nazwa));
        c->setChecked(zaznaczone);
        wiersz->addWidget(c);
        return c;
    };
    CBox_FV = pole("CBox_FV", "FV", true);
    CBox_KFV = pole("CBox_KFV", "KFV", true);
    CBox_PFV = pole("CBox_PFV", "PFV", false);
    CBox_NFV = pole("CBox_NFV", "NFV", false);
    wiersz->addStretch(1);
    tresc()->addLayout(wiersz);
}

void TForm_Wydruki_Sprzedaz_Wg_Dokumentow::Wywolaj(void* raport, QApplication* aplikacja, const QByteArray& od,
                                                   const QByteArray& do_)
{
    reinterpret_cast<ShowSprzWgDokProc>(raport)(aplikacja, od.constData(), do_.constData(), CBox_FV->isChecked(),
                                                CBox_KFV->isChecked(), CBox_PFV->isChecked(), CBox_NFV->isChecked());
}
