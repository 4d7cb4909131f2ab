#include "toolkit/vtxSearchBox.h"

#include "engine/Collation.h"
#include "engine/DataSource.h"
#include "engine/Table.h"
#include "toolkit/vtxWindowHabits.h"

#include <QFocusEvent>
#include <QKeyEvent>

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
    const qsizetype covered = MatchPrefix(full, typed);
    if (covered < 0)
        return;
    setText(full);
    setSelection(int(full.size()), int(covered - full.size()));
}

bool TDBSearchBox::Find(const QString& prefix) {
    DataSet* ds = GetDataSet();
    if (!ds || !ds->Active() || m_field.isEmpty() || prefix.isEmpty())
        return false;
    bool found = false;
    const bool wasSearching = m_searching;
    m_searching = true;
    RunAction([&] {
        if (auto* table = dynamic_cast<Table*>(ds))
            found = table->FindPrefix(m_field, prefix, m_indexName);
        else
            found = ds->Locate(m_field, {prefix}, CaseInsensitive | PartialKey);
    });
    m_searching = wasSearching;
    return found;
}
