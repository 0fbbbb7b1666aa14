#include "statements/Kontrolki.h"

#include "dictionaries/SortSearchBar.h"
#include "platform/text/Regional.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>

namespace statements {

QDateEdit* Pole_Daty(QWidget* okno, const QString& nazwa, const QString& podpis, QHBoxLayout* wiersz, int przed)
{
    auto* etykieta = new QLabel(podpis, okno);
    auto* d = new QDateEdit(okno);
    d->setObjectName(nazwa);
    d->setAccessibleName(podpis);
    d->setCalendarPopup(true);
    d->setDisplayFormat(text::shortDateFormat());
    etykieta->setBuddy(d);
    if (przed < 0) {
        wiersz->addWidget(etykieta);
        wiersz->addWidget(d);
    } else {
        wiersz->insertWidget(przed, etykieta);
        wiersz->insertWidget(przed + 1, d);
    }
    return d;
}

void Podpisz_Sortowanie(dictionaries::SortSearchBar* pasek, const QString& podpis)
{
    for (QLabel* l : pasek->findChildren<QLabel*>())
        if (l->buddy() == pasek->CBox_Sortuj)
            l->setText(podpis);
    pasek->CBox_Sortuj->setAccessibleName(podpis);
}

} // namespace statements
