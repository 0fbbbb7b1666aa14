#pragma once
// The window in which a stored VAT invoice is edited and saved again under its own number
// ("Poprawa faktury"), an MDI child of the main window. The invoice comes from the picker
// Form_Do_Poprawy; the save rewrites it through the document store.
#include "documents/InvoiceWindow.h"

class TForm_Faktura_Poprawa : public documents::InvoiceWindow {
    Q_OBJECT
public:
    explicit TForm_Faktura_Poprawa(QWidget* parent = nullptr);
    ~TForm_Faktura_Poprawa() override;

    // "Wstaw" of the picker: the window is emptied first, then holds the invoice's header, its
    // stored totals, its price mode (read-only) and its lines; the payment kind is left to choose.
    void Wstaw_Fakture(const documents::Document& faktura);
    // The key of the invoice the window holds (0: none loaded since the last reset).
    qint64 Wczytane_Id() const { return wczytane_; }

    void Wyczysc_Dokument(const QString& data, const QString& rok) override;

    QLineEdit* Edit_Id; // the loaded invoice's key as text (printing)

public slots:
    // Empties the window (after the question while unsaved) and opens the picker again.
    void BitBtn_NowaClick() override;

protected:
    documents::SaveOutcome Zapisz(documents::DocumentStore& store, const documents::Document& d,
                                  const documents::FirstNumberPrompt& prompt) override;

private:
    qint64 wczytane_ = 0;
};

extern TForm_Faktura_Poprawa* Form_Faktura_Poprawa;

// Opens the picker for the current year over the editing window (the menu item and "Nowa faktura").
void Otworz_Wybor_Faktury_Do_Poprawy();
