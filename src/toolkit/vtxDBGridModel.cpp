#include "toolkit/vtxDBGridModel.h"

#include "engine/DataSet.h"
#include "engine/DataSource.h"
#include "engine/EDatabaseError.h"
#include "toolkit/vtxDateEdit.h"
#include "toolkit/vtxWindowHabits.h"

namespace {

bool IsNumeric(FieldType type) {
    return type == FieldType::Integer || type == FieldType::Short || type == FieldType::Number ||
           type == FieldType::Money;
}

bool SameValue(const QVariant& a, const QVariant& b) {
    const bool nullA = !a.isValid() || a.isNull();
    const bool nullB = !b.isValid() || b.isNull();
    if (nullA || nullB)
        return nullA == nullB;
    return a == b;
}

} // namespace

TDBGridModel::TDBGridModel(QObject* parent) : QAbstractTableModel(parent) {}

void TDBGridModel::SetDataSource(DataSource* source) {
    for (const QMetaObject::Connection& c : m_connections)
        disconnect(c);
    m_connections.clear();
    m_source = source;
    if (source) {
        m_connections << connect(source, &DataSource::rowsChanged, this,
                                 &TDBGridModel::RowsChanged);
        m_connections << connect(source, &DataSource::dataChanged, this,
                                 &TDBGridModel::DataChanged);
        m_connections << connect(source, &DataSource::stateChanged, this,
                                 &TDBGridModel::StateChanged);
        m_connections << connect(source, &QObject::destroyed, this, &TDBGridModel::RowsChanged);
    }
    RowsChanged();
}

DataSet* TDBGridModel::GetDataSet() const {
    return m_source ? m_source->GetDataSet() : nullptr;
}

TDBGridColumn& TDBGridModel::AddColumn(const QString& field, const QString& title) {
    if (!m_declared) {
        // The first declared column replaces the columns taken from the fields.
        beginResetModel();
        m_columns.clear();
        m_declared = true;
        endResetModel();
    }
    const int at = int(m_columns.size());
    beginInsertColumns({}, at, at);
    auto column = std::make_unique<TDBGridColumn>();
    column->FieldName = field;
    column->Title = title;
    m_columns.push_back(std::move(column));
    endInsertColumns();
    return *m_columns.back();
}

void TDBGridModel::ClearColumns() {
    beginResetModel();
    m_columns.clear();
    m_declared = false;
    RebuildAutoColumns();
    endResetModel();
    Q_EMIT columnsRebuilt();
    Q_EMIT cursorMoved();
}

bool TDBGridModel::RebuildAutoColumns() {
    if (m_declared)
        return false;
    DataSet* ds = GetDataSet();
    QStringList names;
    if (ds && ds->Active())
        for (Field* f : ds->Fields())
            if (f->Visible)
                names << f->FieldName();
    QStringList have;
    for (const auto& c : m_columns)
        have << c->FieldName;
    if (names == have)
        return false;
    m_columns.clear();
    for (const QString& n : names) {
        auto column = std::make_unique<TDBGridColumn>();
        column->FieldName = n;
        m_columns.push_back(std::move(column));
    }
    return true;
}

int TDBGridModel::ColumnOfField(const QString& field) const {
    for (size_t i = 0; i < m_columns.size(); ++i)
        if (m_columns[i]->FieldName.compare(field, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

Field* TDBGridModel::ColumnField(int column) const {
    DataSet* ds = GetDataSet();
    if (!ds || !ds->Active() || column < 0 || column >= ColumnCount())
        return nullptr;
    return ds->FindField(m_columns[size_t(column)]->FieldName);
}

QString TDBGridModel::ColumnTitle(int column) const {
    if (column < 0 || column >= ColumnCount())
        return {};
    const TDBGridColumn& c = Column(column);
    if (!c.Title.isEmpty())
        return c.Title;
    if (Field* f = ColumnField(column))
        return f->DisplayLabel;
    return c.FieldName;
}

TColumnEditor TDBGridModel::EditorKind(int column) const {
    const TDBGridColumn& c = Column(column);
    if (c.Editor != TColumnEditor::Auto)
        return c.Editor;
    if (c.LookupSource || !c.PickList.isEmpty())
        return TColumnEditor::Lookup;
    Field* f = ColumnField(column);
    if (f && f->DataType() == FieldType::Logical)
        return TColumnEditor::Check;
    if (f && f->DataType() == FieldType::Date)
        return TColumnEditor::Date;
    return TColumnEditor::Text;
}

Qt::Alignment TDBGridModel::CellAlignment(int column) const {
    const TDBGridColumn& c = Column(column);
    Qt::Alignment a = c.Alignment;
    if (!(a & Qt::AlignHorizontal_Mask)) {
        Field* f = ColumnField(column);
        if (f && EditorKind(column) == TColumnEditor::Check)
            a |= Qt::AlignHCenter;
        else if (f && IsNumeric(f->DataType()))
            a |= Qt::AlignRight;
        else
            a |= Qt::AlignLeft;
    }
    if (!(a & Qt::AlignVertical_Mask))
        a |= Qt::AlignVCenter;
    return a;
}

bool TDBGridModel::CanEdit(int column) const {
    if (!m_editing || column < 0 || column >= ColumnCount() || Column(column).ReadOnly)
        return false;
    Field* f = ColumnField(column);
    return f && !f->ReadOnly && !f->IsCalculated() && f->Owner()->CanModify() &&
           EditorKind(column) != TColumnEditor::None;
}

int TDBGridModel::CursorRow() const {
    DataSet* ds = GetDataSet();
    return ds && ds->Active() ? ds->DisplayCurrentRow() : -1;
}

int TDBGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rowCount;
}

int TDBGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount();
}

QVariant TDBGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rowCount)
        return {};
    const int column = index.column();
    Field* f = ColumnField(column);
    if (!f)
        return {};
    DataSet* ds = f->Owner();
    const TDBGridColumn& c = Column(column);
    switch (role) {
    case Qt::DisplayRole: {
        if (EditorKind(column) == TColumnEditor::Check)
            return {};
        const QString text = ds->DisplayText(index.row(), f->Index());
        const qsizetype line = text.indexOf('\n');
        return line < 0 ? text : text.left(line).remove('\r');
    }
    case Qt::EditRole: {
        const QVariant v = ds->DisplayValue(index.row(), f->Index());
        if (f->DataType() == FieldType::Time || f->DataType() == FieldType::Date)
            return f->FormatDisplay(v);
        return f->FormatString(v);
    }
    case Qt::CheckStateRole: {
        if (EditorKind(column) != TColumnEditor::Check)
            return {};
        const QVariant v = ds->DisplayValue(index.row(), f->Index());
        if (!v.isValid() || v.isNull())
            return Qt::PartiallyChecked;
        return v.toBool() ? Qt::Checked : Qt::Unchecked;
    }
    case Qt::TextAlignmentRole:
        return int(CellAlignment(column));
    case Qt::BackgroundRole:
        return c.Color.isValid() ? QVariant(c.Color) : QVariant();
    case Qt::ForegroundRole:
        return c.FontColor.isValid() ? QVariant(c.FontColor) : QVariant();
    case Qt::FontRole:
        return c.Font ? QVariant(*c.Font) : QVariant();
    default:
        return {};
    }
}

QVariant TDBGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical)
        return role == Qt::DisplayRole ? QVariant(QString()) : QVariant();
    if (section < 0 || section >= ColumnCount())
        return {};
    const TDBGridColumn& c = Column(section);
    switch (role) {
    case Qt::DisplayRole:
        return ColumnTitle(section);
    case Qt::TextAlignmentRole: {
        Qt::Alignment a = c.TitleAlignment;
        if (!(a & Qt::AlignHorizontal_Mask))
            a |= Qt::AlignLeft;
        if (!(a & Qt::AlignVertical_Mask))
            a |= Qt::AlignVCenter;
        return int(a);
    }
    case Qt::FontRole:
        return c.TitleFont ? QVariant(*c.TitleFont) : QVariant();
    case Qt::ForegroundRole:
        return c.TitleColor.isValid() ? QVariant(c.TitleColor) : QVariant();
    case Qt::BackgroundRole:
        return c.TitleBackground.isValid() ? QVariant(c.TitleBackground) : QVariant();
    case Qt::ToolTipRole:
        return c.TitleHint.isEmpty() ? QVariant() : QVariant(c.TitleHint);
    default:
        return {};
    }
}

Qt::ItemFlags TDBGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (CanEdit(index.column())) {
        f |= Qt::ItemIsEditable;
        if (EditorKind(index.column()) == TColumnEditor::Check)
            f |= Qt::ItemIsUserCheckable;
    }
    return f;
}

bool TDBGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || !CanEdit(index.column()) || index.row() != CursorRow())
        return false;
    if (role != Qt::EditRole && role != Qt::CheckStateRole)
        return false;
    Field* f = ColumnField(index.column());
    DataSet* ds = f->Owner();
    const bool done = RunAction([&] {
        QVariant typed;
        if (role == Qt::CheckStateRole)
            typed = QVariant(value.toInt() == Qt::Checked);
        else if (f->DataType() == FieldType::Date && value.typeId() == QMetaType::QString)
            typed = ReadDateText(value.toString());
        else
            typed = value;
        const QVariant normalized = f->Normalize(typed);
        if (SameValue(normalized, ds->DisplayValue(index.row(), f->Index())))
            return;
        if (!IsEditing(ds))
            ds->Edit();
        f->SetValue(normalized);
    });
    if (!done)
        m_writeFailed = true;
    return done;
}

bool TDBGridModel::WriteTyped(const QModelIndex& index, const QString& text) {
    if (!index.isValid() || !CanEdit(index.column()) || index.row() != CursorRow())
        return false;
    Field* f = ColumnField(index.column());
    DataSet* ds = f->Owner();
    try {
        const QVariant normalized = f->Normalize(text);
        if (SameValue(normalized, ds->DisplayValue(index.row(), f->Index())))
            return true;
        if (!IsEditing(ds))
            ds->Edit();
        f->SetValue(normalized);
        return true;
    } catch (const EDatabaseError&) {
    } catch (const EAbort&) {
    }
    return false;
}

void TDBGridModel::RestoreValue(const QModelIndex& index, const QVariant& value) {
    if (!index.isValid() || index.row() != CursorRow())
        return;
    Field* f = ColumnField(index.column());
    if (!f || !IsEditing(f->Owner()))
        return;
    RunAction([&] { f->SetValue(value); });
}

void TDBGridModel::RowsChanged() {
    beginResetModel();
    if (RebuildAutoColumns())
        Q_EMIT columnsRebuilt();
    DataSet* ds = GetDataSet();
    m_rowCount = ds && ds->Active() ? ds->DisplayRowCount() : 0;
    endResetModel();
    Q_EMIT cursorMoved();
}

void TDBGridModel::DataChanged(Field* field) {
    DataSet* ds = GetDataSet();
    const int rows = ds && ds->Active() ? ds->DisplayRowCount() : 0;
    if (rows != m_rowCount) {
        RowsChanged();
        return;
    }
    if (rows > 0 && ColumnCount() > 0) {
        const int current = CursorRow();
        // The row indicator moves with the cursor and the grid repaints it (cursorMoved): no
        // title change over every row, which makes the view visit every section (milliseconds
        // on a table of millions of rows).
        if (field && current >= 0)
            Q_EMIT dataChanged(index(current, 0), index(current, ColumnCount() - 1));
        else
            Q_EMIT dataChanged(index(0, 0), index(rows - 1, ColumnCount() - 1));
    }
    if (!field)
        Q_EMIT cursorMoved();
}

void TDBGridModel::StateChanged() {
    DataSet* ds = GetDataSet();
    const int rows = ds && ds->Active() ? ds->DisplayRowCount() : 0;
    if (rows != m_rowCount || (!m_declared && ds && ds->Active() && m_columns.empty())) {
        RowsChanged();
        return;
    }
    // The indicator of the current row shows the state ("I" editing, "*" inserting).
    const int current = CursorRow();
    if (current >= 0 && current < rows)
        Q_EMIT headerDataChanged(Qt::Vertical, current, current);
    Q_EMIT cursorMoved();
}
