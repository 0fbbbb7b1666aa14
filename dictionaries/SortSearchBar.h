#pragma once
// The row above a dictionary's grid: "Sortuj w/g :" with the sort combo, "Szukaj :" with the
// search-column combo, "=", the search text and "Szukaj". Sorting sets the dataset's index fields
// to the chosen column and refreshes it; searching moves the cursor to the first row whose chosen
// column begins with the typed text, ignoring case, or says that nothing was found.
#include <QStringList>
#include <QWidget>

#include <functional>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace data {
class Dataset;
}

namespace dictionaries {

struct UstawieniaPaska {
    QString nazwaSortuj = QStringLiteral("CBox_Sortuj");  // object name of the sort combo
    QString napisSortuj = QStringLiteral("Sortuj w/g :"); // its caption
    QString nazwaSzukaj = QStringLiteral("CBox_Szukaj");  // object name of the search combo
    QStringList sortuj;                                   // sort items
    // Index fields for the chosen sort item (index, text).
    std::function<QString(int, const QString&)> poleSortu;
    QStringList szukaj;          // search items
    QStringList kolumnySzukania; // their columns
    QString nieZnaleziono;       // message when no row matches
};

// The sort fields of a choice: the column of the item, `inne` for anything else.
std::function<QString(int, const QString&)> sortWedlugListy(QStringList kolumny, QString inne);

class SortSearchBar : public QWidget {
    Q_OBJECT
public:
    SortSearchBar(UstawieniaPaska ustawienia, QWidget* parent = nullptr);

    void setDataset(std::function<data::Dataset*()> dataset) { dataset_ = std::move(dataset); }

    // Sorts by the chosen item of the sort combo.
    void Sortuj();
    // Searches; false (after the message) when nothing was found.
    bool Szukaj();
    // Both combos back to their first item, the search text emptied.
    void Wyczysc();

    const UstawieniaPaska& ustawienia() const { return u_; }

    QComboBox* CBox_Sortuj;
    QComboBox* CBox_Szukaj;
    QLineEdit* Edit_Szukaj;
    QPushButton* BitBtn_Szukaj;

private:
    UstawieniaPaska u_;
    std::function<data::Dataset*()> dataset_;
};

} // namespace dictionaries
