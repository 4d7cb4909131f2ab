#include "app/vtxMainF.h"

#include "app/vtxAboutF.h"
#include "app/vtxContactF.h"
#include "app/vtxHelpF.h"
#include "app/vtxMenuTable.h"
#include "app/vtxOptionsU.h"
#include "app/vtxPasswordsF.h"
#include "app/vtxProgramInfo.h"
#include "app/vtxProgramOptionsSetupF.h"
#include "app/vtxStartup.h"
#include "data/vtxDataM.h"
#include "data/vtxGlobalsU.h"
#include "toolkit/Dialogs.h"
#include "toolkit/vtxUpgradeProgress.h"
#include "toolkit/vtxWindowHabits.h"
#include "toolkit/vtxWindowLook.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenuBar>
#include <QPainter>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWindowStateChangeEvent>

namespace {

const QString kDataSetsFailed =
    QStringLiteral("Could not open database or database tables.\n"
                   "If on a network, be sure you are connected to your server.");

// Flat menu items with margins of 10 pixels.
const QString kMenuStyle =
    QStringLiteral("QMenuBar { background: #f0f0f0; }"
                   "QMenuBar::item { padding: 4px 10px; background: transparent; }"
                   "QMenuBar::item:selected { background: #d8d8d8; border: 1px solid #a0a0a0; }"
                   "QMenu { background: #f8f8f8; border: 1px solid #a0a0a0; }"
                   "QMenu::item { padding: 4px 24px 4px 10px; margin: 0px 1px; }"
                   "QMenu::item:selected { background: #800000; color: white; }"
                   "QMenu::separator { height: 1px; background: #c0c0c0; margin: 3px 6px; }");

} // namespace

TGradientBackground::TGradientBackground(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QColor TGradientBackground::StepColor(int step) const {
    const int last = qMax(1, Steps - 1);
    auto mix = [&](int from, int to) { return from + (to - from) * step / last; };
    return QColor(mix(StartColor.red(), EndColor.red()), mix(StartColor.green(), EndColor.green()),
                  mix(StartColor.blue(), EndColor.blue()));
}

void TGradientBackground::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int w = width();
    for (int step = 0; step < Steps; ++step) {
        const int left = w * step / Steps;
        const int right = w * (step + 1) / Steps;
        painter.fillRect(QRect(left, 0, right - left, height()), StepColor(step));
    }
}

void TMainForm::RegisterShellWindows() {
    static const bool registered = [] {
        RegisterWindow(QStringLiteral("TAboutForm"),
                       [](QWidget* owner) -> QWidget* { return new TAboutForm(owner); });
        RegisterWindow(QStringLiteral("TContactForm"),
                       [](QWidget* owner) -> QWidget* { return new TContactForm(owner); });
        RegisterWindow(QStringLiteral("TProgramOptionsSetupForm"), [](QWidget* owner) -> QWidget* {
            return new TProgramOptionsSetupForm(owner);
        });
        return true;
    }();
    Q_UNUSED(registered);
}

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Vestrix 2 "));
    setWindowIcon(VestrixIcon());
    resize(870, 640);
    Look::CentreOnDesktop(this);

    JvGradient1 = new TGradientBackground(this);
    JvGradient1->setObjectName(QStringLiteral("JvGradient1"));
    setCentralWidget(JvGradient1);

    VTX2MainMenu = menuBar();
    VTX2MainMenu->setObjectName(QStringLiteral("VTX2MainMenu"));
    VTX2MainMenu->setStyleSheet(kMenuStyle);
    VTX2MainMenu->setNativeMenuBar(false);
    BuildMenu();

    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        JvTrayIcon = new QSystemTrayIcon(VestrixIcon(), this);
        JvTrayIcon->setObjectName(QStringLiteral("JvTrayIcon"));
        JvTrayIcon->setToolTip(QStringLiteral("Vestrix by Quillfen Software"));
        connect(JvTrayIcon, &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason reason) {
                    if (reason == QSystemTrayIcon::Trigger)
                        TrayIconClick();
                });
        JvTrayIcon->show();
    }

    RegisterShellWindows();
    TPasswordsForm::HelpCommand = [this] { HelpWithUsingVestrixClick(); };
}

TMainForm::~TMainForm() {
    TPasswordsForm::HelpCommand = nullptr;
}

void TMainForm::BuildMenu() {
    for (const TMenuRow& row : MainMenuTable()) {
        QMenu* holder = row.menu.isEmpty() ? nullptr : m_submenus.value(row.menu);
        if (row.kind == TMenuItemKind::Separator) {
            if (holder)
                holder->addSeparator();
            continue;
        }
        if (row.kind == TMenuItemKind::Submenu) {
            auto* menu = new QMenu(row.caption, VTX2MainMenu);
            menu->setObjectName(row.objectName);
            menu->menuAction()->setObjectName(row.objectName);
            VTX2MainMenu->addMenu(menu);
            m_submenus.insert(row.objectName, menu);
            m_items.insert(row.objectName, menu->menuAction());
            continue;
        }
        auto* item = new QAction(row.caption, this);
        item->setObjectName(row.objectName);
        const QString name = row.objectName;
        connect(item, &QAction::triggered, this, [this, name] { MenuItemClick(name); });
        if (holder)
            holder->addAction(item);
        else
            VTX2MainMenu->addAction(item);
        m_items.insert(row.objectName, item);
    }
}

QAction* TMainForm::MenuItem(const QString& objectName) const {
    return m_items.value(objectName);
}

QMenu* TMainForm::Submenu(const QString& objectName) const {
    return m_submenus.value(objectName);
}

void TMainForm::MenuItemClick(const QString& objectName) {
    const TMenuRow* row = FindMenuRow(objectName);
    if (!row)
        return;
    switch (row->kind) {
    case TMenuItemKind::Exit:
        ExitVestrixClick();
        break;
    case TMenuItemKind::Help:
        HelpWithUsingVestrixClick();
        break;
    case TMenuItemKind::Window:
    case TMenuItemKind::Report:
        RunAction([&] { RunMenuRow(*row, this); });
        break;
    default:
        break;
    }
}

// The other windows close first, each with its own close check: a window that holds a
// pending record keeps the program open, so nothing is posted or dropped unasked.
void TMainForm::ExitVestrixClick() {
    if (!CloseOtherWindows(this))
        return;
    if (DataMod)
        DataMod->CloseDataSets();
    QCoreApplication::quit();
}

void TMainForm::HelpWithUsingVestrixClick() {
    HelpWithUsingVestrix(this);
}

bool TMainForm::FormCreate(const QString& programFolder, const QString& helpFile) {
    bool mayRun = true;
    // The database was connected when the data module was created.
    try {
        if (!DataMod)
            throw EDatabaseError(QStringLiteral("The data module does not exist."));
        // A data folder written by an earlier version has its indexes rebuilt once.
        TUpgradeProgress upgrade(this);
        DataMod->OpenDataSets();
    } catch (const EOpenDataSetError& error) {
        qWarning("Vestrix: %s could not be opened: %s", qPrintable(error.DataSetName()),
                 qPrintable(error.Message()));
        Dialogs::ShowMessage(kDataSetsFailed);
        mayRun = false;
    } catch (const std::exception& error) {
        qWarning("Vestrix: the data sets could not be opened: %s",
                 qPrintable(ExceptionText(error)));
        Dialogs::ShowMessage(kDataSetsFailed);
        mayRun = false;
    }

    // The program never runs without its passwords, whatever skipped the access file.
    bool accessRead = false;
    try {
        ProgramFolder = programFolder;
        // The table engine needs no idle-time call.
        ReadOptionsFile();
        accessRead = ReadAccessFile();
        if (!accessRead)
            return false;
        HelpFile = helpFile.isEmpty() ? ProgramFolder + QStringLiteral("Vestrix2.hlp") : helpFile;
        setWindowTitle(QStringLiteral("Vestrix ") + ProgramInfo::ProductVersion() +
                       QStringLiteral(" for ") + OptionsRecord.OrganizationName.Text());
    } catch (const std::exception& error) {
        Dialogs::ErrorBox(ExceptionText(error));
    }
    return mayRun && accessRead;
}

void TMainForm::TrayIconClick() {
    if (isHidden() || isMinimized()) {
        show();
        setWindowState((m_restoreState & ~Qt::WindowMinimized) | Qt::WindowActive);
        raise();
        activateWindow();
    } else {
        showMinimized();
    }
}

void TMainForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) {
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        if (isMinimized()) {
            if (!(change->oldState() & Qt::WindowMinimized))
                m_restoreState = change->oldState();
            // Minimized, the program waits in the notification area.
            if (JvTrayIcon && JvTrayIcon->isVisible())
                QTimer::singleShot(0, this, [this] {
                    if (isMinimized())
                        hide();
                });
        }
    }
    QMainWindow::changeEvent(event);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (!CloseOtherWindows(this)) {
        event->ignore();
        return;
    }
    event->accept();
    QCoreApplication::quit();
}
