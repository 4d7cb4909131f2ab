#pragma once
// TRepairDialog: the verify and repair dialog as the Database Maintenance command runs it —
// the settings its window opens with, and the running of the window.
//
// The main menu's "&Database Maintenance" row opens the window by its class name
// (TRepairForm); the registered maker runs a TRepairDialog with the program's settings
// (nothing pre-selected, the borrow check box clear, the "Rebuild" button hidden, progress
// reported). When the table utility library cannot be loaded the command ends with "Unable
// to Load " and the library's file name.

#include <QString>
#include <QStringList>

class QWidget;
class TRepairForm;

class TRepairDialog {
public:
    QString SourceDBName;           // pre-selected in "Source DB"; empty: none
    QString BorrowDBName;           // pre-selected in "Borrow Structure DB"; empty: none
    QStringList TableList;          // tables pre-selected in the list
    bool BorrowRebuildOnly = false; // the borrow check box, ticked at start
    bool ShowRebuildButton = false; // the hidden "Rebuild" button
    bool CallBackActive = true;     // the indicators follow the library's progress

    // Creates the window. Raises ETUtilityLoadError when the library cannot be loaded.
    TRepairForm* CreateForm(QWidget* owner) const;
    // Creates the window for the menu: shows the load error and returns null when the
    // library cannot be loaded.
    QWidget* CreateForMenu(QWidget* owner) const;
};
