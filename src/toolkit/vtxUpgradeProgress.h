#pragma once
// Progress of table files being brought up to date when they are first opened by this
// version of the program (their indexes rebuilt, see Table.h). While the object lives it
// listens to the engine; once the work has taken longer than a second it shows a small
// window with the table being done and a bar, painted as the work goes on. Nothing is
// shown for work that ends sooner.
//
// Example:
//   TUpgradeProgress progress(this);
//   DataMod->OpenDataSets();

#include <QElapsedTimer>
#include <QString>
#include <memory>

class QProgressDialog;
class QWidget;

class TUpgradeProgress {
public:
    explicit TUpgradeProgress(QWidget* parent = nullptr, int showAfterMs = 1000);
    ~TUpgradeProgress();
    TUpgradeProgress(const TUpgradeProgress&) = delete;
    TUpgradeProgress& operator=(const TUpgradeProgress&) = delete;

    // The window, once shown; null before.
    QProgressDialog* Dialog() const { return m_dialog.get(); }

private:
    void Step(const QString& table, int done, int total);

    QWidget* m_parent;
    int m_showAfterMs;
    QElapsedTimer m_timer;
    QElapsedTimer m_repaint;
    int m_done = -1;
    std::unique_ptr<QProgressDialog> m_dialog;
};
