#include "toolkit/vtxCloseGuard.h"

#include "toolkit/Dialogs.h"
#include "toolkit/vtxWindowHabits.h"

#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>
#include <algorithm>

TCloseGuard::TCloseGuard(QWidget* window, QList<const DataSet*> guarded)
    : QObject(window), m_window(window), m_guarded(std::move(guarded)) {
    // The window's own guard takes the place of the one its set-up gave it.
    for (TCloseGuard* other : window->findChildren<TCloseGuard*>(Qt::FindDirectChildrenOnly))
        if (other != this && other->m_window == window && other->m_default)
            delete other;
    window->installEventFilter(this);
}

TCloseGuard* TCloseGuard::Of(const QWidget* window) {
    for (TCloseGuard* guard : window->findChildren<TCloseGuard*>(Qt::FindDirectChildrenOnly))
        if (guard->m_window == window)
            return guard;
    return nullptr;
}

TCloseGuard* TCloseGuard::AttachDefault(QWidget* window) {
    if (TCloseGuard* guard = Of(window))
        return guard;
    auto* guard = new TCloseGuard(window);
    guard->m_default = true;
    return guard;
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

namespace {

// How many owners lie between a window and one that owns it.
int Depth(const QWidget* window, const QWidget* owner) {
    int depth = 0;
    for (const QWidget* w = window; w && w != owner; w = w->parentWidget())
        ++depth;
    return depth;
}

} // namespace

bool TCloseGuard::CloseOwnedWindows() {
    QList<QPointer<QWidget>> owned;
    for (QWidget* w : m_window->findChildren<QWidget*>())
        if (w->isWindow() && w->isVisible())
            owned.append(w);
    std::stable_sort(owned.begin(), owned.end(),
                     [this](const QPointer<QWidget>& a, const QPointer<QWidget>& b) {
                         return Depth(a, m_window) > Depth(b, m_window);
                     });
    for (const QPointer<QWidget>& w : owned)
        if (w && w->isVisible() && !w->close())
            return false;
    return true;
}

bool TCloseGuard::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_window)
        return false;
    if (event->type() == QEvent::Close) {
        if (!MayClose() || !CloseOwnedWindows()) {
            event->ignore();
            return true;
        }
        for (const std::function<void()>& step : m_steps)
            RunAction(step);
        return false;
    }
    // A dialog rejects itself on Escape without a close event, and a view window would not
    // close at all: close it instead, so that the check runs. An Escape that reaches an
    // entry window was not wanted by its boxes; it closes nothing there.
    if (event->type() == QEvent::KeyPress &&
        (qobject_cast<QDialog*>(m_window) || m_guarded.isEmpty()) &&
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
