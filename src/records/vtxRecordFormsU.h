#pragma once
// What the pastoral record windows (baptisms, births, marriages, passing) have in common.
//
// - The member record tables follow the active record: each is the detail of RosterS on
//   RecordNumber (LinkToActiveRecord). A view window may cut that link (" Grid View ", all
//   records) and links the table again when it closes.
// - TRecordViewForm: a view window. Top: a search box and the active record's name; the
//   grid of the records (the record-number column hidden, each title its own hint, no
//   editing); bottom: "Select Active Record" (modal), the " Grid View " group when the
//   window has one, and Close.
// - TRecordEntryForm: an entry window. Top: "Will be linked to Active Record for" and the
//   name, "Select Active Record" (modeless, not in the tab order) and the state of the
//   table; the fields; the navigator; the position among the active record's records and
//   Close. It refuses to close while its table is being edited or inserted.
// - UseActiveRecord: the one procedure behind every "Use Active Record" button.
//
// Example (a view window):
//   TBirthViewForm::TBirthViewForm(QWidget* owner)
//       : TRecordViewForm(owner, {.objectName = "BirthViewForm", .caption = "Birth Records",
//                                 .table = DataMod->BirthT, .source = DataMod->BirthS}) {
//       AddColumns({{"FName", "First Name", 90}, ...}, {.resizable = false});
//       AddGridView("Births Linked to Active Record", "All Births");
//       FinishLayout();
//       Look::CentreOnDesktop(this);
//   }

#include "engine/DataSet.h"
#include "toolkit/vtxDBNavigator.h"

#include <QColor>
#include <QGroupBox>
#include <QString>
#include <QWidget>
#include <initializer_list>
#include <optional>

class DataSource;
class QBoxLayout;
class QFormLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class Table;
class TDBDateEdit;
class TDBEdit;
class TDBGrid;
class TDBSearchBox;
class TDBText;

namespace RecordForms {

// The member record table follows the active record again: the detail of RosterS on
// RecordNumber.
void LinkToActiveRecord(Table* table);

// The roster's Select Active Record window, owned by the window: modal from view windows,
// modeless beside entry windows.
void SelectActiveRecord(QWidget* window, bool modal);

// The hint of both "Select Active Record" buttons of the baptism windows.
inline const QString BaptismSelectHint =
    QStringLiteral("Click this button to select a record to which this baptism record will be "
                   "linked.");

// The two name boxes (first, last) of one person of an entry window.
struct TNameBoxes {
    QLineEdit* first;
    QLineEdit* last;
};

// "Use Active Record": writes the active record's first, middle (when a middle field is
// named) and last name into the fields of the table's row and moves the focus to next. A
// row in browse state refuses with the engine's "Dataset not in edit or insert mode" and
// nothing else happens. Then, when both people's boxes hold exactly the same first and
// last name, shows the identical-names message; the values stay.
void UseActiveRecord(DataSet* table, const QString& firstField, const QString& middleField,
                     const QString& lastField, QWidget* next, TNameBoxes one, TNameBoxes other,
                     const QString& identicalText);

// A column of a record view grid: field, title, width in pixels, and the index a click on
// the title sorts the table by (none: the order stays).
struct TRecordColumn {
    const char* field;
    const char* title;
    int width;
    std::optional<QString> sortIndex = std::nullopt;
};

// The " Grid View " group of a view window: the records linked to the active record, or
// all records (link cut, the active record's name greyed). It links the table when it is
// made, and follows the table's link whoever changes it.
class TGridViewGroup : public QGroupBox {
    Q_OBJECT
public:
    TGridViewGroup(Table* table, DataSource* source, const QString& linkedText,
                   const QString& allText, QWidget* activeName, QWidget* parent);

    QRadioButton* LinkedRadio;
    QRadioButton* AllRadio;

    // As a click on an item: link the table to the active record, or cut the link.
    void Choose(bool linked);

private:
    void Follow();
    Table* m_table;
    QWidget* m_activeName;
};

struct TRecordViewSetup {
    QString objectName = {};
    QString caption = {};
    Table* table = nullptr;
    DataSource* source = nullptr;
    QString activeCaption = QStringLiteral("Active Record:");
    // The search box finds the table's own last names (in the order of this index) and
    // leaves the active record alone; empty: it finds the roster's last names and so moves
    // the active record.
    QString ownSearchIndex = {};
    QString selectCaption = QStringLiteral("Select &Active Record");
    QString selectHint = {};
};

class TRecordViewForm : public QWidget {
    Q_OBJECT
public:
    TDBSearchBox* SearchBox;
    TDBText* ActiveRecordName;
    TDBGrid* Grid;
    QPushButton* SelectActiveRecordButton;
    TGridViewGroup* GridView = nullptr; // null for a window without the choice
    QPushButton* CloseButton;

    Table* RecordTable() const { return m_table; }
    void SelectActiveRecordButtonClick();

protected:
    // A top-level window owned by the owner, freed when closed.
    TRecordViewForm(QWidget* owner, const TRecordViewSetup& setup);

    struct TGridOptions {
        bool resizable = true;
        QString recordTitle = {}; // the hidden record-number column's title
        QColor titleBackground = {};
    };
    // The grid's columns after the hidden record-number column.
    void AddColumns(std::initializer_list<TRecordColumn> columns, TGridOptions options);
    // The " Grid View " group; closing the window links the table again.
    void AddGridView(const QString& linkedText, const QString& allText);
    // Lays the window out: search row, grid, bottom row (the buttons added to ButtonRow
    // first, then Select Active Record, the Grid View group and Close).
    void FinishLayout();

    QHBoxLayout* ButtonRow; // the window's own buttons, left of Select Active Record

private:
    Table* m_table;
    DataSource* m_source;
    QLabel* m_searchCaption = nullptr;
    QLabel* m_activeCaption;
};

struct TRecordEntrySetup {
    QString objectName = {};
    QString caption = {};
    Table* table = nullptr;
    DataSource* source = nullptr;
    QString linkedCaption = QStringLiteral("Will be linked to Active Record for");
    QString positionCaption = {}; // "Baptism Records:  "
    QList<TNavButton> buttons = TDBNavigator::AllButtons();
    QString selectHint = {};
};

class TRecordEntryForm : public QWidget {
    Q_OBJECT
public:
    TDBText* ActiveRecordName;
    QPushButton* SelectActiveRecordButton;
    TDBStateLabel* StateLabel;
    TDBNavigator* Navigator;
    TDBRecordPosition* RecordPosition;
    QPushButton* CloseButton;

    void SelectActiveRecordButtonClick();

protected:
    // A top-level window owned by the owner, freed when closed; it refuses to close while
    // its table is being edited or inserted.
    TRecordEntryForm(QWidget* owner, const TRecordEntrySetup& setup);

    // A caption row with a text box (at most the field's width) or a date box.
    TDBEdit* AddEdit(const QString& caption, const QString& field);
    TDBDateEdit* AddDate(const QString& caption, const QString& field);
    // A caption row whose text box has a "Use Active Record" button (not in the tab order)
    // beside it.
    TDBEdit* AddEditWithUseButton(const QString& caption, const QString& field,
                                  QPushButton*& useButton);
    // Lays the window out: header, fields, navigator row, the window's own rows
    // (ExtraRows), position and Close.
    void FinishLayout();

    QFormLayout* Fields;
    QBoxLayout* ExtraRows; // between the navigator and the position row

private:
    DataSource* m_source;
    QString m_linkedCaption;
    QString m_positionCaption;
};

} // namespace RecordForms
