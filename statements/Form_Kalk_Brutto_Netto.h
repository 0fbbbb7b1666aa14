#pragma once
// "Kalkulator cen": turns a gross price into a net one or a net price into a gross one at a VAT
// rate chosen from every row of the rate table, archived rates included.
#include "platform/ui/Dialog.h"

#include <QString>

namespace ui {
class DbEdit;
class DbLookupCombo;
} // namespace ui
namespace data {
class DataSource;
class Table;
} // namespace data

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Direction of the calculation: the item indexes of "Rodzaj obliczeń".
enum class Rodzaj_Obliczen { Brutto_Netto = 0, Netto_Brutto = 1 };

// What "Przelicz" gives for the typed price `cena` at the rate named `stawka` of `procent` per
// cent: the result in the shortest form with up to 15 significant digits (unrounded), or the
// message of the first check that fails and the field it belongs to (0 the price, 1 the rate).
struct Wynik_Kalkulacji {
    QString Wynik;
    QString Komunikat;
    int Pole_Bledu = -1;
    bool ok() const { return Pole_Bledu < 0; }
};
Wynik_Kalkulacji Przelicz_Cene(Rodzaj_Obliczen rodzaj, const QString& cena, const QString& stawka, double procent);

class TForm_Kalk_Brutto_Netto : public ui::Dialog {
    Q_OBJECT
public:
    explicit TForm_Kalk_Brutto_Netto(QWidget* owner = nullptr);

    QGroupBox* GroupBox_Rodzaj;
    QButtonGroup* RadioGroup1; // ids are the item indexes of Rodzaj_Obliczen
    QRadioButton* RadioButton_Brutto_Netto;
    QRadioButton* RadioButton_Netto_Brutto;
    QLineEdit* LEdit1;
    ui::DbLookupCombo* JvDBLookupCombo1;
    ui::DbEdit* DBEdit1; // hidden: the percentage of the chosen rate
    QLineEdit* LEdit3;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    data::Table* ADOTable1;
    data::DataSource* DataSource1;

    Rodzaj_Obliczen Rodzaj() const;

public slots:
    void BitBtn1Click();
    void RadioGroup1Click();

protected:
    void showing() override;
    bool closing(int result) override;

private:
    void Wybrano_Stawke();
};

extern TForm_Kalk_Brutto_Netto* Form_Kalk_Brutto_Netto;
