#pragma once
// The one error type of the data layer. The host shows it like its own
// errors; the data layer knows nothing of the host.

#include <QString>
#include <stdexcept>

namespace Ado {

// A failed statement, a missing field or parameter, an edit of a read-only
// dataset, a filter that does not parse: Message() is German and says what
// failed and where; Detail() keeps what the database itself said and the
// statement, for a line of details below the message.
class EDatenfehler : public std::runtime_error {
public:
    explicit EDatenfehler(const QString& message, const QString& detail = {})
        : std::runtime_error(message.toStdString()), message_(message), detail_(detail) {}
    const QString& Message() const { return message_; }
    const QString& Detail() const { return detail_; }

private:
    QString message_;
    QString detail_;
};

} // namespace Ado
