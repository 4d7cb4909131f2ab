// Loaded into an installed Vestrix with LD_PRELOAD by the package check: it answers
// each message box with its default button, as a person reading it would, and once the
// main window is up chooses "E&xit Vestrix" from its menu. It writes what it saw to the
// standard error, one "probe: " line each. The program itself is not changed.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

namespace {

void Report(const QString& line) {
    std::fprintf(stderr, "probe: %s\n", qPrintable(line));
    std::fflush(stderr);
}

void Look() {
    static bool exitChosen = false;
    if (exitChosen)
        return;
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        Report(QStringLiteral("message: ") + box->text().replace(QLatin1Char('\n'), " / "));
        QAbstractButton* button = box->defaultButton();
        if (!button && !box->buttons().isEmpty())
            button = box->buttons().first();
        if (button)
            button->click();
        else
            box->reject();
        return;
    }
    if (QApplication::activeModalWidget())
        return;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() != QLatin1String("MainForm") || !window->isVisible())
            continue;
        Report(QStringLiteral("main window: ") + window->windowTitle());
        auto* exit = window->findChild<QAction*>(QStringLiteral("EXitVestrix1"));
        if (!exit) {
            Report(QStringLiteral("no Exit command"));
            std::_Exit(4);
        }
        exitChosen = true;
        Report(QStringLiteral("exit"));
        exit->trigger();
        return;
    }
}

void StartProbe() {
    auto* timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, &Look);
    timer->start(100);
    // A program that never gets this far must not hang the check.
    QTimer::singleShot(60000, QCoreApplication::instance(), [] {
        Report(QStringLiteral("gave up"));
        std::_Exit(3);
    });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(StartProbe)
