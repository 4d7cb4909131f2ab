#include "app/vtxHelpF.h"

#include "app/vtxProgramInfo.h"
#include "data/vtxGlobalsU.h"
#include "toolkit/Dialogs.h"
#include "toolkit/vtxWindowLook.h"

#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QPointer<THelpForm>& TheHelpForm() {
    static QPointer<THelpForm> form;
    return form;
}

} // namespace

THelpForm::THelpForm(QWidget* owner) : QWidget(owner, Qt::Window) {
    Look::SetUpWindow(this, QStringLiteral("HelpForm"), QStringLiteral("Vestrix Help"));
    setWindowIcon(VestrixIcon());
    resize(820, 700);
    Look::CentreOnDesktop(this);

    HelpBrowser = new QTextBrowser(this);
    HelpBrowser->setObjectName(QStringLiteral("HelpBrowser"));
    HelpBrowser->setOpenExternalLinks(true);
    ContentsBtn = new QPushButton(QStringLiteral("&Contents"), this);
    ContentsBtn->setObjectName(QStringLiteral("ContentsBtn"));
    BackBtn = new QPushButton(QStringLiteral("&Back"), this);
    BackBtn->setObjectName(QStringLiteral("BackBtn"));
    ForwardBtn = new QPushButton(QStringLiteral("&Forward"), this);
    ForwardBtn->setObjectName(QStringLiteral("ForwardBtn"));
    CloseBtn = new QPushButton(QStringLiteral("Close"), this);
    CloseBtn->setObjectName(QStringLiteral("CloseBtn"));
    BackBtn->setEnabled(false);
    ForwardBtn->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ContentsBtn);
    buttons->addWidget(BackBtn);
    buttons->addWidget(ForwardBtn);
    buttons->addStretch(1);
    buttons->addWidget(CloseBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(HelpBrowser, 1);

    connect(ContentsBtn, &QPushButton::clicked, HelpBrowser, &QTextBrowser::home);
    connect(BackBtn, &QPushButton::clicked, HelpBrowser, &QTextBrowser::backward);
    connect(ForwardBtn, &QPushButton::clicked, HelpBrowser, &QTextBrowser::forward);
    connect(HelpBrowser, &QTextBrowser::backwardAvailable, BackBtn, &QPushButton::setEnabled);
    connect(HelpBrowser, &QTextBrowser::forwardAvailable, ForwardBtn, &QPushButton::setEnabled);
    connect(CloseBtn, &QPushButton::clicked, this, &QWidget::close);
    connect(HelpBrowser, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = HelpBrowser->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("Vestrix Help") : title);
    });
}

bool THelpForm::OpenFile(const QString& fileName) {
    QFile file(fileName);
    if (fileName.isEmpty() || !QFileInfo(fileName).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    file.close();
    m_fileName = fileName;
    HelpBrowser->clearHistory();
    // The file's name does not say HTML; tell the browser.
    HelpBrowser->setSource(QUrl::fromLocalFile(QFileInfo(fileName).absoluteFilePath()),
                           QTextDocument::HtmlResource);
    return true;
}

bool ShowHelpContents(const QString& helpFile, QWidget* owner) {
    THelpForm* form = TheHelpForm();
    const bool isNew = !form;
    if (isNew)
        form = new THelpForm(owner);
    if (!form->OpenFile(helpFile)) {
        if (isNew)
            delete form;
        return false;
    }
    TheHelpForm() = form;
    // Help asked for from a modal window (Change Passwords) is read beside it.
    Look::ShowBesideModalWindow(form);
    return true;
}

THelpForm* OpenHelpForm() {
    return TheHelpForm();
}

void HelpWithUsingVestrix(QWidget* owner) {
    if (ShowHelpContents(HelpFile, owner))
        return;
    const int answer =
        Dialogs::Message(QStringLiteral("Could not find help file.  Search yourself?"),
                         Dialogs::Icon::Information, Dialogs::Yes | Dialogs::No);
    if (answer != Dialogs::Yes)
        return;
    const QString chosen = Dialogs::OpenFileName(
        QStringLiteral("Open"), ProgramFolder, QStringLiteral("Help files (*.hlp);;All files (*)"));
    if (!chosen.isEmpty())
        ShowHelpContents(chosen, owner);
}
