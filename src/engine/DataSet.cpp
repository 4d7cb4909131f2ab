#include "engine/DataSet.h"

#include "engine/Collation.h"
#include "engine/DataSource.h"
#include "engine/Table.h"

namespace {
constexpr int kCacheLimit = 4096;

bool IsNullValue(const QVariant& v) {
    return !v.isValid() || v.isNull();
}
} // namespace

DataSet::DataSet(const QString& name) : Name(name) {}

DataSet::~DataSet() {
    for (DataSource* s : m_sources)
        s->m_dataSet = nullptr;
}

// ---- fields -------------------------------------------------------------------

void DataSet::SetFieldDefs(const QList<FieldDef>& defs) {
    m_defs = defs;
    m_fields.clear();
    m_fieldList.clear();
    m_fieldsByName.clear();
    for (int i = 0; i < defs.size(); ++i) {
        m_fields.push_back(std::make_unique<Field>(this, defs[i], i));
        m_fieldList.append(m_fields.back().get());
        m_fieldsByName.insert(defs[i].name.toLower(), m_fields.back().get());
    }
    m_buffer = QVector<QVariant>(defs.size());
}

Field* DataSet::FindField(const QString& name) const {
    // Rules ask for fields by name for every row they compute (a million rows for a report),
    // nearly always spelt as defined: comparing the names, which mostly differ in length,
    // costs less than hashing the name, let alone folding its case first.
    for (Field* f : m_fieldList)
        if (f->FieldName() == name)
            return f;
    return m_fieldsByName.value(name.toLower(), nullptr);
}

Field* DataSet::FieldByName(const QString& name) const {
    Field* f = FindField(name);
    if (!f)
        throw EDatabaseError(QString("%1: Field '%2' not found").arg(Name, name));
    return f;
}

QVariant DataSet::ActiveValue(int fieldIndex) const {
    if (fieldIndex < 0 || fieldIndex >= m_active->size())
        return {};
    return (*m_active)[fieldIndex];
}

void DataSet::SetActiveValue(int fieldIndex, const QVariant& value) {
    if (m_state == DataSetState::CalcFields) {
        (*m_active)[fieldIndex] = value;
        return;
    }
    if (m_state != DataSetState::Edit && m_state != DataSetState::Insert)
        throw EDatabaseError("Dataset not in edit or insert mode");
    Field* field = m_fieldList[fieldIndex];
    if (field->Kind() == FieldKind::Lookup)
        throw EDatabaseError(QString("Field '%1' cannot be modified").arg(field->FieldName()));
    m_buffer[fieldIndex] = value;
    m_modified = true;
    CalculateFields(m_buffer);
    NotifyDataChanged(field);
}

void DataSet::CalculateFields(QVector<QVariant>& values) {
    bool any = false;
    for (const FieldDef& d : m_defs)
        if (d.kind != FieldKind::Data) {
            any = true;
            break;
        }
    if (!any)
        return;
    for (int i = 0; i < m_defs.size(); ++i)
        if (m_defs[i].kind == FieldKind::Calculated)
            values[i] = QVariant();
    ComputeLookups(values);
    if (!OnCalcFields)
        return;
    QVector<QVariant>* saved = m_active;
    const DataSetState savedState = m_state;
    m_active = &values;
    m_state = DataSetState::CalcFields;
    try {
        OnCalcFields(*this);
    } catch (...) {
        m_active = saved;
        m_state = savedState;
        throw;
    }
    m_active = saved;
    m_state = savedState;
}

void DataSet::ComputeLookups(QVector<QVariant>&) {}

// ---- open and close ---------------------------------------------------------------

void DataSet::Open() {
    if (Active())
        return;
    DoOpen();
    ClearCache();
    m_state = DataSetState::Browse;
    try {
        m_rows = LoadRowIds();
    } catch (...) {
        m_state = DataSetState::Inactive;
        DoClose();
        throw;
    }
    m_cur = m_rows.isEmpty() ? -1 : 0;
    m_bof = true;
    m_eof = m_rows.isEmpty();
    LoadCurrent();
    if (AfterOpen)
        AfterOpen(*this);
    NotifyStateChanged();
    NotifyRowsChanged();
    NotifyDataChanged(nullptr);
}

void DataSet::Close() {
    if (!Active())
        return;
    CheckBrowseMode();
    if (BeforeClose)
        BeforeClose(*this);
    DoClose();
    m_state = DataSetState::Inactive;
    m_rows.clear();
    ClearCache();
    m_cur = -1;
    m_eof = m_bof = true;
    m_buffer.fill(QVariant());
    NotifyStateChanged();
    NotifyRowsChanged();
    NotifyDataChanged(nullptr);
}

void DataSet::RaiseIfInactive() const {
    if (!Active())
        throw EDatabaseError(
            QString("Cannot perform this operation on a closed dataset (%1)").arg(Name));
}

// ---- rows -----------------------------------------------------------------------

const QVector<QVariant>& DataSet::CachedRow(qint64 rowId) {
    auto it = m_cache.find(rowId);
    if (it != m_cache.end())
        return *it;
    if (m_cache.size() >= kCacheLimit)
        ClearCache();
    QVector<QVariant> values(m_defs.size());
    bool read = false;
    try {
        read = ReadRow(rowId, values);
        if (!read)
            m_unreadable.insert(rowId, {true, {}});
    } catch (const EDatabaseError& error) {
        if (error.Kind() != ErrorKind::Damaged)
            throw;
        m_unreadable.insert(rowId, {false, error.Message()});
    }
    if (read)
        CalculateFields(values);
    else
        values = QVector<QVariant>(m_defs.size());
    return *m_cache.insert(rowId, std::move(values));
}

const DataSet::RowTrouble* DataSet::UnreadableRow(qint64 rowId) const {
    auto it = m_unreadable.constFind(rowId);
    return it == m_unreadable.constEnd() ? nullptr : &*it;
}

bool DataSet::SettleOnCurrent() {
    if (m_cur < 0 || m_cur >= m_rows.size())
        return false;
    const RowTrouble* trouble = UnreadableRow(m_rows[m_cur]);
    if (!trouble)
        return false;
    if (trouble->gone) {
        ReloadRows(true);
        if (AfterScroll)
            AfterScroll(*this);
        return true;
    }
    throw EDatabaseError(trouble->message, ErrorKind::Damaged);
}

void DataSet::LoadCurrent() {
    if (m_cur >= 0 && m_cur < m_rows.size())
        m_buffer = CachedRow(m_rows[m_cur]);
    else
        m_buffer = QVector<QVariant>(m_defs.size());
    m_modified = false;
}

void DataSet::ReloadRows(bool keepPosition) {
    const qint64 keep = (keepPosition && m_cur >= 0 && m_cur < m_rows.size()) ? m_rows[m_cur] : 0;
    const int oldIndex = m_cur;
    ClearCache();
    m_rows = LoadRowIds();
    int index = -1;
    if (keep)
        index = m_rows.indexOf(keep);
    if (index < 0)
        index = keepPosition ? qMin(qMax(oldIndex, 0), int(m_rows.size()) - 1) : 0;
    if (m_rows.isEmpty())
        index = -1;
    m_cur = index;
    m_bof = m_cur <= 0;
    m_eof = m_rows.isEmpty();
    LoadCurrent();
    NotifyRowsChanged();
    NotifyDataChanged(nullptr);
}

int DataSet::IndexOfRow(qint64 rowId) {
    return int(m_rows.indexOf(rowId));
}

qint64 DataSet::StoreRow(qint64, const QVector<QVariant>&, const QVector<QVariant>*) {
    throw EDatabaseError(QString("Cannot modify a read-only dataset (%1)").arg(Name));
}

void DataSet::RemoveRow(qint64, const QVector<QVariant>*) {
    throw EDatabaseError(QString("Cannot modify a read-only dataset (%1)").arg(Name));
}

int DataSet::InsertPosition(qint64, const QVector<QVariant>&) {
    return int(m_rows.size());
}

bool DataSet::RowSelected(const QVector<QVariant>&) const {
    return true;
}

void DataSet::InitNewRow(QVector<QVariant>&) {}

qint64 DataSet::FindRow(const QStringList& fields, const QVariantList& values,
                        LocateOptions options) {
    QList<Field*> fs;
    for (const QString& n : fields)
        fs << FieldByName(n);
    for (qint64 id : m_rows) {
        const QVector<QVariant>& row = CachedRow(id);
        bool match = true;
        for (int i = 0; i < fs.size() && match; ++i) {
            const QVariant want = i < values.size() ? values[i] : QVariant();
            const QVariant have = row[fs[i]->Index()];
            if (IsNullValue(want)) {
                match = IsNullValue(have);
                continue;
            }
            if (IsNullValue(have)) {
                match = false;
                continue;
            }
            const bool text =
                fs[i]->DataType() == FieldType::Text || fs[i]->DataType() == FieldType::Memo;
            if (text) {
                // The comparison the table files' indexes and the search boxes use.
                const QString h = have.toString();
                const QString w = want.toString();
                if (options & CaseInsensitive)
                    match =
                        (options & PartialKey) ? MatchPrefix(h, w) >= 0 : CompareText(h, w) == 0;
                else
                    match = (options & PartialKey) ? h.startsWith(w) : h == w;
            } else {
                match = fs[i]->Normalize(want) == have;
            }
        }
        if (match)
            return id;
    }
    return 0;
}

// ---- the cursor -------------------------------------------------------------------

void DataSet::MoveTo(int index, bool notify) {
    if (m_rows.isEmpty()) {
        m_cur = -1;
    } else {
        m_cur = qBound(0, index, int(m_rows.size()) - 1);
    }
    LoadCurrent();
    if (notify) {
        if (AfterScroll)
            AfterScroll(*this);
        NotifyDataChanged(nullptr);
    }
}

void DataSet::First() {
    RaiseIfInactive();
    CheckBrowseMode();
    MoveTo(0);
    m_bof = true;
    m_eof = m_rows.isEmpty();
    SettleOnCurrent();
}

void DataSet::Last() {
    RaiseIfInactive();
    CheckBrowseMode();
    MoveTo(int(m_rows.size()) - 1);
    m_eof = true;
    m_bof = m_rows.isEmpty();
    if (SettleOnCurrent()) {
        MoveTo(int(m_rows.size()) - 1);
        m_eof = true;
        m_bof = m_rows.isEmpty();
    }
}

void DataSet::Next() {
    RaiseIfInactive();
    CheckBrowseMode();
    if (m_cur + 1 >= m_rows.size()) {
        m_eof = true;
        return;
    }
    m_bof = m_eof = false;
    const Bookmark from = GetBookmark();
    MoveTo(m_cur + 1);
    // The row moved to was deleted by another user: the list was read again and
    // the cursor stands on the row that followed it, or on the last row.
    if (SettleOnCurrent() && GetBookmark() == from)
        m_eof = true;
}

void DataSet::Prior() {
    RaiseIfInactive();
    CheckBrowseMode();
    if (m_cur <= 0) {
        m_bof = true;
        return;
    }
    m_bof = m_eof = false;
    const Bookmark from = GetBookmark();
    MoveTo(m_cur - 1);
    if (SettleOnCurrent() && GetBookmark() == from) {
        if (m_cur > 0)
            MoveTo(m_cur - 1);
        else
            m_bof = true;
    }
}

void DataSet::MoveBy(int distance) {
    if (distance > 0)
        while (distance-- > 0 && !m_eof)
            Next();
    else
        while (distance++ < 0 && !m_bof)
            Prior();
}

int DataSet::RecNo() const {
    if (m_state == DataSetState::Insert)
        return m_insertPos + 1;
    return m_cur + 1;
}

void DataSet::SetRecNo(int recNo) {
    RaiseIfInactive();
    CheckBrowseMode();
    m_bof = m_eof = false;
    MoveTo(recNo - 1);
    SettleOnCurrent();
}

Bookmark DataSet::GetBookmark() const {
    return (m_cur >= 0 && m_cur < m_rows.size()) ? m_rows[m_cur] : 0;
}

bool DataSet::GotoBookmark(Bookmark bookmark) {
    RaiseIfInactive();
    CheckBrowseMode();
    const int index = bookmark ? IndexOfRow(bookmark) : -1;
    if (index < 0)
        return false;
    m_bof = m_eof = false;
    MoveTo(index);
    if (SettleOnCurrent())
        return GetBookmark() == bookmark;
    return true;
}

bool DataSet::Locate(const QString& fields, const QVariantList& values, LocateOptions options) {
    RaiseIfInactive();
    CheckBrowseMode();
    const qint64 id = FindRow(fields.split(';', Qt::SkipEmptyParts), values, options);
    if (!id)
        return false;
    const int index = IndexOfRow(id);
    if (index < 0)
        return false;
    m_bof = m_eof = false;
    MoveTo(index);
    SettleOnCurrent();
    return true;
}

// ---- editing -----------------------------------------------------------------------

void DataSet::SetState(DataSetState state) {
    if (m_state == state)
        return;
    m_state = state;
    NotifyStateChanged();
}

void DataSet::CheckBrowseMode() {
    // The rows of the tables linked to this one are stored first: the current row is about to
    // change, and a detail refused then leaves this data set where it is.
    for (DataSource* s : m_sources)
        for (Table* detail : QList<Table*>(s->m_details))
            if (detail->Active())
                detail->CheckBrowseMode();
    if (m_state == DataSetState::Edit || m_state == DataSetState::Insert) {
        for (DataSource* s : m_sources)
            s->UpdateData();
        if (m_modified)
            Post();
        else
            Cancel();
    }
}

void DataSet::StartNewRow(int position) {
    RaiseIfInactive();
    if (m_readOnly)
        throw EDatabaseError(QString("Cannot modify a read-only dataset (%1)").arg(Name));
    CheckBrowseMode();
    m_insertPos = qBound(0, position, int(m_rows.size()));
    m_buffer = QVector<QVariant>(m_defs.size());
    InitNewRow(m_buffer);
    m_modified = false;
    m_state = DataSetState::Insert;
    if (OnNewRecord)
        OnNewRecord(*this);
    CalculateFields(m_buffer);
    m_modified = false;
    NotifyStateChanged();
    NotifyRowsChanged();
    NotifyDataChanged(nullptr);
    if (AfterInsert)
        AfterInsert(*this);
}

void DataSet::Insert() {
    RaiseIfInactive();
    CheckBrowseMode(); // a pending row takes its place first
    StartNewRow(m_cur < 0 ? 0 : m_cur);
}

void DataSet::Append() {
    RaiseIfInactive();
    CheckBrowseMode();
    StartNewRow(int(m_rows.size()));
}

void DataSet::Edit() {
    RaiseIfInactive();
    if (m_state == DataSetState::Edit || m_state == DataSetState::Insert)
        return;
    if (m_readOnly)
        throw EDatabaseError(QString("Cannot modify a read-only dataset (%1)").arg(Name));
    if (m_rows.isEmpty()) {
        Insert();
        return;
    }
    if (BeforeEdit)
        BeforeEdit(*this);
    // Re-read the row so that an edit starts from what is stored; the post then
    // checks that the row still holds what was read here.
    const qint64 id = m_rows[m_cur];
    m_cache.remove(id);
    m_unreadable.remove(id);
    LoadCurrent();
    if (const RowTrouble* trouble = UnreadableRow(id)) {
        if (!trouble->gone)
            throw EDatabaseError(trouble->message, ErrorKind::Damaged);
        ReloadRows(true);
        throw EDatabaseError(
            QString("This record is no longer in table %1: another user has deleted it.")
                .arg(StorageName()),
            ErrorKind::RowChanged);
    }
    m_original = m_buffer;
    m_rereadOnCancel = false;
    SetState(DataSetState::Edit);
    NotifyDataChanged(nullptr);
}

void DataSet::CheckRequired() {
    for (int i = 0; i < m_defs.size(); ++i) {
        const FieldDef& d = m_defs[i];
        if (d.kind == FieldKind::Data && d.required && IsNullValue(m_buffer[i])) {
            FocusControl(m_fieldList[i]);
            throw EDatabaseError(QString("Field '%1' must have a value").arg(d.name),
                                 ErrorKind::RequiredField);
        }
    }
}

void DataSet::Post() {
    RaiseIfInactive();
    if (m_state != DataSetState::Edit && m_state != DataSetState::Insert)
        throw EDatabaseError("Dataset not in edit or insert mode");
    for (DataSource* s : m_sources)
        s->UpdateData();
    if (BeforePost)
        BeforePost(*this);
    const bool inserting = m_state == DataSetState::Insert;
    qint64 rowId = inserting ? 0 : GetBookmark();
    try {
        CheckRequired();
        CalculateFields(m_buffer);
        rowId = StoreRow(rowId, m_buffer, inserting ? nullptr : &m_original);
    } catch (const EDatabaseError& error) {
        // Another user changed the row: a cancel shows it as it is now.
        if (error.Kind() == ErrorKind::RowChanged)
            m_rereadOnCancel = true;
        DataAction action = DataAction::Fail;
        if (OnPostError)
            action = OnPostError(*this, error);
        if (action == DataAction::Abort)
            throw EAbort();
        throw;
    }
    // The row is stored. From here on nothing turns the post into a failure, so a
    // retry can never store it twice: the data set is in Browse before anything
    // else runs, and what fails afterwards is given up.
    const int position = inserting ? m_insertPos : m_cur;
    m_state = DataSetState::Browse;
    m_insertPos = -1;
    m_modified = false;
    m_rereadOnCancel = false;
    PlacePostedRow(rowId, inserting, position);
    TellAfterChange([](DataSet& d) { d.RowsStored(); });
    TellAfterChange([](DataSet& d) {
        d.NotifyStateChanged();
        d.NotifyRowsChanged();
        d.NotifyDataChanged(nullptr);
    });
    if (AfterPost)
        TellAfterChange(AfterPost);
}

// Places the posted row in the list without reading the whole list again. When
// the file cannot be read just now, the row keeps the place the user gave it.
void DataSet::PlacePostedRow(qint64 rowId, bool inserting, int position) {
    const QVector<QVariant> posted = m_buffer;
    m_cache.remove(rowId);
    m_unreadable.remove(rowId);
    if (!inserting && m_cur >= 0 && m_cur < m_rows.size())
        m_rows.remove(m_cur);
    int index = -1;
    try {
        QVector<QVariant> stored(m_defs.size());
        if (ReadRow(rowId, stored) && RowSelected(stored)) {
            index = InsertPosition(rowId, stored);
            m_rows.insert(index, rowId);
        } else {
            index = position; // no longer selected: the cursor takes the next row
        }
    } catch (const std::exception&) {
        index = qBound(0, position, int(m_rows.size()));
        m_rows.insert(index, rowId);
        m_cache.insert(rowId, posted);
    }
    m_bof = m_eof = false;
    try {
        MoveTo(index, false);
    } catch (const std::exception&) {
        m_buffer = posted;
    }
}

void DataSet::TellAfterChange(const DataSetEvent& event) {
    const bool contained = m_containNotify;
    m_containNotify = true;
    try {
        event(*this);
    } catch (...) {
        // The change is stored: a listener that fails (a lookup or detail table
        // another user holds, a rule) leaves its own view to be read again later.
    }
    m_containNotify = contained;
}

void DataSet::Cancel() {
    if (m_state != DataSetState::Edit && m_state != DataSetState::Insert)
        return;
    const bool inserting = m_state == DataSetState::Insert;
    m_state = DataSetState::Browse;
    m_insertPos = -1;
    const bool reread = m_rereadOnCancel && !inserting;
    m_rereadOnCancel = false;
    if (reread && m_cur >= 0 && m_cur < m_rows.size()) {
        // The post was refused because another user changed or deleted the row:
        // show it as it is now, or read the list again when it is gone.
        TellAfterChange([](DataSet& d) {
            const qint64 id = d.m_rows[d.m_cur];
            d.m_cache.remove(id);
            d.m_unreadable.remove(id);
            d.LoadCurrent();
            const RowTrouble* trouble = d.UnreadableRow(id);
            if (trouble && trouble->gone)
                d.ReloadRows(true);
        });
    } else {
        LoadCurrent();
    }
    NotifyStateChanged();
    if (inserting)
        NotifyRowsChanged();
    NotifyDataChanged(nullptr);
    if (AfterCancel)
        AfterCancel(*this);
}

void DataSet::Delete() {
    RaiseIfInactive();
    if (m_state == DataSetState::Insert) {
        Cancel();
        return;
    }
    if (m_rows.isEmpty())
        throw EDatabaseError("Cannot perform this operation on an empty dataset");
    if (m_readOnly)
        throw EDatabaseError(QString("Cannot modify a read-only dataset (%1)").arg(Name));
    if (BeforeDelete)
        BeforeDelete(*this);
    const qint64 id = m_rows[m_cur];
    // The row is removed only while it still holds what the user saw; a damaged row
    // cannot be compared and is removed as it is.
    const QVector<QVariant> shown = m_state == DataSetState::Edit ? m_original : CachedRow(id);
    try {
        RemoveRow(id, UnreadableRow(id) ? nullptr : &shown);
    } catch (const EDatabaseError& error) {
        // Another user changed the row: show it as it is now, to be looked at again.
        if (error.Kind() == ErrorKind::RowChanged) {
            m_cache.remove(id);
            m_unreadable.remove(id);
            if (m_state == DataSetState::Browse)
                TellAfterChange([](DataSet& d) {
                    d.LoadCurrent();
                    d.NotifyDataChanged(nullptr);
                });
        }
        throw;
    }
    // The row is gone from the file: nothing after this turns the delete into a
    // failure.
    m_cache.remove(id);
    m_unreadable.remove(id);
    m_rows.remove(m_cur);
    m_state = DataSetState::Browse;
    m_modified = false;
    m_eof = m_rows.isEmpty();
    m_bof = m_cur <= 0;
    try {
        MoveTo(m_cur, false);
    } catch (const std::exception&) {
        m_buffer = QVector<QVariant>(m_defs.size());
    }
    TellAfterChange([](DataSet& d) { d.RowsStored(); });
    TellAfterChange([](DataSet& d) {
        d.NotifyStateChanged();
        d.NotifyRowsChanged();
        d.NotifyDataChanged(nullptr);
    });
    if (AfterDelete)
        TellAfterChange(AfterDelete);
}

void DataSet::Refresh() {
    RaiseIfInactive();
    CheckBrowseMode();
    ReloadRows(true);
}
