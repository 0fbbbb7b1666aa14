#pragma once
// Pieces the correction invoice and correction note windows share: read-only fields bound to the
// window's own copy of the corrected invoice, the first-number prompt as the store asks it, the
// payment kind of a combo's key, and closing an MDI child through its frame.
#include "documents/Numbering.h"

#include <QRect>
#include <QString>
#include <QVariant>

#include <optional>

class QCloseEvent;
class QWidget;
class QPushButton;

namespace data {
class Dataset;
class DataSource;
class Table;
} // namespace data

namespace ui {
class DbEdit;
class DbCheckBox;
class DbLookupCombo;
} // namespace ui

namespace corrections {

// A read-only, non-tab-stop edit of `field` with its caption above it (empty caption: hidden).
ui::DbEdit* boundEdit(QWidget* parent, const char* name, const QString& caption, data::DataSource* source,
                      const char* field, const QRect& geometry);
// A check box of `field` that the user cannot change.
ui::DbCheckBox* boundCheck(QWidget* parent, const char* name, const QString& caption, data::DataSource* source,
                           const char* field, const QRect& geometry);

// The corrected invoice's header as a correction window shows it: read-only fields bound to the
// window's copy of the invoice. Each window names and places them; a field with no caption is built
// hidden (the window still reads it).
struct HeaderField {
    const char* name;
    QString caption;
    QRect geometry;
};
struct HeaderFields {
    HeaderField typ, nr, rok, dataWyst, dataSprzedazy, miejsceWyst, nazwa, nazwaCd, nrKlienta, nip, czyFirma, kod,
        miasto, adres, nettoBrutto, id;
};
struct InvoiceHeader {
    ui::DbEdit *typ, *nr, *rok, *dataWyst, *dataSprzedazy, *miejsceWyst, *nazwa, *nazwaCd, *nrKlienta, *nip, *kod,
        *miasto, *adres, *nettoBrutto, *id;
    ui::DbCheckBox* czyFirma;
};
InvoiceHeader invoiceHeader(QWidget* parent, data::DataSource* source, const HeaderFields& fields);

// A lookup combo over `source` whose key and shown text are `field`, with its caption above it.
ui::DbLookupCombo* lookupCombo(QWidget* parent, const char* name, const QString& caption, data::DataSource* source,
                               const char* field, const QRect& geometry);

// A table of the window on the program's connection.
data::Table* ownTable(QObject* parent, const char* name, const char* table);

// The Id of the payment kind whose name is `key` (the combo's key), found in `kinds`.
std::optional<qint64> paymentKindId(data::Dataset& kinds, const QVariant& key);

// Today as the new-document presets write it, yyyy-mm-dd.
QString todayText();

// Closes a window that may sit in an MDI frame (the frame's close runs the window's close).
void closeWindow(QWidget* window);

// Whether an unsaved document may be dropped: asks while "Zapisz" is enabled.
bool mayDiscard(const QPushButton* zapisz);
// The close of a document window: when the user keeps the unsaved document, the close is refused
// and the window keeps the focus; returns whether it was refused.
bool keepOpen(QWidget* window, const QPushButton* zapisz, QCloseEvent* e);

} // namespace corrections
