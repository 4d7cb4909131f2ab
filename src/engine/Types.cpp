#include "engine/Types.h"

#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>
#include <QVariant>
#include <cmath>
#include <limits>

namespace {
const QDate kDayZero(1899, 12, 30);
}

TDateTime DateToDateTime(const QDate& date) {
    return date.isValid() ? double(kDayZero.daysTo(date)) : 0.0;
}

QDate DateTimeToDate(TDateTime value) {
    return kDayZero.addDays(static_cast<qint64>(std::trunc(value)));
}

TDateTime TimeToDateTime(const QTime& time) {
    return time.isValid() ? time.msecsSinceStartOfDay() / 86400000.0 : 0.0;
}

QTime DateTimeToTime(TDateTime value) {
    double frac = std::fabs(value - std::floor(value));
    qint64 ms = std::llround(frac * 86400000.0);
    if (ms >= 86400000)
        ms = 86399999;
    return QTime::fromMSecsSinceStartOfDay(int(ms));
}

TDateTime DateTimeNow() {
    const QDateTime now = QDateTime::currentDateTime();
    return DateToDateTime(now.date()) + TimeToDateTime(now.time());
}

QString ShortDateFormat() {
    QString f = QLocale().dateFormat(QLocale::ShortFormat);
    static const QRegularExpression years("y+");
    f.replace(years, "yyyy");
    return f;
}

QString FormatShortDate(const QDate& date) {
    return date.isValid() ? QLocale().toString(date, ShortDateFormat()) : QString();
}

int ExpandTwoDigitYear(int twoDigitYear, const QDate& today) {
    const int lastYear = today.year() + 20;
    int year = lastYear - lastYear % 100 + twoDigitYear % 100;
    if (year > lastYear)
        year -= 100;
    return year;
}

namespace {

// A date typed in the short date format with a two-digit year ("5/3/62"): the day, month
// and year in the format's order between its separators, the year read with
// ExpandTwoDigitYear. Invalid for any other text, and for formats that name the month.
QDate ParseTwoDigitYearDate(const QString& text) {
    const QString format = QLocale().dateFormat(QLocale::ShortFormat);
    static const QRegularExpression fields("d+|M+|y+");
    QString pattern = "^";
    QList<QChar> order;
    qsizetype at = 0;
    for (auto it = fields.globalMatch(format); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.capturedLength() > 2 && m.captured().front() != u'y')
            return {}; // a month or weekday name
        pattern += QRegularExpression::escape(format.mid(at, m.capturedStart() - at));
        pattern += m.captured().front() == u'y' ? "(\\d{2})" : "(\\d{1,2})";
        order << m.captured().front();
        at = m.capturedEnd();
    }
    pattern += QRegularExpression::escape(format.mid(at)) + "$";
    if (order.size() != 3)
        return {};
    const QRegularExpressionMatch m = QRegularExpression(pattern).match(text);
    if (!m.hasMatch())
        return {};
    int day = 0, month = 0, year = 0;
    for (int i = 0; i < 3; ++i) {
        const int value = m.captured(i + 1).toInt();
        if (order[i] == u'd')
            day = value;
        else if (order[i] == u'M')
            month = value;
        else
            year = ExpandTwoDigitYear(value);
    }
    return QDate(year, month, day);
}

} // namespace

QDate ParseShortDate(const QString& input) {
    const QString text = input.trimmed();
    if (text.isEmpty())
        return {};
    QLocale locale;
    QDate d = locale.toDate(text, ShortDateFormat());
    if (d.isValid())
        return d;
    d = ParseTwoDigitYearDate(text);
    if (d.isValid())
        return d;
    // A format that names the month: Qt reads the two digits, the rule gives the century.
    QString two = ShortDateFormat();
    two.replace("yyyy", "yy");
    d = locale.toDate(text, two);
    if (d.isValid())
        return QDate(ExpandTwoDigitYear(d.year() % 100), d.month(), d.day());
    d = QDate::fromString(text, Qt::ISODate);
    return d;
}

QTime ParseTime(const QString& input) {
    static const QRegularExpression re(
        R"(^\s*(\d{1,2})(?::(\d{2}))?(?::(\d{2}))?\s*([aApP])?\.?\s*([mM])?\.?\s*$)");
    const auto m = re.match(input);
    if (!m.hasMatch())
        return {};
    int h = m.captured(1).toInt();
    const int min = m.captured(2).isEmpty() ? 0 : m.captured(2).toInt();
    const int sec = m.captured(3).isEmpty() ? 0 : m.captured(3).toInt();
    const QString ampm = m.captured(4).toLower();
    if (m.captured(2).isEmpty() && ampm.isEmpty())
        return {}; // a bare number is not a time
    if (!ampm.isEmpty()) {
        if (h < 1 || h > 12)
            return {};
        if (ampm == "a")
            h = h == 12 ? 0 : h;
        else
            h = h == 12 ? 12 : h + 12;
    }
    QTime t(h, min, sec);
    return t;
}

QString FormatTime(const QTime& time) {
    return time.isValid() ? QLocale().toString(time, QLocale::ShortFormat) : QString();
}

Currency Currency::FromDouble(double value) {
    if (!std::isfinite(value))
        return {};
    // value * 10000 exactly, as the rounded product and its rounding error, so that an
    // amount read back from the file is the amount that was written.
    const double high = value * 10000.0;
    if (!(std::fabs(high) < 9.0e18))
        return FromUnits(high < 0 ? std::numeric_limits<int64_t>::min() + 1
                                  : std::numeric_limits<int64_t>::max());
    const double low = std::fma(value, 10000.0, -high);
    double units = std::round(high); // half away from zero
    const double rest = (high - units) + low;
    if (rest > 0.5 || (rest == 0.5 && units >= 0))
        units += 1;
    else if (rest < -0.5 || (rest == -0.5 && units <= 0))
        units -= 1;
    return FromUnits(static_cast<int64_t>(units));
}

Currency Currency::FromString(const QString& input, bool* ok) {
    QString text = input.trimmed();
    QLocale locale;
    text.remove(locale.currencySymbol());
    text.remove(locale.groupSeparator());
    bool negative = false;
    if (text.startsWith('(') && text.endsWith(')')) {
        negative = true;
        text = text.mid(1, text.size() - 2);
    }
    text = text.trimmed();
    if (text.startsWith('-')) {
        negative = !negative;
        text = text.mid(1).trimmed();
    }
    static const QRegularExpression re(R"(^(\d*)(?:\.(\d*))?$)");
    QString decimal = locale.decimalPoint();
    if (decimal != ".")
        text.replace(decimal, ".");
    const auto m = re.match(text);
    if (!m.hasMatch() || (m.captured(1).isEmpty() && m.captured(2).isEmpty())) {
        if (ok)
            *ok = false;
        return {};
    }
    // Beyond 14 whole digits the amount is only known to be too large: it is held as
    // 10^14, which every money field refuses (and which cannot overflow below).
    QString digits = m.captured(1);
    while (digits.size() > 1 && digits.startsWith('0'))
        digits.remove(0, 1);
    int64_t whole = digits.size() > 14 ? 100'000'000'000'000 : digits.toLongLong();
    QString frac = m.captured(2);
    int64_t fracUnits = 0;
    if (!frac.isEmpty()) {
        QString f4 = (frac + "0000").left(4);
        fracUnits = f4.toLongLong();
        if (frac.size() > 4 && frac[4] >= '5')
            fracUnits += 1;
    }
    int64_t units = whole * 10000 + fracUnits;
    if (ok)
        *ok = true;
    return FromUnits(negative ? -units : units);
}

QString Currency::ToString() const {
    const int64_t a = m_units < 0 ? -m_units : m_units;
    QString s = QString::number(a / 10000);
    int64_t frac = a % 10000;
    if (frac) {
        QString f = QString::number(frac).rightJustified(4, '0');
        while (f.endsWith('0'))
            f.chop(1);
        s += "." + f;
    }
    return m_units < 0 ? "-" + s : s;
}

QString Currency::ToFixedString(int decimals) const {
    // Round half away from zero to the wanted decimals, then group.
    int64_t scale = 1;
    for (int i = decimals; i < 4; ++i)
        scale *= 10;
    const int64_t a = m_units < 0 ? -m_units : m_units;
    const int64_t rounded = (a + scale / 2) / scale;
    int64_t unitScale = 1;
    for (int i = 0; i < decimals; ++i)
        unitScale *= 10;
    QLocale locale;
    QString s = locale.toString(static_cast<qlonglong>(rounded / unitScale));
    if (decimals > 0)
        s += locale.decimalPoint() +
             QString::number(rounded % unitScale).rightJustified(decimals, '0');
    return (m_units < 0 && rounded != 0) ? "-" + s : s;
}

QString Currency::ToMoneyString() const {
    QLocale locale;
    const QString body = FromUnits(m_units < 0 ? -m_units : m_units).ToFixedString(2);
    const QString withSymbol = locale.currencySymbol() + body;
    return m_units < 0 ? "(" + withSymbol + ")" : withSymbol;
}

Currency VariantToCurrency(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return {};
    if (value.typeId() == qMetaTypeId<Currency>())
        return value.value<Currency>();
    if (value.typeId() == QMetaType::QString) {
        return Currency::FromString(value.toString());
    }
    return Currency::FromDouble(value.toDouble());
}
