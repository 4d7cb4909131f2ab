#include "engine/Field.h"

#include "engine/DataSet.h"
#include "engine/EDatabaseError.h"

#include <QLocale>
#include <cmath>

Field::Field(DataSet* owner, const FieldDef& def, int index)
    : DisplayLabel(def.name), m_owner(owner), m_def(def), m_index(index) {
    ReadOnly = def.kind == FieldKind::Lookup;
}

QVariant Field::Value() const {
    return m_owner->ActiveValue(m_index);
}

bool Field::IsNull() const {
    const QVariant v = Value();
    return !v.isValid() || v.isNull();
}

QString Field::FormatString(const QVariant& v) const {
    if (!v.isValid() || v.isNull())
        return {};
    switch (m_def.type) {
    case FieldType::Integer:
    case FieldType::Short:
        return QString::number(v.toLongLong());
    case FieldType::Logical:
        return v.toBool() ? "True" : "False";
    case FieldType::Number:
        return QString::number(v.toDouble(), 'g', 15);
    case FieldType::Money:
        return VariantToCurrency(v).ToString();
    case FieldType::Text:
    case FieldType::Memo:
        return v.toString();
    case FieldType::Date:
        return FormatShortDate(v.toDate());
    case FieldType::Time:
        return QLocale().toString(v.toTime(), "h:mm:ss AP");
    }
    return {};
}

QString Field::FormatDisplay(const QVariant& v) const {
    if (!v.isValid() || v.isNull())
        return {};
    switch (m_def.type) {
    case FieldType::Money:
        return VariantToCurrency(v).ToMoneyString();
    case FieldType::Time:
        return FormatTime(v.toTime());
    case FieldType::Memo:
        return v.toString();
    default:
        return FormatString(v);
    }
}

QString Field::AsString() const {
    return FormatString(Value());
}
QString Field::DisplayText() const {
    return FormatDisplay(Value());
}

int Field::AsInteger() const {
    const QVariant v = Value();
    if (IsNull())
        return 0;
    switch (m_def.type) {
    case FieldType::Money:
        return int(std::llround(VariantToCurrency(v).ToDouble()));
    case FieldType::Number:
        return int(std::llround(v.toDouble()));
    case FieldType::Text:
    case FieldType::Memo: {
        bool ok = false;
        const int i = v.toString().trimmed().toInt(&ok);
        if (!ok)
            throw EDatabaseError(QString("'%1' is not a valid integer value").arg(v.toString()),
                                 ErrorKind::Conversion);
        return i;
    }
    case FieldType::Date:
        return int(DateToDateTime(v.toDate()));
    default:
        return int(v.toLongLong());
    }
}

double Field::AsFloat() const {
    const QVariant v = Value();
    if (IsNull())
        return 0.0;
    switch (m_def.type) {
    case FieldType::Money:
        return VariantToCurrency(v).ToDouble();
    case FieldType::Date:
        return DateToDateTime(v.toDate());
    case FieldType::Time:
        return TimeToDateTime(v.toTime());
    case FieldType::Text:
    case FieldType::Memo: {
        bool ok = false;
        const double d = v.toString().trimmed().toDouble(&ok);
        if (!ok)
            throw EDatabaseError(
                QString("'%1' is not a valid floating point value").arg(v.toString()),
                ErrorKind::Conversion);
        return d;
    }
    default:
        return v.toDouble();
    }
}

Currency Field::AsCurrency() const {
    if (IsNull())
        return {};
    if (m_def.type == FieldType::Money)
        return VariantToCurrency(Value());
    return Currency::FromDouble(AsFloat());
}

TDateTime Field::AsDateTime() const {
    const QVariant v = Value();
    if (IsNull())
        return 0.0;
    if (m_def.type == FieldType::Date)
        return DateToDateTime(v.toDate());
    if (m_def.type == FieldType::Time)
        return TimeToDateTime(v.toTime());
    return AsFloat();
}

QDate Field::AsDate() const {
    if (IsNull())
        return {};
    if (m_def.type == FieldType::Date)
        return Value().toDate();
    if (m_def.type == FieldType::Text)
        return ParseShortDate(Value().toString());
    return DateTimeToDate(AsDateTime());
}

QTime Field::AsTime() const {
    if (IsNull())
        return {};
    if (m_def.type == FieldType::Time)
        return Value().toTime();
    if (m_def.type == FieldType::Text)
        return ParseTime(Value().toString());
    return DateTimeToTime(AsDateTime());
}

bool Field::AsBoolean() const {
    if (IsNull())
        return false;
    if (m_def.type == FieldType::Text) {
        const QString s = Value().toString().trimmed().toLower();
        return s == "true" || s == "t" || s == "yes" || s == "y" || s == "1";
    }
    return Value().toBool();
}

QVariant Field::Normalize(const QVariant& value) const {
    if (!value.isValid() || value.isNull())
        return {};
    auto bad = [&](const char* what) {
        return EDatabaseError(QString("'%1' is not a valid %2").arg(value.toString(), what),
                              ErrorKind::Conversion);
    };
    const bool isText = value.typeId() == QMetaType::QString;
    switch (m_def.type) {
    case FieldType::Integer:
    case FieldType::Short: {
        if (isText) {
            const QString s = value.toString().trimmed();
            if (s.isEmpty())
                return {};
            bool ok = false;
            const qint64 i = s.toLongLong(&ok);
            if (!ok)
                throw bad("integer value");
            return QVariant(i);
        }
        if (value.typeId() == QMetaType::Double)
            return QVariant(qint64(std::llround(value.toDouble())));
        return QVariant(qint64(value.toLongLong()));
    }
    case FieldType::Logical:
        if (isText) {
            const QString s = value.toString().trimmed().toLower();
            if (s.isEmpty())
                return {};
            if (s == "true" || s == "t" || s == "yes" || s == "y" || s == "1")
                return QVariant(true);
            if (s == "false" || s == "f" || s == "no" || s == "n" || s == "0")
                return QVariant(false);
            throw bad("boolean value");
        }
        return QVariant(value.toBool());
    case FieldType::Number:
        if (isText) {
            const QString s = value.toString().trimmed();
            if (s.isEmpty())
                return {};
            bool ok = false;
            double d = QLocale().toDouble(s, &ok);
            if (!ok)
                d = s.toDouble(&ok);
            if (!ok)
                throw bad("floating point value");
            return QVariant(d);
        }
        return QVariant(value.toDouble());
    case FieldType::Money:
        if (isText) {
            const QString s = value.toString().trimmed();
            if (s.isEmpty())
                return {};
            bool ok = false;
            const Currency c = Currency::FromString(s, &ok);
            if (!ok)
                throw bad("currency value");
            return QVariant::fromValue(c);
        }
        return QVariant::fromValue(VariantToCurrency(value));
    case FieldType::Text: {
        QString s = value.toString();
        if (m_def.size > 0 && s.size() > m_def.size)
            s.truncate(m_def.size);
        return s.isEmpty() ? QVariant() : QVariant(s);
    }
    case FieldType::Memo: {
        const QString s = value.toString();
        return s.isEmpty() ? QVariant() : QVariant(s);
    }
    case FieldType::Date: {
        if (isText) {
            const QString s = value.toString().trimmed();
            if (s.isEmpty())
                return {};
            const QDate d = ParseShortDate(s);
            if (!d.isValid())
                throw bad("date");
            return QVariant(d);
        }
        if (value.typeId() == QMetaType::QDate)
            return value.toDate().isValid() ? value : QVariant();
        if (value.typeId() == QMetaType::QDateTime)
            return QVariant(value.toDateTime().date());
        return QVariant(DateTimeToDate(value.toDouble()));
    }
    case FieldType::Time: {
        if (isText) {
            const QString s = value.toString().trimmed();
            if (s.isEmpty())
                return {};
            const QTime t = ParseTime(s);
            if (!t.isValid())
                throw bad("time");
            return QVariant(t);
        }
        if (value.typeId() == QMetaType::QTime)
            return value.toTime().isValid() ? value : QVariant();
        return QVariant(DateTimeToTime(value.toDouble()));
    }
    }
    return {};
}

void Field::SetValue(const QVariant& value) {
    m_owner->SetActiveValue(m_index, Normalize(value));
}
void Field::SetAsString(const QString& text) {
    SetValue(QVariant(text));
}
void Field::SetAsInteger(int value) {
    SetValue(QVariant(qint64(value)));
}
void Field::SetAsFloat(double value) {
    SetValue(QVariant(value));
}

void Field::SetAsCurrency(Currency value) {
    if (m_def.type == FieldType::Money)
        m_owner->SetActiveValue(m_index, QVariant::fromValue(value));
    else
        SetValue(QVariant(value.ToDouble()));
}

void Field::SetAsDateTime(TDateTime value) {
    if (m_def.type == FieldType::Date)
        SetValue(QVariant(DateTimeToDate(value)));
    else if (m_def.type == FieldType::Time)
        SetValue(QVariant(DateTimeToTime(value)));
    else
        SetValue(QVariant(value));
}

void Field::SetAsDate(const QDate& value) {
    SetValue(value.isValid() ? QVariant(value) : QVariant());
}

void Field::SetAsTime(const QTime& value) {
    SetValue(value.isValid() ? QVariant(value) : QVariant());
}

void Field::SetAsBoolean(bool value) {
    SetValue(QVariant(value));
}
void Field::Clear() {
    m_owner->SetActiveValue(m_index, QVariant());
}
