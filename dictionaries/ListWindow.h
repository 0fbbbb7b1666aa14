#pragma once
// The dictionary list: the grid with "Dodaj" (the new-record dialog), "Popraw" (the edit dialog
// on the current row) and "Zamknij". The goods, client and payment-kind lists are MDI children
// (ListWindow) that clear their flag in the main window when they close; the VAT-rate list is a
// modal dialog (ListDialog). Both run the same actions.
#include "dictionaries/ListPanel.h"
#include "platform/ui/Dialog.h"

#include <QWidget>

class QDialog;

namespace data {
class Dataset;
}

namespace dictionaries {

class EditRecordDialog;

// The lists' buttons are "Dodaj", "Popraw" and "Zamknij" under the object names below (the
// panel's own list of buttons is left empty).
struct UstawieniaOknaListy {
    UstawieniaListy lista;
    QString dodaj = QStringLiteral("BitBtn_Dodaj");
    QString popraw = QStringLiteral("BitBtn_Popraw");
    QString zamknij = QStringLiteral("BitBtn_Zamknij");
    std::function<QDialog*()> nowy;             // the new-record dialog
    std::function<EditRecordDialog*()> poprawa; // the edit dialog
    // Filter that selects exactly the current row (values through data::quote).
    std::function<QString(data::Dataset&)> filtrWiersza;
    std::function<void()> przyZamknieciu; // e.g. MainForm->Ustaw_Czy_Lista_Klientow(false)
};

// The actions of a list, wired to a panel's buttons.
class ListActions : public QObject {
    Q_OBJECT
public:
    ListActions(ListPanel* panel, const UstawieniaOknaListy& u, std::function<void()> zamknij);
    void Dodaj();
    // Opens the edit dialog on the current row; nothing when the list is empty.
    void Popraw();

private:
    ListPanel* panel_;
    const UstawieniaOknaListy& u_;
};

class ListWindow : public QWidget {
    Q_OBJECT
public:
    ListWindow(UstawieniaOknaListy u, QWidget* parent);
    ListPanel* panel() const { return panel_; }
    ListActions* akcje() const { return actions_; }

    // What the list needs to show its columns, within the work space it is opened in.
    QSize sizeHint() const override;

protected:
    void closeEvent(QCloseEvent* e) override;

    UstawieniaOknaListy u_;
    ListPanel* panel_;
    ListActions* actions_;
};

class ListDialog : public ui::Dialog {
    Q_OBJECT
public:
    ListDialog(UstawieniaOknaListy u, QWidget* parent);
    ListPanel* panel() const { return panel_; }
    ListActions* akcje() const { return actions_; }

protected:
    UstawieniaOknaListy u_;
    ListPanel* panel_;
    ListActions* actions_;
};

} // namespace dictionaries
