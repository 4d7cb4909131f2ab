#include "toolkit/vtxWindowRegistry.h"

#include "toolkit/Dialogs.h"

#include <QDialog>
#include <QHash>
#include <QMap>
#include <QPointer>

namespace {

struct Registry {
    QHash<QString, TWindowFactory> windows;
    QMap<int, TReportRunner> reports;
    QHash<QString, QPointer<QWidget>> latest;
};

// Filled by the static initialisers of the window units: built on first use.
Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

} // namespace

bool RegisterWindow(const QString& className, TWindowFactory factory) {
    TheRegistry().windows.insert(className, std::move(factory));
    return true;
}

void UnregisterWindow(const QString& className) {
    TheRegistry().windows.remove(className);
}

bool IsWindowRegistered(const QString& className) {
    return TheRegistry().windows.contains(className);
}

TWindowFactory WindowFactory(const QString& className) {
    return TheRegistry().windows.value(className);
}

bool RegisterReport(int reportKind, TReportRunner runner) {
    TheRegistry().reports.insert(reportKind, std::move(runner));
    return true;
}

void UnregisterReport(int reportKind) {
    TheRegistry().reports.remove(reportKind);
}

bool IsReportRegistered(int reportKind) {
    return TheRegistry().reports.contains(reportKind);
}

TReportRunner ReportRunner(int reportKind) {
    return TheRegistry().reports.value(reportKind);
}

QWidget* LatestWindow(const QString& className) {
    return TheRegistry().latest.value(className).data();
}

void RememberLatestWindow(const QString& className, QWidget* window) {
    TheRegistry().latest.insert(className, window);
}

QWidget* ShowRegisteredWindow(const QString& className, QWidget* owner) {
    const TWindowFactory factory = TheRegistry().windows.value(className);
    if (!factory) {
        Dialogs::Message(NotAvailableText, Dialogs::Icon::Information);
        return nullptr;
    }
    QWidget* window = factory(owner);
    if (window) {
        window->show();
        window->raise();
        window->activateWindow();
    }
    return window;
}

int ShowRegisteredModal(const QString& className, QWidget* owner) {
    const TWindowFactory factory = TheRegistry().windows.value(className);
    if (!factory) {
        Dialogs::Message(NotAvailableText, Dialogs::Icon::Information);
        return -1;
    }
    QPointer<QWidget> window = factory(owner);
    auto* dialog = qobject_cast<QDialog*>(window.data());
    if (!dialog) {
        delete window.data();
        return -1;
    }
    const int result = Dialogs::ShowModal(dialog);
    // A modal window is gone once it has closed, whether or not it freed itself.
    delete window.data();
    return result;
}
