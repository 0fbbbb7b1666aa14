#include "platform/data/Error.h"

#include <QtGlobal>

namespace data {

namespace {

// "Niepoprawna liczba" -> "niepoprawna liczba" after "Nie udało się ...:"; an abbreviation
// ("NIP", "SQL") keeps its letters.
QString asClause(const QString& sentence)
{
    if (sentence.size() >= 2 && sentence[0].isUpper() && sentence[1].isLower())
        return sentence[0].toLower() + sentence.mid(1);
    return sentence;
}

QString withoutStop(QString s)
{
    while (s.endsWith(QLatin1Char('.')))
        s.chop(1);
    return s;
}

QString databaseSentence(ErrorKind kind, const QString& action, const QString& detail)
{
    QString s =
        QStringLiteral("Nie udało się %1: %2.")
            .arg(action.isEmpty() ? QStringLiteral("wykonać operacji na bazie danych") : action, Error::reason(kind));
    if (!detail.isEmpty())
        s += QStringLiteral("\nSzczegóły: ") + detail;
    return s;
}

} // namespace

Error::Error(const QString& message) : std::runtime_error(message.toStdString()), message_(message) {}

Error::Error(ErrorKind kind, const QString& action, const QString& detail, const QString& statement)
    : std::runtime_error(databaseSentence(kind, action, detail).toStdString()), kind_(kind), detail_(detail),
      statement_(statement), message_(databaseSentence(kind, action, detail))
{}

QString Error::reason(ErrorKind kind)
{
    switch (kind) {
    case ErrorKind::NoConnection: return QStringLiteral("brak połączenia z bazą danych");
    case ErrorKind::Busy: return QStringLiteral("baza danych jest zablokowana przez inny program");
    case ErrorKind::ReadOnly: return QStringLiteral("plik bazy danych lub jego folder jest tylko do odczytu");
    case ErrorKind::Constraint: return QStringLiteral("dane naruszają regułę bazy danych");
    case ErrorKind::NotDatabase: return QStringLiteral("plik nie jest bazą danych programu");
    case ErrorKind::Corrupt: return QStringLiteral("plik bazy danych jest uszkodzony");
    case ErrorKind::DiskFull: return QStringLiteral("brak miejsca na dysku");
    case ErrorKind::CantOpen: return QStringLiteral("nie można otworzyć pliku bazy danych");
    case ErrorKind::Io: return QStringLiteral("wystąpił błąd odczytu lub zapisu pliku bazy danych");
    case ErrorKind::Refused: return QStringLiteral("baza danych odrzuciła polecenie");
    case ErrorKind::General: break;
    }
    return QStringLiteral("wystąpił błąd bazy danych");
}

QString Error::cause() const
{
    if (kind_ == ErrorKind::General)
        return message_;
    QString c = reason(kind_) + QLatin1Char('.');
    if (!detail_.isEmpty())
        c += QStringLiteral("\nSzczegóły: ") + detail_;
    return c;
}

QString Error::sentence(const QString& callerAction) const
{
    const QString why = kind_ == ErrorKind::General ? withoutStop(asClause(message_)) + QLatin1Char('.') : cause();
    return QStringLiteral("Nie udało się %1: %2").arg(callerAction, why);
}

namespace {

SignalFailureHandler& signalFailureHandler()
{
    static SignalFailureHandler h;
    return h;
}

} // namespace

void setSignalFailureHandler(SignalFailureHandler handler) { signalFailureHandler() = std::move(handler); }

bool guardSignal(const std::function<void()>& fn)
{
    try {
        fn();
        return true;
    } catch (...) {
        if (const SignalFailureHandler& h = signalFailureHandler()) {
            try {
                h(std::current_exception());
            } catch (...) {
                // nothing more can be told
            }
        } else {
            try {
                throw;
            } catch (const Error& e) {
                qWarning("%s", qUtf8Printable(e.message()));
            } catch (...) {
                qWarning("data: a signal handler failed");
            }
        }
        return false;
    }
}

} // namespace data
