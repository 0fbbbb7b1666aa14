#pragma once
// The one exception type of the data layer. Every failure of a statement, a post, a filter text
// or a conversion throws it; windows catch it at their seam and show message(), a Polish sentence
// that says what failed and why ("Nie udało się zapisać danych w tabeli Faktura: baza danych jest
// zablokowana przez inny program."), with SQLite's own text after it as a detail. The statement
// itself is never part of what the user is shown.
// (Connection::open alone reports through its result and lastError(), because a missing database
// at start-up is an expected condition, not a fault.)
#include <QString>
#include <exception>
#include <functional>
#include <stdexcept>

namespace data {

// Why the database refused; decides the Polish sentence.
enum class ErrorKind {
    General,      // a sentence given by the layer itself (conversions, filters, fields)
    NoConnection, // no database is open
    Busy,         // another program holds the database locked
    ReadOnly,     // the file or its folder may not be written
    Constraint,   // the row breaks a rule of the database (a key taken, a required value)
    NotDatabase,  // the file is not a database of the program
    Corrupt,      // the file is damaged
    DiskFull,
    CantOpen, // the file could not be opened
    Io,       // reading or writing the file failed
    Refused,  // any other refusal of the statement (a table or column missing, ...)
    Replaced, // the file at the database's path is no longer the one the program opened
};

class Error : public std::runtime_error {
public:
    // A failure the layer describes itself; `message` is the whole sentence shown.
    explicit Error(const QString& message);
    // A failure of the database: `action` is what was being done ("zapisać danych w tabeli
    // Faktura"), `detail` SQLite's text, `statement` the SQL (kept for diagnosis, never shown),
    // `file` the database file, named to the user.
    Error(ErrorKind kind, const QString& action, const QString& detail, const QString& statement = QString(),
          const QString& file = QString());

    // The sentence for the user: "Nie udało się <action>: <reason>." and the detail.
    const QString& message() const noexcept { return message_; }
    ErrorKind kind() const noexcept { return kind_; }
    // Why it failed, as a clause: "baza danych jest zablokowana przez inny program" and, on lines
    // of their own, the file (Plik bazy danych: "/…/db.mdb") and SQLite's text ("Szczegóły:
    // database is locked"). For a sentence of the layer itself, that sentence.
    QString cause() const;
    // The same failure told for what the caller was doing: "Nie udało się zapisać faktury: …".
    QString sentence(const QString& callerAction) const;
    const QString& detail() const noexcept { return detail_; }
    const QString& statement() const noexcept { return statement_; }
    const QString& file() const noexcept { return file_; }

    // The clause for a kind ("plik bazy danych jest tylko do odczytu").
    static QString reason(ErrorKind kind);

private:
    ErrorKind kind_ = ErrorKind::General;
    QString detail_;
    QString statement_;
    QString file_;
    QString message_;
};

// A failure inside a signal handler of the layer itself (a detail reading its rows again when
// its master moves) must not travel through Qt's signal code. It goes to this handler: the
// user-interface layer sets one that shows it in the message dialog; without one it is logged.
using SignalFailureHandler = std::function<void(std::exception_ptr)>;
void setSignalFailureHandler(SignalFailureHandler handler);
// Runs `fn`; whatever it throws goes to the handler. Returns whether `fn` completed.
bool guardSignal(const std::function<void()>& fn);

} // namespace data
