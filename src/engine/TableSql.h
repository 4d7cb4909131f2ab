#pragma once
// Small pieces shared by the table's units: how values and field types are seen in SQL.

#include "engine/Collation.h"
#include "engine/Definitions.h"

#include <QString>
#include <QVariant>

namespace TableSql {

inline bool IsNull(const QVariant& v) {
    return !v.isValid() || v.isNull();
}

// Only text is compared without regard to case; numbers and dates compare as they are.
inline bool IsTextType(FieldType t) {
    return t == FieldType::Text || t == FieldType::Memo;
}

// The clause that compares text with the program's comparison that ignores case.
inline QString CollateNoCase() {
    return QString(" COLLATE ") + kCollationName;
}

// The text with LIKE's wildcards and the escape character escaped by a backslash.
inline QString EscapeLike(const QString& text) {
    QString out;
    for (QChar c : text) {
        if (c == '\\' || c == '%' || c == '_')
            out += '\\';
        out += c;
    }
    return out;
}

} // namespace TableSql
