// The filter of a table: "Field = value" terms joined by "and". A value is true, false,
// a number, a date or a time written as the field reads it, or a text in single or
// double quotes (a quote inside doubled). Field names may stand in brackets.
#include "engine/Table.h"

#include "engine/TableSql.h"

#include <QRegularExpression>

using namespace TableSql;

namespace {

struct FilterTerm {
    QString field;
    QString literal;
    bool quoted = false;
};

[[noreturn]] void Unreadable(const QString& expression) {
    throw EDatabaseError(QString("Cannot read the filter expression: %1").arg(expression));
}

bool IsSpace(QChar c) {
    return c.isSpace();
}

// True when the word "and" stands at i between blanks (or at the end).
bool AndAt(const QString& s, qsizetype i) {
    if (i == 0 || !IsSpace(s[i - 1]) || i + 3 > s.size())
        return false;
    if (s.mid(i, 3).compare("and", Qt::CaseInsensitive) != 0)
        return false;
    return i + 3 == s.size() || IsSpace(s[i + 3]);
}

QList<FilterTerm> ParseFilter(const QString& s) {
    QList<FilterTerm> terms;
    qsizetype i = 0;
    auto skipSpaces = [&] {
        while (i < s.size() && IsSpace(s[i]))
            ++i;
    };
    skipSpaces();
    if (i == s.size())
        return terms; // no expression: every row
    static const QRegularExpression name(R"(^[A-Za-z_][\w ]*$)");
    for (;;) {
        FilterTerm term;
        // The field: in brackets, or everything up to the equals sign.
        if (s[i] == '[') {
            const qsizetype close = s.indexOf(']', i + 1);
            if (close < 0)
                Unreadable(s);
            term.field = s.mid(i + 1, close - i - 1).trimmed();
            i = close + 1;
            skipSpaces();
            if (i >= s.size() || s[i] != '=')
                Unreadable(s);
        } else {
            const qsizetype equals = s.indexOf('=', i);
            if (equals < 0)
                Unreadable(s);
            term.field = s.mid(i, equals - i).trimmed();
            i = equals;
        }
        if (!name.match(term.field).hasMatch())
            Unreadable(s);
        ++i; // the equals sign
        skipSpaces();
        if (i >= s.size())
            Unreadable(s);
        if (s[i] == '\'' || s[i] == '"') {
            const QChar quote = s[i++];
            for (;;) {
                if (i >= s.size())
                    Unreadable(s); // no closing quote
                if (s[i] == quote) {
                    if (i + 1 < s.size() && s[i + 1] == quote) {
                        term.literal += quote;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                term.literal += s[i++];
            }
            term.quoted = true;
            skipSpaces();
            if (i < s.size() && !AndAt(s, i))
                Unreadable(s);
        } else {
            // A bare value runs to the next "and" or the end.
            const qsizetype start = i;
            while (i < s.size() && !AndAt(s, i))
                ++i;
            term.literal = s.mid(start, i - start).trimmed();
            if (term.literal.isEmpty())
                Unreadable(s);
        }
        terms.append(term);
        if (i >= s.size())
            return terms;
        i += 3; // "and"
        skipSpaces();
        if (i >= s.size())
            Unreadable(s);
    }
}

// True when a bare value is written as a whole number (a value out of the field's range
// then selects nothing rather than being unreadable).
bool IsWholeNumber(const QString& literal) {
    static const QRegularExpression whole(R"(^[+-]?\d+$)");
    return whole.match(literal).hasMatch();
}

bool IsNumberText(const QString& literal) {
    static const QRegularExpression number(R"(^[+-]?[\d,]*\.?\d*$)");
    return number.match(literal).hasMatch();
}

} // namespace

void Table::SetFilter(const QString& expression) {
    QList<Condition> conditions;
    for (const FilterTerm& term : ParseFilter(expression)) {
        Field* f = FindField(term.field);
        if (!f)
            Unreadable(expression);
        QVariant value;
        if (term.quoted)
            value = term.literal;
        else if (term.literal.compare("true", Qt::CaseInsensitive) == 0)
            value = true;
        else if (term.literal.compare("false", Qt::CaseInsensitive) == 0)
            value = false;
        else
            value = term.literal;
        Condition c{f->Index(), {}};
        // A text longer than the field is no value of it: it selects nothing.
        if (IsTextType(f->DataType()) && f->Size() > 0 && value.typeId() == QMetaType::QString &&
            value.toString().size() > f->Size()) {
            try {
                f->CheckText(value.toString()); // a character no text holds is still refused
            } catch (const EDatabaseError&) {
                Unreadable(expression);
            }
            c.never = true;
            conditions.append(c);
            continue;
        }
        try {
            c.value = f->Normalize(value);
        } catch (const EDatabaseError&) {
            const FieldType type = f->DataType();
            const bool outOfRange =
                !term.quoted && (((type == FieldType::Integer || type == FieldType::Short) &&
                                  IsWholeNumber(term.literal)) ||
                                 (type == FieldType::Money && IsNumberText(term.literal)));
            if (!outOfRange)
                Unreadable(expression);
            c.never = true;
        }
        conditions.append(c);
    }
    if (m_filtered)
        PostBeforeSelectionChange();
    m_filter = expression;
    m_filterTerms = conditions;
    if (m_filtered)
        ChangeSelection();
}
