#include "toolkit/vtxSearchBox.h"

#include "engine/DataSource.h"
#include "engine/Query.h"
#include "engine/Sqlite.h"
#include "engine/Table.h"
#include "engine/TableSql.h"
#include "toolkit/vtxWindowHabits.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace {

// True when the table is already in the order of the index.
bool InIndexOrder(const Table& table, const IndexDef& index) {
    if (!table.IndexFieldNames().isEmpty()) {
        const QStringList fields = table.IndexFieldNames().split(';', Qt::SkipEmptyParts);
        if (fields.size() != index.fields.size())
            return false;
        for (int i = 0; i < fields.size(); ++i)
            if (fields[i].trimmed().compare(index.fields[i], Qt::CaseInsensitive) != 0)
                return false;
        return true;
    }
    if (table.IndexName().isEmpty())
        return index.primary;
    return table.IndexName().compare(index.name, Qt::CaseInsensitive) == 0;
}

} // namespace

TDBSearchBox::TDBSearchBox(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textEdited, this, &TDBSearchBox::Search);
}

TDBSearchBox::TDBSearchBox(DataSource* source, const QString& field, QWidget* parent)
    : TDBSearchBox(parent) {
    m_field = field;
    SetDataSource(source);
}

void TDBSearchBox::SetDataSource(DataSource* source) {
    for (const QMetaObject::Connection& c : m_connections)
        disconnect(c);
    m_connections.clear();
    m_source = source;
    if (source) {
        auto follow = [this] {
            if (!hasFocus() && !m_searching)
                ShowCurrent();
        };
        m_connections << connect(source, &DataSource::dataChanged, this, follow);
        m_connections << connect(source, &DataSource::stateChanged, this, follow);
    }
    if (!hasFocus())
        ShowCurrent();
}

void TDBSearchBox::SetDataField(const QString& field) {
    m_field = field;
    if (!hasFocus())
        ShowCurrent();
}

DataSet* TDBSearchBox::GetDataSet() const {
    return m_source ? m_source->GetDataSet() : nullptr;
}

QString TDBSearchBox::CurrentValue() const {
    DataSet* ds = GetDataSet();
    Field* f = ds && ds->Active() ? ds->FindField(m_field) : nullptr;
    return f ? f->AsString() : QString();
}

void TDBSearchBox::ShowCurrent() {
    setText(CurrentValue());
    selectAll();
}

void TDBSearchBox::focusInEvent(QFocusEvent* event) {
    if (event->reason() != Qt::PopupFocusReason)
        clear();
    QLineEdit::focusInEvent(event);
}

void TDBSearchBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason)
        ShowCurrent();
}

void TDBSearchBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Backspace && event->modifiers() == Qt::NoModifier &&
        hasSelectedText() && selectionStart() > 0) {
        // Take the last typed character into the selection, so that one Backspace
        // removes it with the completed remainder.
        const int start = selectionStart();
        const int length = int(selectedText().size());
        setSelection(start - 1, length + 1);
    }
    QLineEdit::keyPressEvent(event);
}

void TDBSearchBox::Search() {
    const QString typed = text();
    if (typed.isEmpty())
        return;
    m_searching = true;
    const bool found = Find(typed);
    m_searching = false;
    if (!found)
        return;
    const QString full = CurrentValue();
    if (!full.startsWith(typed, Qt::CaseInsensitive))
        return;
    setText(full);
    setSelection(int(full.size()), int(typed.size() - full.size()));
}

bool TDBSearchBox::Find(const QString& prefix) {
    DataSet* ds = GetDataSet();
    if (!ds || !ds->Active() || m_field.isEmpty() || prefix.isEmpty())
        return false;
    bool found = false;
    const bool wasSearching = m_searching;
    m_searching = true;
    RunAction([&] {
        auto* table = dynamic_cast<Table*>(ds);
        if (table && FindInIndexOrder(prefix, found))
            return;
        if (table)
            found = table->FindPrefix(m_field, prefix);
        else
            found = ds->Locate(m_field, {prefix}, CaseInsensitive | PartialKey);
    });
    m_searching = wasSearching;
    return found;
}

// Finds the first row of the index's order (when the table is in another order) with a
// query on the table's file, then moves to the first of those rows that the table's view
// holds. False when the table's own order serves.
bool TDBSearchBox::FindInIndexOrder(const QString& prefix, bool& found) {
    auto* table = dynamic_cast<Table*>(GetDataSet());
    const IndexDef* index = m_indexName.isEmpty() ? nullptr : table->Def().FindIndex(m_indexName);
    if (!index || InIndexOrder(*table, *index))
        return false;
    // The index's own terms, so that its order serves without a sort.
    QStringList order = IndexTerms(table->Def(), *index);
    order << "rowid";
    constexpr int kBatch = 100;
    Query query("SearchQ");
    query.DatabaseName = table->DatabaseName;
    query.SetSQL(
        {"SELECT rowid FROM " + QuoteName(table->Def().BaseName()),
         "WHERE " + QuoteName(table->FieldByName(m_field)->FieldName()) +
             " LIKE :Prefix ESCAPE '\\'",
         "ORDER BY " + order.join(", ") + " LIMIT " + QString::number(kBatch) + " OFFSET :Skip"});
    query.ParamByName("Prefix")->SetAsString(TableSql::EscapeLike(prefix) + "%");
    for (int skip = 0;; skip += kBatch) {
        query.Close();
        query.ParamByName("Skip")->SetAsInteger(skip);
        query.Open();
        const int rows = query.DisplayRowCount();
        for (int r = 0; r < rows; ++r) {
            const qint64 id = query.DisplayValue(r, 0).toLongLong();
            if (id && table->GotoBookmark(id)) {
                found = true;
                return true;
            }
        }
        if (rows < kBatch)
            break;
    }
    found = false;
    return true;
}
