#pragma once
// Exceptions the host knows how to show (besides the data layer's
// Ado::EDatenfehler, which ExceptionText names alike).

#include <QString>
#include <stdexcept>

// An input error: the form that raised it has put the focus on the offending
// control and stays open for a correction.
class Eingabefehler : public std::runtime_error {
public:
    explicit Eingabefehler(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& Message() const { return message_; }
private:
    QString message_;
};

// Any other error a job raises for the host to show.
class EHostFehler : public std::runtime_error {
public:
    explicit EHostFehler(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& Message() const { return message_; }
private:
    QString message_;
};

// The message of any exception, as the host shows it.
QString ExceptionText(const std::exception& e);
// What the database or system said about it, when known ("" otherwise).
QString ExceptionDetail(const std::exception& e);
