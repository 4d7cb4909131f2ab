#include "engine/Definitions.h"

#include <QFileInfo>

QString TableDef::BaseName() const {
    return QFileInfo(tableName).completeBaseName();
}

const IndexDef* TableDef::PrimaryIndex() const {
    for (const IndexDef& i : indexes)
        if (i.primary)
            return &i;
    return nullptr;
}

const IndexDef* TableDef::FindIndex(const QString& name) const {
    for (const IndexDef& i : indexes)
        if (i.name.compare(name, Qt::CaseInsensitive) == 0)
            return &i;
    return nullptr;
}

const FieldDef* TableDef::FindField(const QString& name) const {
    for (const FieldDef& f : fields)
        if (f.name.compare(name, Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

namespace {
FieldDef Make(const QString& name, FieldType type, int size, bool required) {
    FieldDef f;
    f.name = name;
    f.type = type;
    f.size = size;
    f.required = required;
    return f;
}
} // namespace

FieldDef IntegerField(const QString& n, bool r) {
    return Make(n, FieldType::Integer, 0, r);
}
FieldDef ShortField(const QString& n, bool r) {
    return Make(n, FieldType::Short, 0, r);
}
FieldDef LogicalField(const QString& n, bool r) {
    return Make(n, FieldType::Logical, 0, r);
}
FieldDef NumberField(const QString& n, bool r) {
    return Make(n, FieldType::Number, 0, r);
}
FieldDef MoneyField(const QString& n, bool r) {
    return Make(n, FieldType::Money, 0, r);
}
FieldDef TextField(const QString& n, int size, bool r) {
    return Make(n, FieldType::Text, size, r);
}
FieldDef MemoField(const QString& n, bool r) {
    return Make(n, FieldType::Memo, 0, r);
}
FieldDef DateField(const QString& n, bool r) {
    return Make(n, FieldType::Date, 0, r);
}
FieldDef TimeField(const QString& n, bool r) {
    return Make(n, FieldType::Time, 0, r);
}

IndexDef PrimaryIndexDef(const QString& name, const QStringList& fields) {
    return IndexDef{name, fields, true, true};
}

IndexDef SecondaryIndexDef(const QString& name, const QStringList& fields, bool unique) {
    return IndexDef{name, fields, false, unique};
}

QString FieldTypeName(FieldType type) {
    switch (type) {
    case FieldType::Integer:
        return "integer";
    case FieldType::Short:
        return "short";
    case FieldType::Logical:
        return "logical";
    case FieldType::Number:
        return "number";
    case FieldType::Money:
        return "money";
    case FieldType::Text:
        return "text";
    case FieldType::Memo:
        return "memo";
    case FieldType::Date:
        return "date";
    case FieldType::Time:
        return "time";
    }
    return "unknown";
}
