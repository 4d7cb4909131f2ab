#pragma once
// Errors of the table engine. Nothing in the engine shows a window: it raises,
// and the window or a post-error rule speaks.

#include <QString>
#include <stdexcept>

enum class ErrorKind {
    General,       // misuse of a data set (not in edit mode, closed, unknown field)
    RequiredField, // a required field is empty
    KeyViolation,  // a unique index refused the row
    Storage,       // the file refused the change for another reason (an I/O error, ...)
    Conversion,    // a text could not be read as the field's type
    Locked,        // another program holds the table file
    ReadOnly,      // the table file (or its folder) cannot be written
    DiskFull,      // the disk holding the table file is full
    Damaged,       // the table file, or a record in it, is damaged
    RowChanged,    // another user changed or deleted the record since it was read
};

class EDatabaseError : public std::runtime_error {
public:
    explicit EDatabaseError(const QString& message, ErrorKind kind = ErrorKind::General)
        : std::runtime_error(message.toStdString()), m_message(message), m_kind(kind) {}
    const QString& Message() const { return m_message; }
    ErrorKind Kind() const { return m_kind; }

private:
    QString m_message;
    ErrorKind m_kind;
};

// The quiet exception: abandons an operation without a message (a post-error
// rule that has shown its own message, a rule that refuses silently).
class EAbort : public std::exception {
public:
    const char* what() const noexcept override { return "Operation aborted"; }
};
