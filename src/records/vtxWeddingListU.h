#pragma once
// What the four wedding planning windows (families, wedding party, logistics, counseling
// schedule) have in common: a list of one shared table under the name of the active record.
//
// Top to bottom: the active record's name after its caption; the state of the table beside
// a navigator; the grid (the record-number column hidden); the position after its caption,
// and Close. The families and party windows add a " Display " group that filters their
// table by side.
//
// The mode is fixed when the window is made, by the marriage window that makes it:
// - View (owned by the Marriage Records view): the grid shows titles, row indicator and
//   lines only (no editing, no Tab between cells, no column resizing) and the navigator
//   first, prior, next and last.
// - Edit (owned by the Marriage entry window): the grid edits in place (Tab between cells,
//   resizable columns, Ctrl+Delete asks "Delete record?") and the navigator has all ten
//   buttons; the window refuses to close while its table is being edited or inserted.
// Closing the window switches its table's filter off.

#include <QDialog>
#include <QList>
#include <QString>
#include <utility>

class DataSource;
class QGroupBox;
class QRadioButton;
class Table;
class TDBGrid;
class TDBNavigator;
class TDBRecordPosition;
class TDBStateLabel;
class TDBText;
class QPushButton;
struct TDBGridColumn;

enum class TWeddingMode {
    View, // read only (Marriage Records view)
    Edit  // editable (Marriage entry window)
};

struct TWeddingListSetup {
    QString objectName = {};
    QString caption = {};
    Table* table = nullptr;
    DataSource* source = nullptr;
    QString activeCaption = {};   // "Active Record: "
    QString positionCaption = {}; // "Records: "
};

class TWeddingListForm : public QDialog {
    Q_OBJECT
public:
    TWeddingMode Mode() const { return m_mode; }

    TDBText* ActiveRecordName;
    TDBStateLabel* StateLabel;
    TDBNavigator* Navigator;
    TDBGrid* Grid;
    TDBRecordPosition* RecordPosition;
    QPushButton* CloseButton;
    // The " Display " items, in their order (none for a window without the group).
    QList<QRadioButton*> DisplayItems;

    // As a click on a " Display " item: its filter on the table, or the filter off.
    void DisplayClick(int item);

protected:
    // A window owned by the owner (the marriage window), freed when closed or with it.
    TWeddingListForm(TWeddingMode mode, QWidget* owner, const TWeddingListSetup& setup);

    // A column after the hidden record-number column.
    TDBGridColumn& AddColumn(const QString& field, const QString& title = {}, int width = 0);
    // A column width in which a cell shows the sample text whole (a phone number).
    int WidthToShow(const QString& sample) const;
    // The " Display " group: each item's text and filter ("" for no filter), and the item
    // chosen at opening (-1: none, the group then shows the table's filter).
    void AddDisplay(const QList<std::pair<QString, QString>>& items, int chosen);
    // Lays the window out once the columns and the group are added.
    void FinishLayout();

private:
    void FollowFilter();

    TWeddingMode m_mode;
    Table* m_table;
    DataSource* m_source;
    QString m_activeCaption;
    QString m_positionCaption;
    QGroupBox* m_display = nullptr;
    QStringList m_filters;
};
