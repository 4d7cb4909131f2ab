#include "toolkit/vtxCloseGuard.h"

#include "toolkit/Dialogs.h"
#include "toolkit/vtxWindowHabits.h"

#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QWidget>

TCloseGuard::TCloseGuard(QWidget* window, QList<const DataSet*> guarded)
    : QObject(window), m_window(window), m_guarded(std::move(guarded)) {
    window->installEventFilter(this);
}

void TCloseGuard::OnClose(std::function<void()> step) {
    m_steps.append(std::move(step));
}

bool TCloseGuard::MayClose() const {
    for (const DataSet* dataSet : m_guarded)
        if (IsEditing(dataSet)) {
            Dialogs::ShowMessage(m_pendingMessage);
            return false;
        }
    return true;
}

bool TCloseGuard::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_window)
        return false;
    if (event->type() == QEvent::Close) {
        if (!MayClose()) {
            event->ignore();
            return true;
        }
        for (const std::function<void()>& step : m_steps)
            RunAction(step);
        return false;
    }
    // A dialog rejects itself on Escape without a close event: close it instead, so that
    // the check runs.
    if (event->type() == QEvent::KeyPress && qobject_cast<QDialog*>(m_window) &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Cancel)) {
        m_window->close();
        return true;
    }
    return false;
}

bool RefuseCloseWhileEditing(const DataSet* dataSet, QCloseEvent* event, const QString& message) {
    if (!IsEditing(dataSet))
        return false;
    Dialogs::ShowMessage(message);
    if (event)
        event->ignore();
    return true;
}
