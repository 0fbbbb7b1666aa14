#pragma once
// The body every dictionary list and pick shares: the optional sort/search bar, the data grid
// over the dictionary's dataset, read-only fields of the current row under it and a row of
// buttons. The list windows and the picks put it into their own frame (ListWindow, PickDialog).
#include "dictionaries/SortSearchBar.h"
#include "platform/ui/DbGrid.h"

#include <QHash>
#include <QWidget>

#include <optional>
#include <vector>

class QPushButton;

namespace data {
class DataSource;
}
namespace ui {
class DbEdit;
}

namespace dictionaries {

// A read-only field of the current row shown under the grid.
struct Szczegol {
    QString nazwa;    // object name, e.g. "DBEdit1"
    QString etykieta; // label
    QString pole;     // field
};

struct Przycisk {
    QString nazwa; // object name, e.g. "BitBtn_Dodaj"
    QString napis; // caption
};

struct UstawieniaListy {
    QString nazwaOkna;   // object name of the window ("Form_Lista_Klientow")
    QString tytul;       // caption
    QString nazwaSiatki; // object name of the grid ("DBGrid1")
    std::vector<ui::DbColumn> kolumny;
    bool tytulyPogrubione = false;
    bool zmiennaSzerokosc = false;
    std::optional<UstawieniaPaska> pasek;
    std::vector<Szczegol> szczegoly;
    std::vector<Przycisk> przyciski;
    std::function<data::DataSource*()> zrodlo; // the dictionary's data source
    // Client area of the window where it has a fixed one (so it opens as users know it);
    // otherwise the window opens as large as its columns need (within the room there is).
    std::optional<QSize> obszar;
};

class ListPanel : public QWidget {
    Q_OBJECT
public:
    ListPanel(const UstawieniaListy& u, QWidget* parent);

    // Binds the grid, the bar and the fields to the data source (again).
    void przypnij();

    ui::DbGrid* siatka() const { return grid_; }
    SortSearchBar* pasek() const { return bar_; }
    QPushButton* przycisk(const QString& nazwa) const { return buttons_.value(nazwa); }
    ui::DbEdit* szczegol(const QString& nazwa) const { return details_.value(nazwa); }
    data::DataSource* zrodlo() const;

    // Room for every column and kWidoczneWiersze rows of the grid, with the bar, fields and
    // buttons around it.
    QSize sizeHint() const override;

private:
    std::function<data::DataSource*()> zrodlo_;
    ui::DbGrid* grid_;
    SortSearchBar* bar_ = nullptr;
    QHash<QString, QPushButton*> buttons_;
    QHash<QString, ui::DbEdit*> details_;
};

// Fills a list's window (list, list dialog or pick): the list's object name and caption, the
// panel as its only content, and a first size that shows the columns where the screen allows.
ListPanel* wypelnijOkno(QWidget* okno, const UstawieniaListy& u);

} // namespace dictionaries
