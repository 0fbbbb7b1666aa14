#include "dictionaries/ListPanel.h"

#include "platform/data/Dataset.h"
#include "platform/ui/DbEdit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace dictionaries {

ListPanel::ListPanel(const UstawieniaListy& u, QWidget* parent) : QWidget(parent), zrodlo_(u.zrodlo)
{
    auto* col = new QVBoxLayout(this);
    col->setContentsMargins(0, 0, 0, 0);
    if (u.pasek) {
        bar_ = new SortSearchBar(*u.pasek, this);
        bar_->setDataset([this]() -> data::Dataset* {
            data::DataSource* s = zrodlo();
            return s ? s->dataset() : nullptr;
        });
        col->addWidget(bar_);
    }
    grid_ = new ui::DbGrid(this);
    grid_->setObjectName(u.nazwaSiatki);
    grid_->setColumns(u.kolumny);
    grid_->setTitlesBold(u.tytulyPogrubione);
    grid_->setColumnsResizable(u.zmiennaSzerokosc);
    col->addWidget(grid_, 1);

    for (const Szczegol& s : u.szczegoly) {
        auto* row = new QHBoxLayout;
        auto* label = new QLabel(s.etykieta, this);
        auto* edit = new ui::DbEdit(this);
        edit->setObjectName(s.nazwa);
        edit->setAccessibleName(s.etykieta);
        edit->setReadOnly(true);
        edit->setDataField(s.pole);
        label->setBuddy(edit);
        row->addWidget(label);
        row->addWidget(edit, 1);
        col->addLayout(row);
        details_.insert(s.nazwa, edit);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (const Przycisk& p : u.przyciski) {
        auto* b = new QPushButton(p.napis, this);
        b->setObjectName(p.nazwa);
        b->setAutoDefault(false);
        buttons->addWidget(b);
        buttons_.insert(p.nazwa, b);
    }
    col->addLayout(buttons);
    przypnij();
}

data::DataSource* ListPanel::zrodlo() const
{
    return zrodlo_ ? zrodlo_() : nullptr;
}

void ListPanel::przypnij()
{
    data::DataSource* s = zrodlo();
    grid_->setDataSource(s);
    for (ui::DbEdit* e : std::as_const(details_))
        e->setDataSource(s);
}

} // namespace dictionaries
