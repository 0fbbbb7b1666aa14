#pragma once
// Checks of a document header before it is saved, the due date ("Oblicz") and the payment-kind
// rule, as plain functions: each returns the message and the field to focus, and the window
// shows the message. The order of the checks is the order users know from the windows.
#include <QDate>
#include <QString>
#include <optional>
#include <variant>

namespace documents {

// The field of a document window that receives the focus after a failed check.
enum class HeaderField {
    Data_Wyst,
    Rok,
    Data_Sprzedarzy,
    Miejsce_Wyst,
    Nazwa,
    NIP,
    Kod,
    Miasto,
    Adres,
    Dodaj,         // the "add line" button: the document has no lines
    Forma_Zaplaty, // the payment kind combo
    Data_Zap,
    Ilosc_Dni,
};

struct HeaderFailure {
    QString message;
    HeaderField field;
    // The empty issue date is reported in the plain message dialog by the VAT invoice and
    // editing windows; every other message goes through the program's message box.
    bool plainDialog = false;
};

// The header of a document as typed into its window.
struct HeaderEntry {
    QString dataWyst;
    QString rok;
    QString dataSprzedarzy;
    QString miejsceWyst;
    QString nazwa;
    bool czyFirma = false;
    QString nip;
    QString kod;
    QString miasto;
    QString adres;
    int lineCount = 0;
    QString formaZaplaty; // the payment combo's text
    QString dataZap;
    QString iloscDni;
};

// "rrrr-mm-dd": ten characters with "-" at positions 5 and 8 (the digits are left to the date
// conversion).
bool hasDateShape(const QString& text);
// A date text in the system's short date format, and back.
std::optional<QDate> readDate(const QString& text);
QString writeDate(const QDate& date);

// Issue date given, of the right shape, a real date; year given and equal to the date's first
// four characters. `invalidDateMessage` differs between windows ("Niepoprawna data wystawienia"
// for invoices, "Niepoprawna data" for corrections and notes).
std::optional<HeaderFailure> checkIssueDateAndYear(const QString& dataWyst, const QString& rok,
                                                   const QString& invalidDateMessage);
// Due date, when given: shape, then a real date.
std::optional<HeaderFailure> checkDueDate(const QString& dataZap);

// The save checks of an invoice header (VAT invoice, pro forma, editing window), in order.
std::optional<HeaderFailure> checkInvoiceHeader(const HeaderEntry& entry);

// "Oblicz": the issue date plus the number of days (a negative number gives a date before the
// issue date), as date text. A number of days that leads out of the dates the program writes
// (four-digit years) gives "Niepoprawna data" on the days.
std::variant<HeaderFailure, QString> computeDueDate(const QString& dataWyst, const QString& iloscDni);

// The name of the payment kind that makes the due date equal to the issue date.
QString cashPaymentName();

// What choosing a payment kind does to the term and the due date: the days become "0"; for
// cash the due date is the issue date (or the issue date's failure), otherwise it is emptied
// and the focus goes to the days.
struct PaymentChoice {
    QString iloscDni;
    std::optional<QString> dataZap;       // set when the due date field changes
    std::optional<HeaderFailure> failure; // the issue date could not be read
    std::optional<HeaderField> focus;
};
PaymentChoice choosePaymentKind(const QString& paymentName, const QString& dataWyst);

} // namespace documents
