#include "documents/InvoiceCheck.h"

#include "documents/LineMath.h"
#include "platform/text/Dates.h"

#include <QDate>

namespace documents {

namespace {

HeaderFailure failure(const QString& message, HeaderField field) { return HeaderFailure{message, field}; }

HeaderFailure failure(const char* message, HeaderField field) { return failure(QString::fromUtf8(message), field); }

const char* const IssueDateShape = "Niepoprawny format daty w polu 'Data wystawienia'\nPoprawny format to rrrr-mm-dd";

} // namespace

bool hasDateShape(const QString& t) { return t.size() == 10 && t[4] == QLatin1Char('-') && t[7] == QLatin1Char('-'); }

std::optional<QDate> readDate(const QString& t)
{
    const QDate d = text::textToDate(t);
    return d.isValid() ? std::optional<QDate>(d) : std::nullopt;
}

QString writeDate(const QDate& d) { return text::dateToText(d); }

std::optional<HeaderFailure> checkIssueDateAndYear(const QString& dataWyst, const QString& rok,
                                                   const QString& invalidDateMessage)
{
    if (dataWyst.isEmpty()) {
        auto f = failure("Pole 'Data Wystawienia' musi być wypełnione !", HeaderField::Data_Wyst);
        f.plainDialog = true;
        return f;
    }
    if (!hasDateShape(dataWyst))
        return failure(IssueDateShape, HeaderField::Data_Wyst);
    if (!readDate(dataWyst))
        return HeaderFailure{invalidDateMessage, HeaderField::Data_Wyst};
    if (rok.isEmpty())
        return failure("Pole 'Rok' musi być wypełnione !", HeaderField::Rok);
    if (rok != dataWyst.left(4))
        return failure("Niepoprawna wartość w polu 'Rok'", HeaderField::Rok);
    return std::nullopt;
}

std::optional<HeaderFailure> checkDueDate(const QString& dataZap)
{
    if (dataZap.isEmpty())
        return std::nullopt;
    if (!hasDateShape(dataZap))
        return failure("Niepoprawny format daty w polu 'Data zapłaty'\nPoprawny format to rrrr-mm-dd",
                       HeaderField::Data_Zap);
    if (!readDate(dataZap))
        return failure("Niepoprawna data", HeaderField::Data_Zap);
    return std::nullopt;
}

std::optional<HeaderFailure> checkInvoiceHeader(const HeaderEntry& e)
{
    if (auto f = checkIssueDateAndYear(e.dataWyst, e.rok, QStringLiteral("Niepoprawna data wystawienia")))
        return f;
    if (e.dataSprzedarzy.isEmpty())
        return failure("Pole 'Data Sprzedaży' musi być wypełnione !", HeaderField::Data_Sprzedarzy);
    if (e.miejsceWyst.isEmpty())
        return failure("Pole 'Miejsce Wystawienia' musi być wypełnione !", HeaderField::Miejsce_Wyst);
    if (e.nazwa.isEmpty())
        return failure("Pole 'Nazwa/Nazwisko Imię Klienta' musi być wypełnione !", HeaderField::Nazwa);
    if (e.czyFirma && e.nip.isEmpty())
        return failure("Pole 'NIP' dla Klienta firmowego musi być wypełnione !", HeaderField::NIP);
    if (e.kod.isEmpty())
        return failure("Pole 'Kod' musi być wypełnione !", HeaderField::Kod);
    if (e.miasto.isEmpty())
        return failure("Pole 'Miasto' musi być wypełnione !", HeaderField::Miasto);
    if (e.adres.isEmpty())
        return failure("Pole 'Adres' musi być wypełnione !", HeaderField::Adres);
    if (e.lineCount <= 0)
        return failure("Nie dodano żadnych pozycji do faktury", HeaderField::Dodaj);
    if (e.formaZaplaty.isEmpty())
        return failure("Należy podać sposób zapłaty", HeaderField::Forma_Zaplaty);
    if (auto f = checkDueDate(e.dataZap))
        return f;
    if (!readInteger(e.iloscDni))
        return failure("Pole 'Liczba dni' musi być liczbą całkowitą", HeaderField::Ilosc_Dni);
    return std::nullopt;
}

namespace {

// The issue date checks of "Oblicz" and of the cash rule.
std::variant<HeaderFailure, QDate> readIssueDateForDue(const QString& dataWyst)
{
    const auto d = readDate(dataWyst);
    if (!d)
        return failure("Niepoprawna data !", HeaderField::Data_Wyst);
    if (!hasDateShape(dataWyst))
        return failure(IssueDateShape, HeaderField::Data_Wyst);
    return *d;
}

} // namespace

std::variant<HeaderFailure, QString> computeDueDate(const QString& dataWyst, const QString& iloscDni)
{
    const auto issue = readIssueDateForDue(dataWyst);
    if (const auto* f = std::get_if<HeaderFailure>(&issue))
        return *f;
    const auto days = readInteger(iloscDni);
    if (!days)
        return failure("Pole 'Ilość dni' musi być liczbą całkowitą", HeaderField::Ilosc_Dni);
    const QDate due = std::get<QDate>(issue).addDays(*days);
    // A due date the save could not read back (a year of more than four digits, or before 1)
    // is refused here rather than written into the field.
    if (!due.isValid() || due.year() < 1 || due.year() > 9999)
        return failure("Niepoprawna data", HeaderField::Ilosc_Dni);
    return writeDate(due);
}

QString cashPaymentName() { return QStringLiteral("Gotówka"); }

PaymentChoice choosePaymentKind(const QString& paymentName, const QString& dataWyst)
{
    PaymentChoice c;
    c.iloscDni = QStringLiteral("0");
    if (paymentName != cashPaymentName()) {
        c.dataZap = QString();
        c.focus = HeaderField::Ilosc_Dni;
        return c;
    }
    const auto due = computeDueDate(dataWyst, c.iloscDni);
    if (const auto* f = std::get_if<HeaderFailure>(&due)) {
        c.failure = *f;
        c.focus = f->field;
        return c;
    }
    c.dataZap = std::get<QString>(due);
    return c;
}

} // namespace documents
