#include "toolkit/vtxUpgradeProgress.h"

#include "engine/Table.h"

#include <QApplication>
#include <QProgressDialog>

TUpgradeProgress::TUpgradeProgress(QWidget* parent, int showAfterMs)
    : m_parent(parent), m_showAfterMs(showAfterMs) {
    SetTableUpgradeProgress(
        [this](const QString& table, int done, int total) { Step(table, done, total); });
}

TUpgradeProgress::~TUpgradeProgress() {
    SetTableUpgradeProgress({});
}

void TUpgradeProgress::Step(const QString& table, int done, int total) {
    if (!m_timer.isValid())
        m_timer.start();
    if (!m_dialog && m_timer.elapsed() >= m_showAfterMs) {
        m_dialog = std::make_unique<QProgressDialog>(m_parent);
        m_dialog->setWindowTitle("Vestrix");
        m_dialog->setCancelButton(nullptr);
        m_dialog->setMinimumDuration(0);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
    }
    if (!m_dialog)
        return;
    // Told often while an index is built: repaint a few times a second.
    if (done == m_done && m_repaint.isValid() && m_repaint.elapsed() < 100)
        return;
    m_done = done;
    m_repaint.start();
    m_dialog->setLabelText(
        QString("Bringing the data folder up to date for this version of Vestrix.\n"
                "Rebuilding the indexes of %1 (%2 of %3).")
            .arg(table)
            .arg(done)
            .arg(total));
    m_dialog->setMaximum(std::max(total, 1));
    m_dialog->setValue(done);
    if (!m_dialog->isVisible()) {
        m_dialog->adjustSize(); // to the text, which comes after the window is made
        m_dialog->show();
    }
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
