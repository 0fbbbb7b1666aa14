#pragma once
// The document lists by year and by period: one window shape, read-only. The type boxes and the
// window's own choice (a year, a period) are read when "Pokaż" is pressed; the grid then lists the
// documents with the lines of the one under the cursor, the two labels between the grids tell
// whether a correction or a duplicate was issued for it, and "Drukuj" / "Drukuj duplikat" hand
// it to the print and duplicate dialogs.
#include <QDate>
#include <QSize>
#include <QString>
#include <QWidget>

#include <vector>

class QCheckBox;
class QHBoxLayout;
class QLabel;
class QPushButton;

namespace data {
class DataSource;
class Table;
} // namespace data
namespace ui {
class DbEdit;
class DbGrid;
struct DbColumn;
} // namespace ui

namespace statements {


// The type boxes, in their order.
struct Typy_Dokumentow {
    bool FV = false, KFV = false, PFV = false, NFV = false;
};

// The list's filter: the condition `warunek` for every ticked type (FV, KFV, PFV, NFV), as
// "B and Typ='FV' or (B and Typ='KFV')"; with no box ticked the condition alone, so every type is
// listed.
QString Filtr_Dokumentow(const QString& warunek, const Typy_Dokumentow& typy);
// The condition of a year: every year for "%" (the "Wszystkie" entry) or no year, else that
// year. The value is quoted for the filter, never spliced.
QString Warunek_Roku(const QString& rok);
// The condition of a period, both days included; the dates are written in the filter's own date
// form, whatever the desktop's date format.
QString Warunek_Okresu(const QDate& od, const QDate& do_);

// What tells the two lists apart.
struct Ustawienia_Listy_Faktur {
    QString nazwa;           // object name of the window
    QString tytul;           // caption
    QSize obszar;            // designed client area
    bool wgRoku = true;      // the by-year grid (Rok before Nr, "Nr FV") or the by-period one
    QString porzadek;        // index fields of the document list
    QString nazwaSzczegolow; // object name of the lines table
    QString nazwaZamknij;    // object name of "Zamknij"
};
// The list by year (true) or by period (false).
Ustawienia_Listy_Faktur Ustawienia_Listy(bool wgRoku);

class Lista_Faktur : public QWidget {
    Q_OBJECT
public:
    Lista_Faktur(bool wgRoku, QWidget* parent);
    ~Lista_Faktur() override;

    QCheckBox* JvCheckBox_FV;
    QCheckBox* JvCheckBox_KFV;
    QCheckBox* JvCheckBox_PFV;
    QCheckBox* JvCheckBox_NFV;
    QPushButton* BitBtn_Pokaz;
    ui::DbGrid* JvDBUltimGrid1;
    ui::DbGrid* JvDBUltimGrid2;
    QLabel* Label_Korekta;
    QLabel* Label_Duplikat;
    ui::DbEdit* DBEdit1; // hidden: Czy_Korekta of the current document
    ui::DbEdit* DBEdit2; // hidden: Czy_Duplikat
    QPushButton* BitBtn_Drukuj_Duplikat;
    QPushButton* BitBtn_Drukuj;
    QPushButton* Zamknij;

    data::Table* ADOTable_Faktura; // the saved query Faktura_Kwerenda
    data::Table* Szczegoly;        // the lines of the current document
    data::DataSource* DataSource_Faktura;
    data::DataSource* DataSource_Szczegoly;

    Typy_Dokumentow Typy() const;
    // The year or period condition of the window's own controls.
    virtual QString Warunek() const = 0;

    QSize sizeHint() const override { return u_.obszar; }

public slots:
    void BitBtn_PokazClick();
    void BitBtn_DrukujClick();
    void BitBtn_Drukuj_DuplikatClick();
    void DBEdit1Change();
    void DBEdit2Change();

protected:
    // The row above the grids, where each window puts its own choice before the type boxes.
    QHBoxLayout* wybor() const { return wybor_; }
    // The tab order: the window's own controls, then the rest.
    void kolejnosc(std::initializer_list<QWidget*> wlasne);
    void closeEvent(QCloseEvent* e) override;

private:
    // Whether the list shows a document under the cursor (after "Pokaż", not empty).
    bool jestDokument() const;

    Ustawienia_Listy_Faktur u_;
    QHBoxLayout* wybor_;
};

} // namespace statements
