#include "toolkit/vtxWindowHabits.h"

#include "engine/DataSet.h"
#include "engine/EDatabaseError.h"
#include "toolkit/Dialogs.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <algorithm>

bool RunAction(const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const EAbort&) {
    } catch (const EDatabaseError& error) {
        Dialogs::ErrorBox(error.Message());
    } catch (const std::exception& error) {
        Dialogs::ErrorBox(QString::fromUtf8(error.what()));
    }
    return false;
}

bool IsEditing(const DataSet* dataSet) {
    return dataSet &&
           (dataSet->State() == DataSetState::Edit || dataSet->State() == DataSetState::Insert);
}

namespace {

int OwnerDepth(const QWidget* window) {
    int depth = 0;
    for (const QWidget* w = window->parentWidget(); w; w = w->parentWidget())
        ++depth;
    return depth;
}

} // namespace

bool CloseOtherWindows(const QWidget* except) {
    QList<QPointer<QWidget>> windows;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != except && w->isVisible())
            windows.append(w);
    std::stable_sort(windows.begin(), windows.end(),
                     [](const QPointer<QWidget>& a, const QPointer<QWidget>& b) {
                         return OwnerDepth(a) > OwnerDepth(b);
                     });
    for (const QPointer<QWidget>& w : windows)
        if (w && w->isVisible() && !w->close())
            return false;
    return true;
}
