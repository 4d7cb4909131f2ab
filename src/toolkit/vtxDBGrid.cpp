#include "toolkit/vtxDBGrid.h"

#include "engine/DataSet.h"
#include "engine/DataSource.h"
#include "engine/Table.h"
#include "toolkit/Dialogs.h"
#include "toolkit/vtxDateEdit.h"
#include "toolkit/vtxWindowHabits.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QTimer>

namespace {
// Dynamic properties of a cell editor whose typing is written while it is typed.
constexpr char kWritesWhileTyping[] = "vtxWritesWhileTyping";
constexpr char kValueBefore[] = "vtxValueBefore";
} // namespace

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

// ---- TDBGridIndicator ---------------------------------------------------------------------

TDBGridIndicator::TDBGridIndicator(TDBGrid* grid) : QHeaderView(Qt::Vertical, grid), m_grid(grid) {}

QSize TDBGridIndicator::sizeHint() const {
    QSize s = QHeaderView::sizeHint();
    s.setWidth(14);
    return s;
}

void TDBGridIndicator::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    QHeaderView::paintSection(painter, rect, logicalIndex);
    if (logicalIndex != m_grid->CursorRow())
        return;
    const DataSet* ds = m_grid->GetDataSet();
    painter->save();
    // The style may leave an empty clip behind after drawing the section.
    painter->setClipRect(rect);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(palette().color(QPalette::ButtonText));
    painter->setBrush(palette().color(QPalette::ButtonText));
    const QPoint c = rect.center();
    if (ds && ds->State() == DataSetState::Edit) {
        painter->drawText(rect, Qt::AlignCenter, "I");
    } else if (ds && ds->State() == DataSetState::Insert) {
        painter->drawText(rect, Qt::AlignCenter, "*");
    } else {
        const QPolygon arrow(
            {QPoint(c.x() - 2, c.y() - 4), QPoint(c.x() + 2, c.y()), QPoint(c.x() - 2, c.y() + 4)});
        painter->drawPolygon(arrow);
    }
    painter->restore();
}

// ---- TDBGridDelegate ------------------------------------------------------------------------

TDBGridDelegate::TDBGridDelegate(TDBGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

QWidget* TDBGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                       const QModelIndex& index) const {
    TDBGridModel* model = m_grid->GridModel();
    const int column = index.column();
    QWidget* editor = nullptr;
    auto* self = const_cast<TDBGridDelegate*>(this);
    switch (model->EditorKind(column)) {
    case TColumnEditor::Check:
    case TColumnEditor::None:
        return nullptr;
    case TColumnEditor::Date: {
        auto* date = new TDateEdit(parent);
        date->SetValidateOnExit(false);
        date->SetCalendarStyle(model->Column(column).CalendarStyle);
        date->setFrame(false);
        connect(date, &TDateEdit::dateChosen, self,
                [self, date] { Q_EMIT self->commitData(date); });
        editor = date;
        break;
    }
    case TColumnEditor::Lookup: {
        auto* combo = new QComboBox(parent);
        const TDBGridColumn& c = model->Column(column);
        DataSet* list = c.LookupSource ? c.LookupSource->GetDataSet() : nullptr;
        Field* shown = list && list->Active() ? list->FindField(c.LookupField) : nullptr;
        Field* key =
            list && list->Active()
                ? list->FindField(c.LookupKeyField.isEmpty() ? c.LookupField : c.LookupKeyField)
                : nullptr;
        if (shown && key) {
            for (int r = 0; r < list->DisplayRowCount(); ++r)
                combo->addItem(list->DisplayText(r, shown->Index()),
                               list->DisplayValue(r, key->Index()));
        } else {
            for (const QString& s : c.PickList)
                combo->addItem(s, s);
        }
        TDBGrid* grid = m_grid;
        connect(combo, &QComboBox::activated, self, [self, combo, grid, column](int item) {
            const QString text = combo->itemText(item);
            const QVariant value = combo->itemData(item);
            combo->setCurrentIndex(item);
            grid->GridModel()->ClearWriteFailed();
            Q_EMIT self->commitData(combo);
            if (!grid->GridModel()->LastWriteFailed())
                grid->LookupChosen(column, text, value);
        });
        QTimer::singleShot(0, combo, [combo] {
            if (combo->isVisible())
                combo->showPopup();
        });
        editor = combo;
        break;
    }
    case TColumnEditor::Auto:
    case TColumnEditor::Text: {
        auto* line = new QLineEdit(parent);
        line->setFrame(false);
        Field* f = model->ColumnField(column);
        if (f && f->DataType() == FieldType::Text && f->Size() > 0)
            line->setMaxLength(f->Size());
        line->setAlignment(model->CellAlignment(column));
        if (model->Column(column).WriteWhileTyping && f) {
            // What the field held before the typing, for Escape.
            line->setProperty(kWritesWhileTyping, true);
            line->setProperty(kValueBefore, f->Value());
            const QPersistentModelIndex at(index);
            connect(line, &QLineEdit::textEdited, self,
                    [model, at](const QString& text) { model->WriteTyped(at, text); });
        }
        editor = line;
        break;
    }
    }
    Q_UNUSED(option);
    Q_EMIT m_grid->editorOpened(column);
    return editor;
}

void TDBGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const QString text = index.data(Qt::EditRole).toString();
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        combo->setCurrentIndex(combo->findText(index.data(Qt::DisplayRole).toString()));
    } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        // Keep what is being typed when the row is repainted under the editor.
        if (!line->isModified())
            line->setText(text);
    }
}

void TDBGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                   const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        if (combo->currentIndex() < 0)
            return;
        model->setData(index, combo->currentData(), Qt::EditRole);
        return;
    }
    const QString text = EditorText(editor);
    // An untouched editor writes nothing (the model compares values as well).
    if (text == index.data(Qt::EditRole).toString())
        return;
    model->setData(index, text, Qt::EditRole);
}

QString TDBGridDelegate::EditorText(QWidget* editor) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        return combo->currentText();
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        return line->text();
    return {};
}

void TDBGridDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                           const QModelIndex&) const {
    editor->setGeometry(option.rect);
}

void TDBGridDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const {
    QStyledItemDelegate::destroyEditor(editor, index);
    Q_EMIT m_grid->editorClosed(index.column());
}

void TDBGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    const QWidget* widget = opt.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    if (m_grid->GridModel()->EditorKind(index.column()) != TColumnEditor::Check) {
        PaintTextCell(painter, opt, style);
        return;
    }
    const Qt::CheckState state = opt.checkState;
    opt.features &= ~QStyleOptionViewItem::HasCheckIndicator;
    opt.text.clear();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
    QStyleOptionViewItem check(opt);
    const QSize size(style->pixelMetric(QStyle::PM_IndicatorWidth, &opt, widget),
                     style->pixelMetric(QStyle::PM_IndicatorHeight, &opt, widget));
    check.rect = QStyle::alignedRect(opt.direction, Qt::AlignCenter, size, option.rect);
    check.state &= ~(QStyle::State_On | QStyle::State_Off | QStyle::State_NoChange);
    check.state |= state == Qt::Checked     ? QStyle::State_On
                   : state == Qt::Unchecked ? QStyle::State_Off
                                            : QStyle::State_NoChange;
    style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &check, painter, widget);
}

// A text cell: its background, its text on one line ending in "…" where the cell cuts it,
// and the focus frame. The grid paints every visible cell at each move of the cursor, so this
// skips the style's item layout, which would lay out each text as a paragraph.
void TDBGridDelegate::PaintTextCell(QPainter* painter, const QStyleOptionViewItem& opt,
                                    const QStyle* style) const {
    if (opt.features & QStyleOptionViewItem::HasDecoration) {
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
        return;
    }
    const QPalette::ColorGroup group = !(opt.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : (opt.state & QStyle::State_Active) ? QPalette::Normal
                                                                            : QPalette::Inactive;
    const bool selected = opt.state & QStyle::State_Selected;
    if (selected)
        painter->fillRect(opt.rect, opt.palette.brush(group, QPalette::Highlight));
    else if (opt.backgroundBrush.style() != Qt::NoBrush)
        painter->fillRect(opt.rect, opt.backgroundBrush);
    if (!opt.text.isEmpty()) {
        const int margin =
            style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, opt.widget) + 1;
        painter->save();
        painter->setFont(opt.font);
        painter->setPen(
            opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        const QRect room = opt.rect.adjusted(margin, 0, -margin, 0);
        // A text cut at the cell's edge ends in "…" (most texts fit: measured only when
        // they might not).
        QString text = opt.text;
        const QFontMetrics metrics = painter->fontMetrics();
        if (text.size() * metrics.maxWidth() > room.width() &&
            metrics.horizontalAdvance(text) > room.width())
            text = metrics.elidedText(text, Qt::ElideRight, room.width());
        painter->drawText(room, int(opt.displayAlignment) | Qt::TextSingleLine, text);
        painter->restore();
    }
    if (opt.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(opt);
        focus.backgroundColor =
            opt.palette.color(group, selected ? QPalette::Highlight : QPalette::Window);
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, opt.widget);
    }
}

bool TDBGridDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                  const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (m_grid->GridModel()->EditorKind(index.column()) != TColumnEditor::Check)
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    if (!(model->flags(index) & Qt::ItemIsUserCheckable))
        return false;
    bool toggle = false;
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        toggle =
            mouse->button() == Qt::LeftButton && option.rect.contains(mouse->position().toPoint());
    } else if (event->type() == QEvent::MouseButtonDblClick) {
        return true;
    } else if (event->type() == QEvent::KeyPress) {
        toggle = static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space;
    }
    if (!toggle || index.row() != m_grid->CursorRow())
        return false;
    // Undecided and cleared boxes become ticked, ticked ones cleared.
    const int state = index.data(Qt::CheckStateRole).toInt();
    model->setData(index, state == Qt::Checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
    return true;
}

bool TDBGridDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* editor = qobject_cast<QWidget*>(object);
    if (editor && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QModelIndex index = m_grid->currentIndex();
        const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
        if ((key->key() == Qt::Key_Insert && mods == Qt::NoModifier) ||
            (key->key() == Qt::Key_Delete && mods == Qt::ControlModifier)) {
            // Insert and Ctrl+Delete work on rows from a cell editor too.
            m_grid->keyPressEvent(key);
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            // The first Escape drops what was typed in the cell; an Escape on an untouched
            // cell cancels the row's changes.
            bool typed = EditorText(editor) != index.data(Qt::EditRole).toString();
            if (editor->property(kWritesWhileTyping).toBool()) {
                // The typing went into the field already: put back what it held before.
                const QVariant before = editor->property(kValueBefore);
                const QVariant now = index.data(Qt::EditRole);
                Field* f = m_grid->GridModel()->ColumnField(index.column());
                if (f && f->FormatString(before) != now.toString()) {
                    m_grid->GridModel()->RestoreValue(index, before);
                    typed = true;
                }
            }
            Q_EMIT closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
            if (!typed)
                m_grid->CancelRow();
            return true;
        }
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
            !(m_grid->GetOptions() & TDBGrid::Tabs)) {
            Q_EMIT commitData(editor);
            Q_EMIT closeEditor(editor, QAbstractItemDelegate::NoHint);
            if (key->key() == Qt::Key_Tab)
                m_grid->focusNextChild();
            else
                m_grid->focusPreviousChild();
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

// ---- TDBGridExportSource -----------------------------------------------------------------------

QStringList TDBGridExportSource::Titles() {
    m_columns = m_grid->VisibleColumns();
    QStringList titles;
    for (int c : m_columns)
        titles << m_grid->GridModel()->ColumnTitle(c);
    return titles;
}

int TDBGridExportSource::RowCount() {
    if (m_columns.isEmpty())
        m_columns = m_grid->VisibleColumns();
    DataSet* ds = m_grid->GetDataSet();
    return ds && ds->Active() ? ds->DisplayRowCount() : 0;
}

QStringList TDBGridExportSource::Row(int row) {
    QStringList texts;
    DataSet* ds = m_grid->GetDataSet();
    for (int c : m_columns) {
        Field* f = m_grid->GridModel()->ColumnField(c);
        texts << (f && ds ? ds->DisplayText(row, f->Index()) : QString());
    }
    return texts;
}
