#pragma once
// The model under the data grid: the rows of a data source's data set as the data set
// shows them (a pending new row included), one column per declared grid column. It reads
// only the rows asked for (the rows on screen), never the whole table, and never moves
// the cursor to read.

#include "engine/DataSource.h"
#include "toolkit/vtxDateEdit.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <QPointer>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

class DataSet;
class Field;

// How a column's cells are edited in place. Auto: check box for logical fields, date box
// for date fields, a list when the column has a lookup source or pick list, text else.
enum class TColumnEditor { Auto, Text, Date, Check, Lookup, None };

struct TDBGridColumn {
    QString FieldName;
    QString Title;     // empty: the field's display label
    QString TitleHint; // the hint shown over the title; empty: none
    bool Visible = true;
    Qt::Alignment Alignment = {};      // of the cells; none: right for numbers, else left
    Qt::Alignment TitleAlignment = {}; // none: left
    bool ReadOnly = false;
    std::optional<QFont> Font;      // cells; none: the grid's font
    std::optional<QFont> TitleFont; // none: the title row's font
    QColor Color;                   // cell background; invalid: the grid's
    QColor FontColor;               // cell text; invalid: the grid's
    QColor TitleColor;              // title text
    QColor TitleBackground;         // title background
    int Width = 0;                  // pixels; 0: from the field's width and the title
    TColumnEditor Editor = TColumnEditor::Auto;
    // The list of a lookup column: the rows of another data set (LookupField shown,
    // LookupKeyField written into the row; the key is the shown field when empty), or a
    // fixed pick list when there is no lookup source.
    QPointer<DataSource> LookupSource;
    QString LookupField;
    QString LookupKeyField;
    QStringList PickList;
    // How the calendar of a date column's editor opens.
    TCalendarStyle CalendarStyle = TCalendarStyle::Dialog;
    // The index of the grid's table that a click on the title sets ("" the primary index);
    // none: a click keeps the order and only moves the arrow.
    std::optional<QString> SortIndex;
    // A text cell whose typing is written into the field at each keystroke, whenever the text
    // reads as a value of the field (a text that does not read yet waits for the cell to be
    // left, as in any column), so that calculated fields follow the typing (a total of two
    // amounts). Escape in the cell puts back the value it had when its editor opened.
    bool WriteWhileTyping = false;
};

class TDBGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TDBGridModel(QObject* parent = nullptr);

    void SetDataSource(DataSource* source);
    DataSource* GetDataSource() const { return m_source; }
    DataSet* GetDataSet() const;

    // Declared columns; while none is declared, every visible field of the data set is a
    // column titled by its display label.
    TDBGridColumn& AddColumn(const QString& field, const QString& title = {});
    void ClearColumns();
    int ColumnCount() const { return int(m_columns.size()); }
    TDBGridColumn& Column(int column) { return *m_columns[size_t(column)]; }
    const TDBGridColumn& Column(int column) const { return *m_columns[size_t(column)]; }
    int ColumnOfField(const QString& field) const; // -1 when none
    Field* ColumnField(int column) const;          // null when closed or unknown
    QString ColumnTitle(int column) const;
    TColumnEditor EditorKind(int column) const; // Auto resolved
    Qt::Alignment CellAlignment(int column) const;

    // In-place editing allowed at all (the grid's Editing option).
    void SetEditing(bool on) { m_editing = on; }
    bool CanEdit(int column) const;
    // The data set's current row as shown (-1 when none).
    int CursorRow() const;
    // False after a write that the field refused (the refusal was shown).
    bool LastWriteFailed() const { return m_writeFailed; }
    void ClearWriteFailed() { m_writeFailed = false; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Writes into the current row only (Edit is started when the value changes); an edit
    // text is read by the field's rules, a date by the date box's rules.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    // The text of an open cell editor of the current row, written while it is typed
    // (TDBGridColumn::WriteWhileTyping); Edit is started when the value changes. Quiet: false,
    // with nothing written, when the text does not read as a value of the field.
    bool WriteTyped(const QModelIndex& index, const QString& text);
    // Puts a value (storage form) back into a field of the current row, quietly.
    void RestoreValue(const QModelIndex& index, const QVariant& value);

Q_SIGNALS:
    // The cursor moved or the state changed: the view selects the cursor's row again.
    void cursorMoved();
    // The columns were rebuilt from the data set's fields (no declared columns).
    void columnsRebuilt();

private:
    void RowsChanged();
    void DataChanged(Field* field);
    void StateChanged();
    bool RebuildAutoColumns();

    QPointer<DataSource> m_source;
    std::vector<std::unique_ptr<TDBGridColumn>> m_columns;
    bool m_declared = false;
    bool m_editing = true;
    bool m_writeFailed = false;
    int m_rowCount = 0;
    QList<QMetaObject::Connection> m_connections;
};
