#pragma once
// The data grid: a table view over a data source (TDBGridModel).
//
// - Columns (TDBGridColumn): field, title, visible, alignment, read only, title font and
//   colours, cell font and colours, width, in-place editor (text, date box with calendar,
//   check box, list of another table's values).
// - The selected row is the data set's cursor, both ways: moving the cursor selects its
//   row; clicking a row or moving with the keys moves the cursor. Leaving an edited row
//   posts it; when the post is refused the refusal is shown and the user stays on it (on
//   the cell of an empty required field).
// - Titles can be clicked (titleClick) and show a sort arrow (moved to the clicked column
//   unless AutoSortArrow is off). A column with a SortIndex sorts the grid's table by that
//   index when its title is clicked (the order belongs to the shared table, so it stays
//   after the window closes); when the grid gets its data source, the arrow marks the
//   first column whose SortIndex is the table's index. The arrow follows the table's order
//   whoever changes it (another window, a report): it moves to a column that serves the new
//   order, or goes when none does.
// - A cell's text cut at the column's edge ends in "…"; the selected row stays in view when
//   the grid is made smaller.
// - A row indicator: a triangle on the current row, "I" while it is edited, "*" on a new row.
// - Keys (when editing is allowed): Insert inserts a row, Ctrl+Delete asks "Delete
//   record?" and deletes, Escape leaves the cell editor and then cancels the row's
//   changes, Tab moves between cells (and on from the last cell of the last row into a new
//   row), Down on the last row appends a row.
// - Only the rows on screen are read: a 1,000,000-row table scrolls as fast as a small one.
// - Fixed columns (SetFixedColumns): the first visible columns stay in place when the grid
//   scrolls sideways, titles included; they stay editable (vtxDBGridFixed.cpp).
//
// Example:
//   auto* grid = new TDBGrid(DataMod->RosterS, this);
//   grid->SetOptions(TDBGrid::Titles | TDBGrid::Indicator | TDBGrid::ColLines |
//                    TDBGrid::RowLines | TDBGrid::RowSelect | TDBGrid::ColumnResize);
//   grid->AddColumn("RecordNumber", "Record");
//   TDBGridColumn& name = grid->AddColumn("LName", "Last Name");
//   name.FontColor = Qt::blue;
//   name.SortIndex = "RLN";      // a click on "Last Name" sorts the roster by last name
//   grid->SetAlternateRowColor(QColor(192, 192, 192));

#include "toolkit/vtxDBGridModel.h"
#include "toolkit/vtxGridExport.h"

#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QTableView>

class TDBGrid;

class TDBGrid : public QTableView {
    Q_OBJECT
public:
    enum Option {
        Editing = 0x001,          // cells are edited in place; Insert and Ctrl+Delete work
        Tabs = 0x002,             // Tab moves between cells
        Indicator = 0x004,        // the row indicator column
        Titles = 0x008,           // the title row
        ColumnResize = 0x010,     // columns can be resized
        ColLines = 0x020,         // grid lines
        RowLines = 0x040,         // grid lines
        RowSelect = 0x080,        // the whole row is selected
        ConfirmDelete = 0x100,    // Ctrl+Delete asks "Delete record?"
        AlwaysShowEditor = 0x200, // the cell editor opens on the current cell at once
        NoInsert = 0x400 // rows are edited and deleted, never added: the Insert key, Tab past
                         // the last cell and Down on the last row add no row
    };
    Q_DECLARE_FLAGS(Options, Option)
    static constexpr int DefaultOptions = Editing | Tabs | Indicator | Titles | ColumnResize |
                                          ColLines | RowLines | RowSelect | ConfirmDelete;

    explicit TDBGrid(QWidget* parent = nullptr);
    explicit TDBGrid(DataSource* source, QWidget* parent = nullptr);

    void SetDataSource(DataSource* source);
    DataSource* GetDataSource() const { return m_model->GetDataSource(); }
    DataSet* GetDataSet() const { return m_model->GetDataSet(); }
    TDBGridModel* GridModel() const { return m_model; }

    // Columns (see TDBGridColumn). After changing Visible or Width of a column already
    // added, call RefreshColumns.
    TDBGridColumn& AddColumn(const QString& field, const QString& title = {});
    TDBGridColumn& Column(int column) { return m_model->Column(column); }
    int ColumnCount() const { return m_model->ColumnCount(); }
    int ColumnOfField(const QString& field) const { return m_model->ColumnOfField(field); }
    void SetColumnVisible(int column, bool visible);
    void RefreshColumns();
    // The visible columns in the order shown.
    QList<int> VisibleColumns() const;

    void SetOptions(Options options);
    Options GetOptions() const { return m_options; }
    void SetAlternateRowColor(const QColor& color);
    // The sort arrow: on this column (ascending), or none for -1.
    void SetSortColumn(int column);
    int SortColumn() const { return m_sortColumn; }
    bool AutoSortArrow = true;
    // Puts the arrow on the first column whose SortIndex is the table's current index; the
    // arrow stays as it is while the table is in its primary order or is no table.
    void ShowIndexArrow();

    // The first count visible columns stay at the left edge when the grid scrolls sideways
    // (which it then does pixel by pixel); 0: none.
    void SetFixedColumns(int count);
    int FixedColumns() const { return m_fixedColumns; }
    // Seen from the viewport, a fixed column stands at its place at the left edge.
    QRect visualRect(const QModelIndex& index) const override;
    QModelIndex indexAt(const QPoint& point) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

    // The column of the current cell, and the data set's current row as shown.
    int SelectedColumn() const;
    void SetSelectedColumn(int column);
    int CursorRow() const { return m_model->CursorRow(); }

    // The operations behind the keys; errors are shown through the dialogs facade.
    bool MoveToRow(int row); // as a click on the row; false when the cursor stayed
    bool InsertRow();
    bool AppendRow();
    bool DeleteRow(); // asks first when ConfirmDelete is set
    bool CancelRow();
    // Writes the open cell editor's text into the row; false when the field refused it.
    bool CommitEditor();

Q_SIGNALS:
    void titleClick(int column);
    void cellClick(int column);    // a mouse click on a cell, after the cursor moved
    void editorOpened(int column); // a cell editor opened
    void editorClosed(int column); // a cell editor closed (its value written or not)
    void lookupPicked(int column, const QString& value); // a list value was clicked

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent* event) override;
    // Typing in a read-only grid searches nothing: that would read every row.
    void keyboardSearch(const QString&) override {}

private:
    friend class TDBGridDelegate;
    void Init();
    void FitRowHeight();
    void SyncFromCursor();
    void TitleClicked(int section);
    void FollowTableOrder();
    QModelIndex TabTarget(bool forward);
    bool CanAppend() const;
    int DefaultWidth(int column) const;
    void LookupChosen(int column, const QString& text, const QVariant& key);
    friend class TDBGridTitles;
    // Fixed columns: which, how wide together, and painting them over the scrolled cells.
    bool FixedShifted() const; // true while scrolled sideways under fixed columns
    bool IsFixed(int column) const;
    int FixedWidth() const;
    void PaintFixedCells(QPainter& painter, const QRect& area);

    TDBGridModel* m_model;
    Options m_options = Options(DefaultOptions);
    int m_sortColumn = -1;
    int m_column = -1;
    bool m_syncing = false;
    int m_fixedColumns = 0;
    QMetaObject::Connection m_updateConnection;
    QMetaObject::Connection m_rowsConnection;
    QMetaObject::Connection m_focusConnection;
    QString m_shownOrder; // the table's order the arrow was last set for
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TDBGrid::Options)

// The title row of the grid (its horizontal header): the titles of fixed columns stay at
// the left edge, and a click there is a click on their title.
class TDBGridTitles : public QHeaderView {
    Q_OBJECT
public:
    explicit TDBGridTitles(TDBGrid* grid);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // The fixed column whose title is at x while the grid is scrolled sideways; -1: none.
    int FixedSectionAt(int x) const;
    TDBGrid* m_grid;
    int m_pressed = -1;
};

// The row indicator of the grid (its vertical header).
class TDBGridIndicator : public QHeaderView {
    Q_OBJECT
public:
    explicit TDBGridIndicator(TDBGrid* grid);
    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    TDBGrid* m_grid;
};

// The in-place editors of the grid's columns and the centred check boxes.
class TDBGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit TDBGridDelegate(TDBGrid* grid);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

protected:
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    QString EditorText(QWidget* editor) const;
    void PaintTextCell(QPainter* painter, const QStyleOptionViewItem& opt,
                       const QStyle* style) const;
    TDBGrid* m_grid;
};

// The grid's visible columns and the rows of its current view, for ExportGridToOdf.
class TDBGridExportSource : public GridExportSource {
public:
    explicit TDBGridExportSource(TDBGrid* grid) : m_grid(grid) {}
    QStringList Titles() override;
    int RowCount() override;
    QStringList Row(int row) override;

private:
    TDBGrid* m_grid;
    QList<int> m_columns;
};
