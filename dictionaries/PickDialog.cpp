#include "dictionaries/PickDialog.h"
#include "platform/ui/Connect.h"

#include "platform/data/Dataset.h"
#include "platform/ui/Modal.h"

#include <QPushButton>

namespace dictionaries {

PickDialog::PickDialog(UstawieniaWyboru u, QWidget* parent)
    : ui::Dialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), u_(std::move(u))
{
    setModal(true);
    // "Dodaj" only where the pick has a new-record dialog.
    u_.lista.przyciski = {{QStringLiteral("BitBtn_Wstaw"), QStringLiteral("Wstaw")}};
    if (u_.nowy)
        u_.lista.przyciski.push_back({QStringLiteral("BitBtn_Dodaj"), QStringLiteral("Dodaj")});
    u_.lista.przyciski.push_back({QStringLiteral("BitBtn_Zamknij"), QStringLiteral("Anuluj / Zamknij")});
    panel_ = wypelnijOkno(this, u_.lista);
    ui::on(panel_->przycisk(QStringLiteral("BitBtn_Wstaw")), &QPushButton::clicked, this, &PickDialog::Wstaw);
    if (u_.wstawPodwojnymKlikiem)
        ui::on(panel_->siatka(), &ui::DbGrid::rowDoubleClicked, this, &PickDialog::Wstaw);
    if (QPushButton* dodaj = panel_->przycisk(QStringLiteral("BitBtn_Dodaj")))
        ui::on(dodaj, &QPushButton::clicked, this, &PickDialog::Dodaj);
    setCloseButton(panel_->przycisk(QStringLiteral("BitBtn_Zamknij")));
}

void PickDialog::Wstaw()
{
    data::DataSource* s = panel_->zrodlo();
    data::Dataset* ds = s ? s->dataset() : nullptr;
    // With no row there is nothing to copy: the caller's fields stay as they are.
    if (ds && ds->isActive() && ds->state() == data::State::Browse && ds->recNo() > 0)
        wstawDane();
    accept();
}

void PickDialog::Dodaj()
{
    QDialog* d = u_.nowy ? u_.nowy() : nullptr;
    if (!d)
        return;
    ui::showModal(d);
    data::DataSource* s = panel_->zrodlo();
    if (data::Dataset* ds = s ? s->dataset() : nullptr; ds && ds->isActive())
        ds->refresh();
}

bool PickDialog::closing(int)
{
    if (u_.przyZamknieciu)
        u_.przyZamknieciu();
    return true;
}

void PickDialog::showing()
{
    if (u_.przyPokazaniu)
        u_.przyPokazaniu();
    panel_->przypnij();
}

} // namespace dictionaries
