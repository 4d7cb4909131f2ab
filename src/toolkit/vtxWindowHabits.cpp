#include "toolkit/vtxWindowHabits.h"

#include "engine/DataSet.h"
#include "engine/EDatabaseError.h"
#include "toolkit/Dialogs.h"

#include <QCloseEvent>

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

bool RefuseCloseWhileEditing(const DataSet* dataSet, QCloseEvent* event, const QString& message) {
    if (!IsEditing(dataSet))
        return false;
    Dialogs::ShowMessage(message);
    if (event)
        event->ignore();
    return true;
}
