#pragma once
// The registry of the program's windows and menu reports. A window unit registers its
// class by name, a report its menu number; whoever opens them (the main menu, a window
// with buttons for other windows) asks the registry, so no unit includes another's
// window, and a window that is not part of the program yet is simply not registered.
//
//     // in vtxRosterViewF.cpp
//     VTX_REGISTER_WINDOW(TRosterViewForm)

#include <QString>
#include <QWidget>
#include <functional>

// Shown for a window or report that is not part of the program yet.
inline const QString NotAvailableText =
    QStringLiteral("This part of Vestrix is not available yet.");

using TWindowFactory = std::function<QWidget*(QWidget* owner)>;
using TReportRunner = std::function<void(QWidget* owner)>;

// Registers the factory of a window class (replacing an earlier one). Returns true,
// so that it can initialise a static.
bool RegisterWindow(const QString& className, TWindowFactory factory);
void UnregisterWindow(const QString& className);
bool IsWindowRegistered(const QString& className);
// The registered factory, empty when there is none.
TWindowFactory WindowFactory(const QString& className);
// Registers the runner of a menu report by its number (1 to 7).
bool RegisterReport(int reportKind, TReportRunner runner);
void UnregisterReport(int reportKind);
bool IsReportRegistered(int reportKind);
TReportRunner ReportRunner(int reportKind);

// The newest window of the class that the menu opened, while it lives.
QWidget* LatestWindow(const QString& className);
void RememberLatestWindow(const QString& className, QWidget* window);

// Creates a window of a registered class owned by owner and shows it modeless; when
// the class is not part of the program yet, shows the not-available message instead
// and returns null. For windows that open other windows directly, not from the menu.
QWidget* ShowRegisteredWindow(const QString& className, QWidget* owner);
// The same, shown modally through the dialogs facade (Dialogs::ShowModal) and gone when it
// has closed; the class must make a dialog. Returns the dialog's result, or -1 when the
// class is not part of the program yet (after the not-available message) or makes no
// dialog.
int ShowRegisteredModal(const QString& className, QWidget* owner);

#define VTX_REGISTER_WINDOW(Class)                                                                 \
    static const bool Class##WindowRegistered = RegisterWindow(                                    \
        QStringLiteral(#Class), [](QWidget* owner) -> QWidget* { return new Class(owner); });
