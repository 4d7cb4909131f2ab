#include "toolkit/vtxDBGrid.h"

#include "engine/DataSet.h"
#include "engine/DataSource.h"
#include "engine/Table.h"
#include "toolkit/Dialogs.h"
#include "toolkit/vtxWindowHabits.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QTimer>

// ---- TDBGrid ---------------------------------------------------------------------------

TDBGrid::TDBGrid(QWidget* parent) : QTableView(parent) {
    Init();
}

TDBGrid::TDBGrid(DataSource* source, QWidget* parent) : QTableView(parent) {
    Init();
    SetDataSource(source);
}

void TDBGrid::Init() {
    m_model = new TDBGridModel(this);
    setModel(m_model);
    setHorizontalHeader(new TDBGridTitles(this));
    setVerticalHeader(new TDBGridIndicator(this));
    setItemDelegate(new TDBGridDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    FitRowHeight();
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setSortIndicatorShown(true);
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &TDBGrid::TitleClicked);
    connect(m_model, &TDBGridModel::cursorMoved, this, &TDBGrid::SyncFromCursor);
    connect(m_model, &TDBGridModel::columnsRebuilt, this, &TDBGrid::RefreshColumns);
    connect(m_model, &QAbstractItemModel::columnsInserted, this, &TDBGrid::RefreshColumns);
    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { Q_EMIT cellClick(index.column()); });
    SetOptions(m_options);
}

void TDBGrid::FitRowHeight() {
    const int rowHeight = fontMetrics().height() + 6;
    verticalHeader()->setMinimumSectionSize(qMin(rowHeight, 8));
    verticalHeader()->setDefaultSectionSize(rowHeight);
}

void TDBGrid::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        FitRowHeight();
}

void TDBGrid::SetDataSource(DataSource* source) {
    disconnect(m_updateConnection);
    disconnect(m_rowsConnection);
    disconnect(m_focusConnection);
    m_model->SetDataSource(source);
    ShowIndexArrow();
    m_shownOrder.clear();
    if (const auto* table = dynamic_cast<const Table*>(GetDataSet()))
        m_shownOrder = table->IndexName() + u'|' + table->IndexFieldNames();
    if (source) {
        m_rowsConnection =
            connect(source, &DataSource::rowsChanged, this, &TDBGrid::FollowTableOrder);
        // A post refused for an empty field puts the grid on that field's cell.
        m_focusConnection = connect(source, &DataSource::focusControl, this, [this](Field* f) {
            const int column = f ? ColumnOfField(f->FieldName()) : -1;
            if (column < 0 || isColumnHidden(column))
                return;
            QTimer::singleShot(0, this, [this, column] {
                if (!isVisible() || column >= ColumnCount())
                    return;
                SetSelectedColumn(column);
                setFocus(Qt::OtherFocusReason);
            });
        });
    }
    // A post writes what is typed in the open cell first.
    if (source)
        m_updateConnection = connect(source, &DataSource::updateData, this, [this] {
            // A refused cell value stops the post (the refusal was shown).
            if (!CommitEditor())
                throw EAbort();
        });
}

TDBGridColumn& TDBGrid::AddColumn(const QString& field, const QString& title) {
    return m_model->AddColumn(field, title);
}

void TDBGrid::SetColumnVisible(int column, bool visible) {
    if (column < 0 || column >= ColumnCount())
        return;
    Column(column).Visible = visible;
    setColumnHidden(column, !visible);
}

int TDBGrid::DefaultWidth(int column) const {
    const QFontMetrics fm(font());
    const TDBGridColumn& c = m_model->Column(column);
    const QFontMetrics title(c.TitleFont ? *c.TitleFont : horizontalHeader()->font());
    int chars = 10;
    if (Field* f = m_model->ColumnField(column)) {
        switch (f->DataType()) {
        case FieldType::Text:
            chars = qBound(4, f->Size(), 30);
            break;
        case FieldType::Memo:
            chars = 30;
            break;
        case FieldType::Logical:
            chars = 3;
            break;
        case FieldType::Short:
            chars = 6;
            break;
        default:
            chars = 10;
        }
    }
    const int cells = fm.averageCharWidth() * chars + 12;
    const int titleWidth = title.horizontalAdvance(m_model->ColumnTitle(column)) + 24;
    return qMax(cells, titleWidth);
}

void TDBGrid::RefreshColumns() {
    for (int i = 0; i < ColumnCount(); ++i) {
        const TDBGridColumn& c = m_model->Column(i);
        setColumnHidden(i, !c.Visible);
        setColumnWidth(i, c.Width > 0 ? c.Width : DefaultWidth(i));
    }
}

QList<int> TDBGrid::VisibleColumns() const {
    QList<int> shown;
    for (int v = 0; v < horizontalHeader()->count(); ++v) {
        const int logical = horizontalHeader()->logicalIndex(v);
        if (!isColumnHidden(logical))
            shown << logical;
    }
    return shown;
}

void TDBGrid::SetOptions(Options options) {
    m_options = options;
    m_model->SetEditing(options & Editing);
    setTabKeyNavigation(options & Tabs);
    verticalHeader()->setVisible(options & Indicator);
    horizontalHeader()->setVisible(options & Titles);
    horizontalHeader()->setSectionResizeMode((options & ColumnResize) ? QHeaderView::Interactive
                                                                      : QHeaderView::Fixed);
    setShowGrid(options & (ColLines | RowLines));
    setSelectionBehavior((options & RowSelect) ? SelectRows : SelectItems);
    EditTriggers triggers = NoEditTriggers;
    if (options & Editing) {
        // Typing, F2 or a double click opens the cell editor.
        triggers = DoubleClicked | EditKeyPressed | AnyKeyPressed;
        if (options & AlwaysShowEditor)
            triggers |= CurrentChanged;
    }
    setEditTriggers(triggers);
}

void TDBGrid::SetAlternateRowColor(const QColor& color) {
    QPalette p = palette();
    p.setColor(QPalette::AlternateBase, color);
    setPalette(p);
    setAlternatingRowColors(color.isValid());
}

void TDBGrid::SetSortColumn(int column) {
    m_sortColumn = column;
    horizontalHeader()->setSortIndicator(column, Qt::AscendingOrder);
}

void TDBGrid::ShowIndexArrow() {
    const auto* table = dynamic_cast<const Table*>(GetDataSet());
    if (!table || table->IndexName().isEmpty())
        return;
    for (int c = 0; c < ColumnCount(); ++c) {
        const std::optional<QString>& index = Column(c).SortIndex;
        if (index && index->compare(table->IndexName(), Qt::CaseInsensitive) == 0) {
            SetSortColumn(c);
            return;
        }
    }
}

void TDBGrid::FollowTableOrder() {
    const auto* table = dynamic_cast<const Table*>(GetDataSet());
    if (!table)
        return;
    const QString order = table->IndexName() + u'|' + table->IndexFieldNames();
    if (order == m_shownOrder)
        return;
    m_shownOrder = order;
    // A column serves the order when its SortIndex is the table's index (an order of
    // fields is served by none).
    auto serves = [this, table](int column) {
        if (column < 0 || column >= ColumnCount())
            return false;
        const std::optional<QString>& index = Column(column).SortIndex;
        return index && table->IndexFieldNames().isEmpty() &&
               index->compare(table->IndexName(), Qt::CaseInsensitive) == 0;
    };
    bool sortable = false;
    for (int c = 0; c < ColumnCount() && !sortable; ++c)
        sortable = Column(c).SortIndex.has_value();
    if (!sortable || serves(m_sortColumn))
        return;
    for (int c = 0; c < ColumnCount(); ++c)
        if (serves(c)) {
            SetSortColumn(c);
            return;
        }
    SetSortColumn(-1);
}

void TDBGrid::TitleClicked(int section) {
    // Every order is ascending: a second click on the same title keeps the arrow.
    SetSortColumn(AutoSortArrow ? section : m_sortColumn);
    if (section >= 0 && section < ColumnCount()) {
        const std::optional<QString> index = Column(section).SortIndex;
        if (auto* table = dynamic_cast<Table*>(GetDataSet()); table && index)
            RunAction([&] { table->SetIndexName(*index); });
    }
    Q_EMIT titleClick(section);
}

int TDBGrid::SelectedColumn() const {
    const QModelIndex current = currentIndex();
    if (current.isValid())
        return current.column();
    if (m_column >= 0)
        return m_column;
    const QList<int> shown = VisibleColumns();
    return shown.isEmpty() ? -1 : shown.first();
}

void TDBGrid::SetSelectedColumn(int column) {
    m_column = column;
    // The current cell moves to the column on the cursor's row.
    const int row = CursorRow();
    if (selectionModel() && row >= 0 && row < m_model->rowCount() && column >= 0 &&
        column < ColumnCount() && currentIndex().column() != column) {
        m_syncing = true;
        selectionModel()->setCurrentIndex(m_model->index(row, column),
                                          QItemSelectionModel::NoUpdate);
        m_syncing = false;
    }
    SyncFromCursor();
}

void TDBGrid::SyncFromCursor() {
    if (!selectionModel())
        return;
    m_syncing = true;
    const int row = CursorRow();
    const int column = SelectedColumn();
    if (row >= 0 && row < m_model->rowCount() && column >= 0) {
        const QModelIndex index = m_model->index(row, column);
        QItemSelectionModel::SelectionFlags flags = QItemSelectionModel::ClearAndSelect;
        if (m_options & RowSelect)
            flags |= QItemSelectionModel::Rows;
        if (currentIndex() != index || !selectionModel()->isSelected(index))
            selectionModel()->setCurrentIndex(index, flags);
        scrollTo(index);
    } else {
        selectionModel()->clear();
    }
    m_syncing = false;
    verticalHeader()->viewport()->update();
}

void TDBGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (current.isValid())
        m_column = current.column();
    if (m_syncing || !current.isValid())
        return;
    if (current.row() != CursorRow() && !MoveToRow(current.row()))
        SyncFromCursor();
}

bool TDBGrid::CommitEditor() {
    if (state() != EditingState)
        return true;
    QWidget* editor = indexWidget(currentIndex());
    if (!editor)
        return true;
    m_model->ClearWriteFailed();
    commitData(editor);
    return !m_model->LastWriteFailed();
}

bool TDBGrid::MoveToRow(int row) {
    DataSet* ds = GetDataSet();
    if (!ds || !ds->Active())
        return false;
    if (row == CursorRow())
        return true;
    // What is typed in the open cell belongs to the row being left.
    if (!CommitEditor())
        return false;
    const bool moved = RunAction([ds, row] { ds->MoveToDisplayRow(row); });
    if (!moved)
        SyncFromCursor();
    return moved;
}

// The pending row is posted before the new one is placed: the posted row may move, and
// the new row goes before the current row (Insert) or after the last (Append) as they are
// after the post.
bool TDBGrid::InsertRow() {
    DataSet* ds = GetDataSet();
    return ds && CommitEditor() && RunAction([ds] {
               ds->CheckBrowseMode();
               ds->Insert();
           });
}

bool TDBGrid::AppendRow() {
    DataSet* ds = GetDataSet();
    return ds && CommitEditor() && RunAction([ds] {
               ds->CheckBrowseMode();
               ds->Append();
           });
}

bool TDBGrid::DeleteRow() {
    DataSet* ds = GetDataSet();
    if (!ds || !ds->Active() || ds->DisplayRowCount() == 0)
        return false;
    if ((m_options & ConfirmDelete) &&
        Dialogs::Message("Delete record?", Dialogs::Icon::Question,
                         Dialogs::Ok | Dialogs::Cancel) != Dialogs::Ok)
        return false;
    return RunAction([ds] { ds->Delete(); });
}

bool TDBGrid::CancelRow() {
    DataSet* ds = GetDataSet();
    return ds && RunAction([ds] { ds->Cancel(); });
}

bool TDBGrid::CanAppend() const {
    DataSet* ds = GetDataSet();
    if (!(m_options & Editing) || (m_options & NoInsert) || !ds || !ds->Active() ||
        !ds->CanModify())
        return false;
    // An untouched new row is not followed by another.
    return !(ds->State() == DataSetState::Insert && !ds->Modified());
}

QModelIndex TDBGrid::TabTarget(bool forward) {
    const QList<int> shown = VisibleColumns();
    const QModelIndex current = currentIndex();
    if (shown.isEmpty() || !current.isValid())
        return current;
    const int at = int(shown.indexOf(current.column()));
    const int row = current.row();
    if (forward) {
        if (at >= 0 && at + 1 < shown.size())
            return m_model->index(row, shown[at + 1]);
        if (row + 1 < m_model->rowCount())
            return m_model->index(row + 1, shown.first());
        if (CanAppend() && AppendRow())
            return m_model->index(CursorRow(), shown.first());
        return current;
    }
    if (at > 0)
        return m_model->index(row, shown[at - 1]);
    if (row > 0)
        return m_model->index(row - 1, shown.last());
    return current;
}

QModelIndex TDBGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    QModelIndex target;
    if (action == MoveNext || action == MovePrevious)
        target = TabTarget(action == MoveNext);
    else
        target = QTableView::moveCursor(action, modifiers);
    if (!target.isValid() || target.row() == CursorRow())
        return target;
    const int column = target.column();
    if (!MoveToRow(target.row()))
        return currentIndex();
    // A post may have moved rows: the cursor's row is the one that was aimed at.
    return m_model->index(CursorRow(), column);
}

void TDBGrid::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    DataSet* ds = GetDataSet();
    const bool canModify = (m_options & Editing) && ds && ds->Active() && ds->CanModify();
    if (event->key() == Qt::Key_Insert && mods == Qt::NoModifier && canModify &&
        !(m_options & NoInsert)) {
        InsertRow();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Delete && mods == Qt::ControlModifier && canModify) {
        DeleteRow();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape && IsEditing(ds)) {
        CancelRow();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Down && mods == Qt::NoModifier && ds && ds->Active() &&
        CursorRow() == m_model->rowCount() - 1 && CanAppend()) {
        AppendRow();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void TDBGrid::mousePressEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && index.row() != CursorRow()) {
        if (!MoveToRow(index.row())) {
            event->accept();
            return;
        }
        if (CursorRow() != index.row()) {
            // Rows moved under the pointer (the row left was posted into another place).
            SetSelectedColumn(index.column());
            event->accept();
            return;
        }
    }
    const bool wasCurrent = index.isValid() && index == currentIndex();
    QTableView::mousePressEvent(event);
    // A grid whose editor is always shown opens it again on a click on the current cell.
    if (wasCurrent && (m_options & AlwaysShowEditor) && event->button() == Qt::LeftButton &&
        state() != EditingState)
        edit(index);
}

void TDBGrid::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    // A window made smaller keeps the selected row in view.
    if (event->size().height() < event->oldSize().height() && currentIndex().isValid())
        scrollTo(currentIndex());
}

void TDBGrid::showEvent(QShowEvent* event) {
    QTableView::showEvent(event);
    RefreshColumns();
    SyncFromCursor();
}

void TDBGrid::LookupChosen(int column, const QString& text, const QVariant& key) {
    const TDBGridColumn& c = m_model->Column(column);
    DataSet* list = c.LookupSource ? c.LookupSource->GetDataSet() : nullptr;
    const QString keyField = c.LookupKeyField.isEmpty() ? c.LookupField : c.LookupKeyField;
    // The chosen value's row becomes the current row of the other table.
    if (list && list->Active() && !keyField.isEmpty())
        RunAction([list, keyField, key] { list->Locate(keyField, {key}); });
    Q_EMIT lookupPicked(column, text);
}
