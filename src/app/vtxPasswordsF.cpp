#include "app/vtxPasswordsF.h"

#include "app/vtxOptionsU.h"
#include "app/vtxPasswordsU.h"
#include "data/vtxGlobalsU.h"
#include "toolkit/Dialogs.h"
#include "toolkit/vtxWindowLook.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

std::function<void()> TPasswordsForm::HelpCommand;

TPasswordsForm::TPasswordsForm(QWidget* owner) : QDialog(owner) {
    Look::SetUpWindow(this, QStringLiteral("PasswordsForm"), QStringLiteral("Change Passwords"));
    setModal(true);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    resize(644, 358);

    auto* layout = new QVBoxLayout(this);
    auto line = [&](QLabel*& label, const char* name, const QString& text) {
        label = new QLabel(text, this);
        label->setObjectName(QLatin1String(name));
        layout->addWidget(label);
    };
    line(Line1, "Line1",
         QStringLiteral("Vestrix utilizes three passwords to access three differnt groups of "
                        "program features. "));
    line(Line2, "Line2",
         QStringLiteral("Password 1 provides access to financial functions and records."));
    line(Line3, "Line3", QStringLiteral("Password 2 provides access to usher data entry."));
    line(Line4, "Line4",
         QStringLiteral("Password 3 provides access to all other password-protected "
                        "administrative and data entry functions."));

    PWRadioGroup = new QGroupBox(QStringLiteral("Select Password Level to Change"), this);
    PWRadioGroup->setObjectName(QStringLiteral("PWRadioGroup"));
    auto* groupLayout = new QVBoxLayout(PWRadioGroup);
    m_items = new QButtonGroup(this);
    const QString items[3] = {QStringLiteral("Financial Functions Password"),
                              QStringLiteral("Usher Functions Password"),
                              QStringLiteral("Administrative Functions Password")};
    for (int i = 0; i < 3; ++i) {
        LevelItems[i] = new QRadioButton(items[i], PWRadioGroup);
        LevelItems[i]->setObjectName(QStringLiteral("LevelItem%1").arg(i + 1));
        m_items->addButton(LevelItems[i], i);
        groupLayout->addWidget(LevelItems[i]);
    }
    layout->addWidget(PWRadioGroup);

    // The two boxes one above the other, their labels in a column beside them.
    auto* entries = new QGridLayout;
    entries->setColumnStretch(1, 1);
    layout->addLayout(entries);
    int nextRow = 0;
    auto entry = [&](QLabel*& label, QLineEdit*& edit, const char* name, const QString& text) {
        const int row = nextRow++;
        label = new QLabel(text, this);
        edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(name));
        edit->setMaxLength(PasswordBoxLength);
        label->setBuddy(edit);
        entries->addWidget(label, row, 0);
        entries->addWidget(edit, row, 1);
    };
    entry(PWLabel1, PWEdit1, "PWEdit1", QStringLiteral("Enter Password (1-10 characters)"));
    entry(PWLabel2, PWEdit2, "PWEdit2", QStringLiteral("Re-enter Password"));
    layout->addStretch(1);

    auto* buttons = new QHBoxLayout;
    auto button = [&](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    HelpBtn = button("HelpBtn", QStringLiteral("&Help"));
    RetryBtn = button("RetryBtn", QStringLiteral("&Retry"));
    PasswordOKBtn = button("PasswordOKBtn", QStringLiteral("&Install New Password"));
    CloseBtn = button("CloseBtn", QStringLiteral("&Close"));
    layout->addLayout(buttons);

    connect(m_items, &QButtonGroup::idClicked, this, [this] { PWRadioGroupClick(); });
    connect(RetryBtn, &QPushButton::clicked, this, [this] { RetryBtnClick(); });
    connect(PasswordOKBtn, &QPushButton::clicked, this, [this] { PasswordOKBtnClick(); });
    connect(HelpBtn, &QPushButton::clicked, this, [this] { HelpBtnClick(); });
    connect(CloseBtn, &QPushButton::clicked, this, [this] { CloseBtnClick(); });
}

int TPasswordsForm::ItemIndex() const {
    return m_items->checkedId();
}

void TPasswordsForm::PWRadioGroupClick() {
    RetryBtnClick();
}

void TPasswordsForm::RetryBtnClick() {
    PWEdit1->clear();
    PWEdit2->clear();
    m_level = ItemIndex() + 1;
}

void TPasswordsForm::PasswordOKBtnClick() {
    const QString password = PWEdit2->text();
    if (m_level < 1 || password.isEmpty() || PWEdit1->text() != password ||
        !PasswordFits(m_level, password)) {
        Dialogs::Message(QStringLiteral("Oops.  Click Retry button to try again."),
                         Dialogs::Icon::Error, Dialogs::Ok);
        RetryBtn->setFocus();
        return;
    }
    SetPassword(AccessRecord, m_level, password);
    if (WriteAccessFile())
        Dialogs::Message(QStringLiteral("Password accepted"), Dialogs::Icon::Information,
                         Dialogs::Ok);
    else
        Dialogs::ShowMessage(QStringLiteral("Password(s) could not be installed."));
}

void TPasswordsForm::HelpBtnClick() {
    if (HelpCommand) {
        HelpCommand();
        return;
    }
    if (Dialogs::Message(QStringLiteral("Could not find help file.  Search yourself?"),
                         Dialogs::Icon::Information, Dialogs::Yes | Dialogs::No) == Dialogs::Yes)
        Dialogs::OpenFileName(QStringLiteral("Open"), ProgramFolder);
}

void TPasswordsForm::CloseBtnClick() {
    close();
}
