#pragma once
// The one error type of the data layer. The host shows it like its own
// errors; the data layer knows nothing of the host.

#include <QString>
#include <stdexcept>

namespace Ado {

// A failed statement, a missing field or parameter, an edit of a read-only
// dataset, a filter that does not parse: Message() is German and says what
// failed.
class EDatenfehler : public std::runtime_error {
public:
    explicit EDatenfehler(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& Message() const { return message_; }

private:
    QString message_;
};

} // namespace Ado
