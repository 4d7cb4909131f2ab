#pragma once
// The main menu as data, and the one routine that runs any of its commands.
//
// Each row of the table is one item of the main menu bar: its object name and
// caption, the submenu that holds it, what it does (open a window, produce a menu
// report, help, exit), the password level asked for first, whether an active roster
// record is needed, and how the window is shown.
//
// Windows and reports plug themselves in through the window registry of the toolkit
// (toolkit/vtxWindowRegistry.h), keyed by window class name (or report number), so
// adding a window never touches the main window:
//
//     // in vtxRosterViewF.cpp
//     VTX_REGISTER_WINDOW(TRosterViewForm)
//
// registers `new TRosterViewForm(owner)`; the constructor must make the window a
// top-level window (QWidget(owner, Qt::Window), or a QDialog) that frees itself when
// closed (Qt::WA_DeleteOnClose). Rows shown modal need a QDialog. A report is
// registered with its number (ReportKind), and its runner creates the report, shows
// its print preview modally and frees it (what the shared roster is left with afterwards
// is stated in the report's row of the table, rosterAfter):
//
//     static const bool registered = RegisterReport(3, [](QWidget* owner) { ... });
//
// A row whose window or report is not registered says "This part of Vestrix is not
// available yet." and does nothing else.

#include "toolkit/vtxTableKeeper.h"
#include "toolkit/vtxWindowRegistry.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

enum class TMenuItemKind { Submenu, Separator, Window, Report, Help, Exit };
enum class TShowMode { None, Modeless, Modal, Preview };

struct TMenuRow {
    QString objectName; // empty for separators
    QString caption;    // "-" for separators
    QString menu;       // object name of the submenu holding the row; empty: the menu bar
    TMenuItemKind kind = TMenuItemKind::Window;
    QString target;      // the window class (Window rows) or the report class (Report rows)
    int reportKind = 0;  // Report rows: 1 to 7, the value given to ReportKind
    int accessLevel = 0; // password level asked first: 0 none, 1 to 3
    bool activeRecordCheck = false; // after the password: a roster record must be current
    TShowMode show = TShowMode::None;
    // Report rows: the quarter prompt comes before the report; what the shared roster is
    // left with when the report's preview has closed (also after an error).
    bool asksQuarter = false;
    TTableKeeper::Leave rosterAfter = {};
};

// Every row of the main menu in menu order: the bar's items, each submenu's rows
// directly after the submenu's own row.
const QList<TMenuRow>& MainMenuTable();
// The row of an item by its object name; null when there is none.
const TMenuRow* FindMenuRow(const QString& objectName);

// ----- Running a row ----------------------------------------------------------------------

enum class TMenuOutcome {
    NotAvailable,   // no window or report registered: the message, nothing else
    Refused,        // the password check failed
    NoActiveRecord, // the active-record check failed
    WindowShown,    // the window was created and shown (modal ones have closed again)
    ReportShown,    // the report's preview was shown and closed
    NoReport,       // the quarter prompt gave no quarter: no report
    NotRun,         // not a window or report row
};

// Runs a Window or Report row: the row's password level, then its active-record
// check, then a new window of the class owned by owner, shown modeless or modal; or,
// for a report, ReportKind, the quarter prompt when the row asks it, the report's modal
// preview, and the shared roster left as the row states.
TMenuOutcome RunMenuRow(const TMenuRow& row, QWidget* owner);

// The quarter prompt of the quarterly pledge summary: "Report Period" / "Which
// quarter (1-4)?", default "0". Keeps the first character of the answer in
// ReportQuarter. True for a quarter 1 to 4; a character that is not a digit (an empty
// answer included) shows the conversion error; another digit gives false quietly.
bool AskReportQuarter();
