#include "statements/Nawigacja.h"

#include "platform/data/Dataset.h"
#include "platform/ui/Application.h"
#include "platform/ui/DbGrid.h"

#include <QKeyEvent>
#include <QSignalBlocker>

#include <algorithm>

namespace statements {

void Na_Ostatni_Wiersz(data::Dataset& ds)
{
    if (!ds.isActive() || ds.state() != data::State::Browse)
        return;
    const int n = ds.recordCount();
    if (n <= 0)
        return;
    // A far row is read by its position, and so is the screen of a grid that shows it. The cursor
    // lands first, unseen, on the first row of the grid's batch before the one that holds the
    // last row: from there the rows up to the last one are read in order, and the grid finds its
    // screen (at most a batch of rows) read.
    const int batch = ui::DatasetModel::kBatch;
    const int poczatek = std::max(0, (n - 1) / batch - 1) * batch + 1;
    if (poczatek < n && ds.recNo() < poczatek) {
        const QSignalBlocker cicho(&ds);
        ds.setRecNo(poczatek);
    }
    ds.setRecNo(n);
}

namespace {
class Skoki : public QObject {
public:
    explicit Skoki(ui::DbGrid* siatka) : QObject(siatka), siatka_(siatka) {}

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() != QEvent::KeyPress)
            return false;
        const auto* k = static_cast<QKeyEvent*>(e);
        if (!(k->modifiers() & Qt::ControlModifier) || (k->key() != Qt::Key_End && k->key() != Qt::Key_Home))
            return false;
        data::Dataset* ds = siatka_->dataset();
        if (!ds || !ds->isActive() || ds->state() != data::State::Browse)
            return true;
        ui::guard([&] { k->key() == Qt::Key_End ? Na_Ostatni_Wiersz(*ds) : ds->first(); });
        return true;
    }

private:
    ui::DbGrid* siatka_;
};
} // namespace

void Skoki_Klawiszami(ui::DbGrid* siatka) { siatka->installEventFilter(new Skoki(siatka)); }

} // namespace statements
