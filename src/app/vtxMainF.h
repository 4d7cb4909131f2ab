#pragma once
// The main window: a gradient background, the menu bar built from the menu table
// (vtxMenuTable.h), the notification-area icon, and the creation steps of start-up
// (opening the data sets, the option files, the help file and the caption). It holds
// no data of its own and opens every other window through the menu table.

#include <QHash>
#include <QMainWindow>

class QMenu;
class QSystemTrayIcon;

// A background of colour steps from one colour to another, left to right.
class TGradientBackground : public QWidget {
    Q_OBJECT
public:
    explicit TGradientBackground(QWidget* parent = nullptr);
    QColor StartColor = QColor(0x80, 0, 0); // maroon
    QColor EndColor = Qt::black;
    int Steps = 100;
    // The colour of step i (0 .. Steps - 1).
    QColor StepColor(int step) const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    TGradientBackground* JvGradient1;
    QMenuBar* VTX2MainMenu;
    QSystemTrayIcon* JvTrayIcon = nullptr; // null where the desktop has no notification area

    // The creation steps of start-up: opens the data sets in their fixed order, sets
    // ProgramFolder, reads the options file and then the access file, sets the help
    // file (empty: the program folder's "Vestrix2.hlp") and the caption. Shows the
    // messages of each failure. False when the program must end once start-up has
    // finished (a data set did not open, or the access file was not read).
    bool FormCreate(const QString& programFolder, const QString& helpFile = {});

    // The menu item (or submenu's item) with the object name, null when there is none.
    QAction* MenuItem(const QString& objectName) const;
    QMenu* Submenu(const QString& objectName) const;

    // Runs the menu item with the object name, as a click on it does.
    void MenuItemClick(const QString& objectName);
    void ExitVestrixClick();
    void HelpWithUsingVestrixClick();
    // A click on the notification-area icon: restores the hidden or minimized window,
    // minimizes the shown one.
    void TrayIconClick();

    // Registers the windows of the program shell with the menu table.
    static void RegisterShellWindows();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenu();

    QHash<QString, QAction*> m_items;
    QHash<QString, QMenu*> m_submenus;
    Qt::WindowStates m_restoreState = Qt::WindowMaximized;
};
