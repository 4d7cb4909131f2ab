// The data set's side towards grids and data sources: rows as shown, and the
// notifications that tell bound controls what changed.
#include "engine/DataSet.h"

#include "engine/DataSource.h"

namespace {
// What a grid shows in the cells of a row that cannot be read.
const QString kDamagedRowText = QStringLiteral("(damaged)");
const QString kGoneRowText = QStringLiteral("(deleted)");
} // namespace

// ---- grid access -------------------------------------------------------------------

int DataSet::DisplayRowCount() const {
    return int(m_rows.size()) + (m_state == DataSetState::Insert ? 1 : 0);
}

int DataSet::DisplayCurrentRow() const {
    if (m_state == DataSetState::Insert)
        return m_insertPos;
    return m_cur;
}

qint64 DataSet::DisplayRowId(int row) const {
    if (m_state == DataSetState::Insert) {
        if (row == m_insertPos)
            return 0;
        if (row > m_insertPos)
            --row;
    } else if (m_state == DataSetState::Edit && row == m_cur) {
        return 0;
    }
    return (row >= 0 && row < m_rows.size()) ? m_rows[row] : 0;
}

QVariant DataSet::DisplayValue(int row, int field) {
    if (!Active() || field < 0 || field >= m_defs.size())
        return {};
    if (m_state == DataSetState::Insert) {
        if (row == m_insertPos)
            return m_buffer[field];
        if (row > m_insertPos)
            --row;
    } else if (m_state == DataSetState::Edit && row == m_cur) {
        return m_buffer[field];
    }
    if (row < 0 || row >= m_rows.size())
        return {};
    return CachedRow(m_rows[row])[field];
}

QString DataSet::DisplayText(int row, int field) {
    if (field < 0 || field >= m_fieldList.size())
        return {};
    const QVariant value = DisplayValue(row, field);
    // A row that cannot be read is never shown as an empty record.
    if (const RowTrouble* trouble = UnreadableRow(DisplayRowId(row)))
        return trouble->gone ? kGoneRowText : kDamagedRowText;
    return m_fieldList[field]->FormatDisplay(value);
}

void DataSet::MoveToDisplayRow(int row) {
    RaiseIfInactive();
    if (m_state == DataSetState::Insert) {
        if (row == m_insertPos)
            return;
        const int pending = m_insertPos;
        const qint64 target =
            (row >= 0 && row < DisplayRowCount()) ? m_rows.value(row > pending ? row - 1 : row) : 0;
        CheckBrowseMode();
        if (target) {
            const int index = IndexOfRow(target);
            if (index >= 0) {
                m_bof = m_eof = false;
                MoveTo(index);
                SettleOnCurrent();
            }
        }
        return;
    }
    if (row == m_cur)
        return;
    const qint64 target = (row >= 0 && row < m_rows.size()) ? m_rows[row] : 0;
    CheckBrowseMode();
    const int index = target ? IndexOfRow(target) : -1;
    if (index >= 0) {
        m_bof = m_eof = false;
        MoveTo(index);
        SettleOnCurrent();
    }
}

// ---- notifications -----------------------------------------------------------------

void DataSet::DisableControls() {
    ++m_disableCount;
}

void DataSet::EnableControls() {
    if (m_disableCount == 0)
        return;
    if (--m_disableCount == 0 && m_pendingNotify) {
        m_pendingNotify = false;
        NotifyStateChanged();
        NotifyRowsChanged();
        NotifyDataChanged(nullptr);
    }
}

void DataSet::FocusControl(Field* field) {
    const QList<DataSource*> sources = m_sources;
    for (DataSource* s : sources)
        s->FocusControl(field);
}

void DataSet::AddDataSource(DataSource* source) {
    if (!m_sources.contains(source))
        m_sources.append(source);
}

void DataSet::RemoveDataSource(DataSource* source) {
    m_sources.removeAll(source);
}

void DataSet::NotifyDataChanged(Field* field) {
    if (m_disableCount > 0) {
        m_pendingNotify = true;
        return;
    }
    const QList<DataSource*> sources = m_sources;
    for (DataSource* s : sources) {
        if (!m_containNotify) {
            s->DataChanged(field);
            continue;
        }
        try {
            s->DataChanged(field);
        } catch (...) {
        }
    }
}

void DataSet::NotifyStateChanged() {
    if (m_disableCount > 0) {
        m_pendingNotify = true;
        return;
    }
    const QList<DataSource*> sources = m_sources;
    for (DataSource* s : sources) {
        if (!m_containNotify) {
            s->StateChanged();
            continue;
        }
        try {
            s->StateChanged();
        } catch (...) {
        }
    }
}

void DataSet::NotifyRowsChanged() {
    if (m_disableCount > 0) {
        m_pendingNotify = true;
        return;
    }
    const QList<DataSource*> sources = m_sources;
    for (DataSource* s : sources) {
        if (!m_containNotify) {
            s->RowsChanged();
            continue;
        }
        try {
            s->RowsChanged();
        } catch (...) {
        }
    }
}
