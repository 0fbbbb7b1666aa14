#pragma once
// The one exception type of the data layer. Every failure of a statement, a post, a filter text
// or a conversion throws it with a readable message; windows catch it at their seam and show it.
// (Connection::open alone reports through its result and lastError(), because a missing database
// at start-up is an expected condition, not a fault.)
#include <QString>
#include <stdexcept>

namespace data {

class Error : public std::runtime_error {
public:
    explicit Error(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const noexcept { return message_; }

private:
    QString message_;
};

} // namespace data
