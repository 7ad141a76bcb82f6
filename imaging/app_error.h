#pragma once

#include <QString>
#include <stdexcept>

// An error the user is told about: its message is the text shown in the error box.
// Subsystems throw it (or a class derived from it); the window's command dispatcher
// catches it and shows message().
class EAppError : public std::runtime_error {
public:
    explicit EAppError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};
