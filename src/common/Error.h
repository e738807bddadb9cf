#pragma once

#include <QString>
#include <stdexcept>

// A failure a command does not handle itself. The top-level command runner shows its message
// in the error box; nothing else catches it.
class VelorinError : public std::runtime_error {
public:
    explicit VelorinError(const QString& message) : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};
