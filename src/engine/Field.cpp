#include "engine/Field.h"

#include "engine/DataSet.h"
#include "engine/EDatabaseError.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTextBoundaryFinder>
#include <cmath>
#include <limits>

namespace {

// The largest amount a money field holds exactly: the file keeps money as a binary
// floating-point number, which tells every 1/10000 apart below 2^39 (about 549 billion).
constexpr qint64 kMaxMoneyWhole = 500'000'000'000;

// The earliest and latest dates a date field holds: 1 January 1 to 31 December 9999.
const QDate kFirstDate(1, 1, 1);
const QDate kLastDate(9999, 12, 31);

QString Grouped(qint64 n) {
    return QLocale().toString(n);
}

} // namespace

QString CutText(const QString& text, int width) {
    if (width <= 0 || text.size() <= width)
        return text;
    // Cut where a character (with its accents, or both halves of a surrogate pair) ends.
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    finder.setPosition(width);
    if (!finder.isAtBoundary())
        finder.toPreviousBoundary();
    return text.left(std::max<qsizetype>(0, finder.position()));
}

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
        // The shortest form that reads back as the same number.
        return QString::number(v.toDouble(), 'g', QLocale::FloatingPointShortest);
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

void Field::CheckText(const QString& text) const {
    const bool memo = m_def.type == FieldType::Memo;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const auto code = QString::number(c.unicode(), 16).toUpper().rightJustified(4, '0');
        if (c.category() == QChar::Other_Control) {
            if (memo && (c == '\n' || c == '\r' || c == '\t'))
                continue;
            throw EDatabaseError(
                memo ? QString("Field '%1' cannot hold the control character U+%2: only line "
                               "breaks and tabs can be kept in a memo.")
                           .arg(m_def.name, code)
                     : QString("Field '%1' cannot hold the control character U+%2.")
                           .arg(m_def.name, code),
                ErrorKind::Conversion);
        }
        bool broken = false;
        char32_t ucs = c.unicode();
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ucs = QChar::surrogateToUcs4(c, text[i + 1]);
            ++i;
        } else if (c.isSurrogate()) {
            broken = true;
        }
        if (broken || QChar::isNonCharacter(ucs))
            throw EDatabaseError(
                QString("Field '%1' cannot hold the character U+%2.")
                    .arg(m_def.name,
                         QString::number(uint(ucs), 16).toUpper().rightJustified(4, '0')),
                ErrorKind::Conversion);
    }
}

QVariant Field::Normalize(const QVariant& value) const {
    if (!value.isValid() || value.isNull())
        return {};
    auto bad = [&](const char* what) {
        return EDatabaseError(QString("'%1' is not a valid %2").arg(value.toString(), what),
                              ErrorKind::Conversion);
    };
    auto outOfRange = [&](const QString& low, const QString& high) {
        return EDatabaseError(
            QString("%1 is not a valid value for field '%2'. The allowed range is %3 to %4.")
                .arg(value.toString(), m_def.name, low, high),
            ErrorKind::Conversion);
    };
    const bool isText = value.typeId() == QMetaType::QString;
    switch (m_def.type) {
    case FieldType::Integer:
    case FieldType::Short: {
        const bool isShort = m_def.type == FieldType::Short;
        const qint64 low =
            isShort ? std::numeric_limits<qint16>::min() : std::numeric_limits<qint32>::min();
        const qint64 high =
            isShort ? std::numeric_limits<qint16>::max() : std::numeric_limits<qint32>::max();
        qint64 i = 0;
        if (isText) {
            const QString s = value.toString().trimmed();
            if (s.isEmpty())
                return {};
            bool ok = false;
            i = s.toLongLong(&ok);
            if (!ok) {
                static const QRegularExpression whole(R"(^[+-]?\d+$)");
                if (whole.match(s).hasMatch())
                    throw outOfRange(Grouped(low), Grouped(high)); // beyond 64 bits
                throw bad("integer value");
            }
        } else if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float) {
            const double d = value.toDouble();
            if (!std::isfinite(d))
                throw bad("integer value");
            if (d < double(low) - 0.5 || d >= double(high) + 0.5)
                throw outOfRange(Grouped(low), Grouped(high));
            i = qint64(std::llround(d));
        } else {
            i = value.toLongLong();
        }
        if (i < low || i > high)
            throw outOfRange(Grouped(low), Grouped(high));
        return QVariant(i);
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
    case FieldType::Number: {
        double d = 0;
        if (isText) {
            const QString s = value.toString().trimmed();
            if (s.isEmpty())
                return {};
            // The form numbers are shown in first, then the system's own.
            bool ok = false;
            d = s.toDouble(&ok);
            if (!ok)
                d = QLocale().toDouble(s, &ok);
            if (!ok)
                throw bad("floating point value");
        } else {
            d = value.toDouble();
        }
        if (!std::isfinite(d))
            throw bad("floating point value");
        return QVariant(d == 0 ? 0.0 : d); // the file keeps no negative zero
    }
    case FieldType::Money: {
        Currency c;
        if (isText) {
            const QString s = value.toString().trimmed();
            if (s.isEmpty())
                return {};
            bool ok = false;
            c = Currency::FromString(s, &ok);
            if (!ok)
                throw bad("currency value");
        } else if (value.typeId() == qMetaTypeId<Currency>()) {
            c = value.value<Currency>();
        } else {
            const double d = value.toDouble();
            if (!std::isfinite(d))
                throw bad("currency value");
            if (std::fabs(d) > double(kMaxMoneyWhole))
                throw outOfRange(Grouped(-kMaxMoneyWhole), Grouped(kMaxMoneyWhole));
            c = VariantToCurrency(value);
        }
        if (c.Units() > kMaxMoneyWhole * 10000 || c.Units() < -kMaxMoneyWhole * 10000)
            throw outOfRange(Grouped(-kMaxMoneyWhole), Grouped(kMaxMoneyWhole));
        return QVariant::fromValue(c);
    }
    case FieldType::Text:
    case FieldType::Memo: {
        QString s = value.toString();
        CheckText(s);
        if (m_def.type == FieldType::Text)
            s = CutText(s, m_def.size);
        return s.isEmpty() ? QVariant() : QVariant(s);
    }
    case FieldType::Date: {
        QDate d;
        if (isText) {
            const QString s = value.toString().trimmed();
            if (s.isEmpty())
                return {};
            d = ParseShortDate(s);
            if (!d.isValid())
                throw bad("date");
        } else if (value.typeId() == QMetaType::QDate) {
            d = value.toDate();
            if (!d.isValid())
                return {};
        } else if (value.typeId() == QMetaType::QDateTime) {
            d = value.toDateTime().date();
            if (!d.isValid())
                return {};
        } else {
            const double days = value.toDouble();
            if (!std::isfinite(days) || days < DateToDateTime(kFirstDate) ||
                days >= DateToDateTime(kLastDate) + 1)
                throw bad("date");
            d = DateTimeToDate(days);
        }
        if (d < kFirstDate || d > kLastDate)
            throw EDatabaseError(
                QString("'%1' is not a valid date: the year must be from 1 to 9999.")
                    .arg(FormatShortDate(d)),
                ErrorKind::Conversion);
        return QVariant(d);
    }
    case FieldType::Time: {
        QTime t;
        if (isText) {
            const QString s = value.toString().trimmed();
            if (s.isEmpty())
                return {};
            t = ParseTime(s);
            if (!t.isValid())
                throw bad("time");
        } else if (value.typeId() == QMetaType::QTime) {
            t = value.toTime();
            if (!t.isValid())
                return {};
        } else {
            const double d = value.toDouble();
            if (!std::isfinite(d))
                throw bad("time");
            t = DateTimeToTime(d);
        }
        // The file keeps whole seconds.
        return QVariant(QTime(t.hour(), t.minute(), t.second()));
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
        m_owner->SetActiveValue(m_index, Normalize(QVariant::fromValue(value)));
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
