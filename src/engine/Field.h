#pragma once
// A field of a data set: reads and writes the value of the data set's current
// row (or of the row whose calculated fields are being worked out).

#include "engine/Definitions.h"
#include "engine/Types.h"

#include <QMetaType>
#include <QVariant>

class DataSet;

class Field {
public:
    Field(DataSet* owner, const FieldDef& def, int index);

    const QString& FieldName() const { return m_def.name; }
    FieldType DataType() const { return m_def.type; }
    FieldKind Kind() const { return m_def.kind; }
    int Size() const { return m_def.size; }
    bool Required() const { return m_def.required; }
    int Index() const { return m_index; }
    const FieldDef& Def() const { return m_def; }
    DataSet* Owner() const { return m_owner; }
    bool IsCalculated() const { return m_def.kind != FieldKind::Data; }

    // Display properties used by grids and controls.
    QString DisplayLabel;
    bool ReadOnly = false;
    bool Visible = true;

    // Reading; an empty field reads as "", 0, false or an invalid date.
    bool IsNull() const;
    QVariant Value() const; // the storage form (see DataSet)
    QString AsString() const;
    int AsInteger() const;
    double AsFloat() const;
    Currency AsCurrency() const;
    TDateTime AsDateTime() const;
    QDate AsDate() const;
    QTime AsTime() const;
    bool AsBoolean() const;
    // The text a control shows: dates in the short date format, money in the
    // currency format, times as "10:00 AM", logical values "True"/"False".
    QString DisplayText() const;

    // Writing: only in Edit or Insert ("Dataset not in edit or insert mode").
    void SetValue(const QVariant& value);
    void SetAsString(const QString& text); // converts; raises on a bad value
    void SetAsInteger(int value);
    void SetAsFloat(double value);
    void SetAsCurrency(Currency value);
    void SetAsDateTime(TDateTime value);
    void SetAsDate(const QDate& value);
    void SetAsTime(const QTime& value);
    void SetAsBoolean(bool value);
    void Clear();

    // Converts any value to this field's storage form (text cut to its width,
    // empty text as null). Raises EDatabaseError (a conversion error) for a value of
    // the wrong kind or one the field cannot hold: a number that is not finite, an
    // integer beyond the field's range, money beyond what the file keeps exactly
    // (500 billion), a date outside the years 1 to 9999, text with control characters.
    QVariant Normalize(const QVariant& value) const;
    // Raises for a text this field cannot hold: control characters (a memo keeps line
    // breaks and tabs), halves of a surrogate pair, characters that are no characters.
    void CheckText(const QString& text) const;
    // Formats a storage-form value as DisplayText does.
    QString FormatDisplay(const QVariant& value) const;
    // Formats a storage-form value as AsString does.
    QString FormatString(const QVariant& value) const;

private:
    DataSet* m_owner;
    FieldDef m_def;
    int m_index;
};

Q_DECLARE_METATYPE(Field*)

// The text cut to at most width UTF-16 units, never inside a character.
QString CutText(const QString& text, int width);
