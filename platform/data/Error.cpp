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

// "<reason>." with the file and the detail on lines of their own.
QString causeOf(ErrorKind kind, const QString& detail, const QString& file)
{
    QString c = Error::reason(kind) + QLatin1Char('.');
    if (!file.isEmpty())
        c += QStringLiteral("\nPlik bazy danych: \"%1\"").arg(file);
    if (!detail.isEmpty())
        c += QStringLiteral("\nSzczegóły: ") + detail;
    return c;
}

QString databaseSentence(ErrorKind kind, const QString& action, const QString& detail, const QString& file)
{
    return QStringLiteral("Nie udało się %1: %2")
        .arg(action.isEmpty() ? QStringLiteral("wykonać operacji na bazie danych") : action,
             causeOf(kind, detail, file));
}

} // namespace

Error::Error(const QString& message) : std::runtime_error(message.toStdString()), message_(message) {}

Error::Error(ErrorKind kind, const QString& action, const QString& detail, const QString& statement,
             const QString& file)
    : std::runtime_error(databaseSentence(kind, action, detail, file).toStdString()), kind_(kind), detail_(detail),
      statement_(statement), file_(file), message_(databaseSentence(kind, action, detail, file))
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
    case ErrorKind::Replaced:
        return QStringLiteral("plik bazy danych został usunięty lub zastąpiony innym plikiem, odkąd program go "
                              "otworzył; zapis trafiłby do pliku, którego już nie ma");
    case ErrorKind::General: break;
    }
    return QStringLiteral("wystąpił błąd bazy danych");
}

QString Error::cause() const
{
    if (kind_ == ErrorKind::General)
        return message_;
    return causeOf(kind_, detail_, file_);
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
