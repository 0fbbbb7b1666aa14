#pragma once
// Document numbering: the next number of a type is the highest number of that type in the year
// plus one, so numbers restart every year; when no document of the type exists at all, the
// user is asked for the first number.
#include <QString>
#include <functional>
#include <optional>

namespace data {
class Connection;
}

namespace documents {

struct NextNumber {
    bool askFirst = false; // no document of the type in any year: ask the user
    qint64 nr = 0;         // the number when askFirst is false
};

// Reads the highest number of `typ` in the year `rok` (compared as text) and, when there is
// none, whether the type has any document. Throws data::Error when the database fails.
NextNumber nextNumber(data::Connection& c, const QString& typ, const QString& rok);

// The question of the first-number prompt for a type code ("FV", "PFV", "KFV", "NFV").
QString firstNumberQuestion(const QString& typ);

// Asks the user for the first number of a type (the question is given); nothing when cancelled.
using FirstNumberPrompt = std::function<std::optional<qint64>(const QString& question)>;

} // namespace documents
