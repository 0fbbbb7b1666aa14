#include "statements/Nawigacja.h"

#include "platform/data/Dataset.h"
#include "platform/ui/Application.h"
#include "platform/ui/DbGrid.h"

#include <QKeyEvent>

namespace statements {

void Na_Ostatni_Wiersz(data::Dataset& ds)
{
    if (!ds.isActive() || ds.state() != data::State::Browse)
        return;
    if (const int n = ds.recordCount(); n > 0)
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

void Skoki_Klawiszami(ui::DbGrid* siatka)
{
    siatka->installEventFilter(new Skoki(siatka));
}

} // namespace statements
