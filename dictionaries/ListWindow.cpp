#include "dictionaries/ListWindow.h"
#include "platform/ui/Connect.h"

#include "dictionaries/RecordDialog.h"
#include "dictionaries/Uklad.h"
#include "platform/data/Dataset.h"
#include "platform/ui/Modal.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

namespace dictionaries {

namespace {
const UstawieniaListy& zPrzyciskami(UstawieniaOknaListy& u)
{
    u.lista.przyciski = {{u.dodaj, QStringLiteral("Dodaj")},
                         {u.popraw, QStringLiteral("Popraw")},
                         {u.zamknij, QStringLiteral("Zamknij")}};
    return u.lista;
}
} // namespace

ListActions::ListActions(ListPanel* panel, const UstawieniaOknaListy& u, std::function<void()> zamknij)
    : QObject(panel), panel_(panel), u_(u)
{
    if (QPushButton* b = panel->przycisk(u.dodaj))
        ui::on(b, &QPushButton::clicked, this, &ListActions::Dodaj);
    if (QPushButton* b = panel->przycisk(u.popraw))
        ui::on(b, &QPushButton::clicked, this, &ListActions::Popraw);
    if (QPushButton* b = panel->przycisk(u.zamknij))
        ui::on(b, &QPushButton::clicked, this, std::move(zamknij));
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
    setAttribute(Qt::WA_DeleteOnClose);
    panel_ = wypelnijOkno(this, zPrzyciskami(u_));
    actions_ = new ListActions(panel_, u_, [this] { close(); });
}

QSize ListWindow::sizeHint() const
{
    // In the main window's work space the frame takes its size from here when it opens: the
    // columns are shown as far as the work space has room, less the frame's own border.
    QSize miejsce;
    auto* ramka = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (QMdiArea* obszar = ramka ? ramka->mdiArea() : nullptr) {
        const QMargins m = ramka->contentsMargins();
        miejsce = obszar->viewport()->size() - QSize(m.left() + m.right(), m.top() + m.bottom());
    }
    return rozmiarPoczatkowy(u_.lista.obszar, QWidget::sizeHint(), miejsce);
}

void ListWindow::closeEvent(QCloseEvent* e)
{
    if (u_.przyZamknieciu)
        u_.przyZamknieciu();
    QWidget::closeEvent(e);
}

ListDialog::ListDialog(UstawieniaOknaListy u, QWidget* parent) : ui::Dialog(parent), u_(std::move(u))
{
    setModal(true);
    panel_ = wypelnijOkno(this, zPrzyciskami(u_));
    actions_ = new ListActions(panel_, u_, [this] { reject(); });
}

} // namespace dictionaries
