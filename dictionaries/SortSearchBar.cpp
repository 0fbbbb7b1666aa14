#include "dictionaries/SortSearchBar.h"
#include "platform/ui/Connect.h"

#include "platform/data/Dataset.h"
#include "shell/Form_Komunikat.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace dictionaries {

std::function<QString(int, const QString&)> sortWedlugListy(QStringList kolumny, QString inne)
{
    return [kolumny, inne](int i, const QString&) { return i >= 0 && i < kolumny.size() ? kolumny[i] : inne; };
}

SortSearchBar::SortSearchBar(UstawieniaPaska ustawienia, QWidget* parent) : QWidget(parent), u_(std::move(ustawienia))
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);

    auto* lSort = new QLabel(u_.napisSortuj, this);
    CBox_Sortuj = new QComboBox(this);
    CBox_Sortuj->setObjectName(u_.nazwaSortuj);
    CBox_Sortuj->setAccessibleName(u_.napisSortuj);
    CBox_Sortuj->addItems(u_.sortuj);
    lSort->setBuddy(CBox_Sortuj);

    auto* lSzukaj = new QLabel(QStringLiteral("Szukaj :"), this);
    CBox_Szukaj = new QComboBox(this);
    CBox_Szukaj->setObjectName(u_.nazwaSzukaj);
    CBox_Szukaj->setAccessibleName(QStringLiteral("Szukaj :"));
    CBox_Szukaj->addItems(u_.szukaj);
    lSzukaj->setBuddy(CBox_Szukaj);

    Edit_Szukaj = new QLineEdit(this);
    Edit_Szukaj->setObjectName(QStringLiteral("Edit_Szukaj"));
    Edit_Szukaj->setAccessibleName(QStringLiteral("="));
    BitBtn_Szukaj = new QPushButton(QStringLiteral("Szukaj"), this);
    BitBtn_Szukaj->setObjectName(QStringLiteral("BitBtn_Szukaj"));

    row->addWidget(lSort);
    row->addWidget(CBox_Sortuj);
    row->addSpacing(16);
    row->addWidget(lSzukaj);
    row->addWidget(CBox_Szukaj);
    row->addWidget(new QLabel(QStringLiteral("="), this));
    row->addWidget(Edit_Szukaj, 1);
    row->addWidget(BitBtn_Szukaj);

    // Only the user's choice sorts; setting the combo from code does not.
    ui::on(CBox_Sortuj, &QComboBox::activated, this, [this] { Sortuj(); });
    ui::on(BitBtn_Szukaj, &QPushButton::clicked, this, [this] { Szukaj(); });
    ui::on(Edit_Szukaj, &QLineEdit::returnPressed, this, [this] { Szukaj(); });
}

void SortSearchBar::Sortuj()
{
    data::Dataset* ds = dataset_ ? dataset_() : nullptr;
    if (!ds)
        return;
    const int i = CBox_Sortuj->currentIndex();
    ds->setIndexFieldNames(u_.poleSortu(i, CBox_Sortuj->currentText()));
    if (ds->isActive())
        ds->refresh();
}

bool SortSearchBar::Szukaj()
{
    data::Dataset* ds = dataset_ ? dataset_() : nullptr;
    const int i = CBox_Szukaj->currentIndex();
    if (!ds || !ds->isActive() || i < 0 || i >= u_.kolumnySzukania.size())
        return false;
    if (ds->locate(u_.kolumnySzukania[i], Edit_Szukaj->text(), {.caseInsensitive = true, .partialKey = true}))
        return true;
    Pokaz_Komunikat(u_.nieZnaleziono);
    return false;
}

void SortSearchBar::Wyczysc()
{
    CBox_Sortuj->setCurrentIndex(CBox_Sortuj->count() > 0 ? 0 : -1);
    CBox_Szukaj->setCurrentIndex(CBox_Szukaj->count() > 0 ? 0 : -1);
    Edit_Szukaj->clear();
}

} // namespace dictionaries
