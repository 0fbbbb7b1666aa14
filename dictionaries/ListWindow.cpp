#include "dictionaries/ListWindow.h"

#include "dictionaries/RecordDialog.h"
#include "platform/data/Dataset.h"
#include "platform/ui/Modal.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace dictionaries {

ListActions::ListActions(ListPanel* panel, const UstawieniaOknaListy& u, std::function<void()> zamknij)
    : QObject(panel), panel_(panel), u_(u)
{
    if (QPushButton* b = panel->przycisk(u.dodaj))
        connect(b, &QPushButton::clicked, this, &ListActions::Dodaj);
    if (QPushButton* b = panel->przycisk(u.popraw))
        connect(b, &QPushButton::clicked, this, &ListActions::Popraw);
    if (QPushButton* b = panel->przycisk(u.zamknij))
        connect(b, &QPushButton::clicked, this, std::move(zamknij));
}

void ListActions::Dodaj()
{
    if (QDialog* d = u_.nowy ? u_.nowy() : nullptr)
        ui::showModal(d);
}

void ListActions::Popraw()
{
    data::DataSource* s = panel_->zrodlo();
    data::Dataset* ds = s ? s->dataset() : nullptr;
    EditRecordDialog* d = u_.poprawa ? u_.poprawa() : nullptr;
    if (!ds || !d || !ds->isActive() || ds->state() != data::State::Browse || ds->recNo() <= 0)
        return;
    if (d->Otworz(u_.filtrWiersza(*ds)))
        ui::showModal(d);
}

ListWindow::ListWindow(UstawieniaOknaListy u, QWidget* parent) : QWidget(parent), u_(std::move(u))
{
    setObjectName(u_.lista.nazwaOkna);
    setWindowTitle(u_.lista.tytul);
    setAttribute(Qt::WA_DeleteOnClose);
    auto* col = new QVBoxLayout(this);
    panel_ = new ListPanel(u_.lista, this);
    col->addWidget(panel_);
    actions_ = new ListActions(panel_, u_, [this] { close(); });
    resize(u_.lista.rozmiar);
}

void ListWindow::closeEvent(QCloseEvent* e)
{
    if (u_.przyZamknieciu)
        u_.przyZamknieciu();
    QWidget::closeEvent(e);
}

ListDialog::ListDialog(UstawieniaOknaListy u, QWidget* parent) : ui::Dialog(parent), u_(std::move(u))
{
    setObjectName(u_.lista.nazwaOkna);
    setWindowTitle(u_.lista.tytul);
    setModal(true);
    auto* col = new QVBoxLayout(this);
    panel_ = new ListPanel(u_.lista, this);
    col->addWidget(panel_);
    actions_ = new ListActions(panel_, u_, [this] { reject(); });
    resize(u_.lista.rozmiar);
}

} // namespace dictionaries
