#include "dictionaries/ListPanel.h"

#include "dictionaries/Uklad.h"

#include "platform/data/Dataset.h"
#include "platform/ui/DbEdit.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

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
    grid_->setTitlesBold(u.tytulyPogrubione);
    grid_->setColumns(u.kolumny);
    // A title longer than its column's designed width widens the column: titles stay readable.
    QHeaderView* naglowek = grid_->horizontalHeader();
    grid_->setColumns(poszerzDoTytulow(u.kolumny, [naglowek, &u](int i) {
        return u.kolumny[size_t(i)].width > 0 ? naglowek->sectionSizeHint(i) : 0;
    }));
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

data::DataSource* ListPanel::zrodlo() const { return zrodlo_ ? zrodlo_() : nullptr; }

QSize ListPanel::sizeHint() const
{
    const QSize reszta = QWidget::sizeHint() - QSize(0, grid_->sizeHint().height());
    const QHeaderView* boczny = grid_->verticalHeader();
    const int wiersze =
        boczny->isHidden() ? 0 : std::clamp(boczny->sizeHint().width(), boczny->minimumWidth(), boczny->maximumWidth());
    int w = 2 * grid_->frameWidth() + wiersze + grid_->verticalScrollBar()->sizeHint().width();
    for (int i = 0; i < grid_->horizontalHeader()->count(); ++i)
        w += grid_->columnWidth(i);
    const int h = 2 * grid_->frameWidth() + grid_->horizontalHeader()->sizeHint().height()
        + kWidoczneWiersze * grid_->verticalHeader()->defaultSectionSize()
        + grid_->horizontalScrollBar()->sizeHint().height();
    return {std::max(reszta.width(), w), reszta.height() + h};
}

ListPanel* wypelnijOkno(QWidget* okno, const UstawieniaListy& u)
{
    okno->setObjectName(u.nazwaOkna);
    okno->setWindowTitle(u.tytul);
    auto* col = new QVBoxLayout(okno);
    auto* panel = new ListPanel(u, okno);
    col->addWidget(panel);
    // Room on the screen, less a frame around the window.
    const QSize ekran = okno->screen() ? okno->screen()->availableGeometry().size() - QSize(16, 48) : QSize();
    okno->resize(rozmiarPoczatkowy(u.obszar, okno->sizeHint(), ekran));
    return panel;
}

void ListPanel::przypnij()
{
    data::DataSource* s = zrodlo();
    grid_->setDataSource(s);
    for (ui::DbEdit* e : std::as_const(details_))
        e->setDataSource(s);
}

} // namespace dictionaries
