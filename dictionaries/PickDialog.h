#pragma once
// The pick: the dictionary's grid with its sort/search bar, "Wstaw" (and a double click) that
// writes the current row into the window that opened the pick and closes, "Dodaj" (the
// new-record dialog, then the grid is read again) and "Anuluj / Zamknij".
#include "dictionaries/ListPanel.h"
#include "platform/ui/Dialog.h"

class QDialog;

namespace dictionaries {

// The pick's buttons are its own: "Wstaw", "Dodaj" and "Anuluj / Zamknij".
struct UstawieniaWyboru {
    UstawieniaListy lista;
    std::function<QDialog*()> nowy;       // the new-record dialog of "Dodaj" (none: no "Dodaj")
    bool wstawPodwojnymKlikiem = true;    // a double click on a row does "Wstaw"
    std::function<void()> przyPokazaniu;  // before each showing
    std::function<void()> przyZamknieciu; // after any way of closing
};

class PickDialog : public ui::Dialog {
    Q_OBJECT
public:
    PickDialog(UstawieniaWyboru u, QWidget* parent);
    ListPanel* panel() const { return panel_; }

    // "Wstaw": copies the current row into the caller (when there is one) and closes.
    void Wstaw();
    void Dodaj();

protected:
    // Copies the dataset's current row into the caller's fields.
    virtual void wstawDane() = 0;
    bool closing(int result) override;
    void showing() override;

    UstawieniaWyboru u_;
    ListPanel* panel_;
};

} // namespace dictionaries
