#include "app/vtxProgramOptionsSetupF.h"

#include "app/vtxOptionsU.h"
#include "app/vtxPasswordsF.h"
#include "toolkit/Dialogs.h"
#include "toolkit/vtxWindowLook.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

TProgramOptionsSetupForm::TProgramOptionsSetupForm(QWidget* owner) : QWidget(owner, Qt::Window) {
    Look::SetUpWindow(this, QStringLiteral("ProgramOptionsSetupForm"),
                      QStringLiteral("Program Options Setup"));
    setToolTip(QStringLiteral("Enter the default items then click the Save Changes button"));
    resize(870, 640);
    Look::CentreOnDesktop(this);

    auto* layout = new QVBoxLayout(this);
    auto edit = [&](const char* name, const QString& label, int longest) {
        auto* caption = new QLabel(label, this);
        auto* box = new QLineEdit(this);
        box->setObjectName(QLatin1String(name));
        box->setMaxLength(longest);
        caption->setBuddy(box);
        layout->addWidget(caption);
        layout->addWidget(box);
        return box;
    };
    OrganizationEdit =
        edit("OrganizationEdit",
             QStringLiteral("Enter the Name of the Church/Organization to appear on reports, etc."),
             100);
    StreetAddressEdit = edit("StreetAddressEdit", QStringLiteral("Street Address"), 80);
    CityEdit = edit("CityEdit", QStringLiteral("City"), 40);
    StateEdit = edit("StateEdit", QStringLiteral("State/Province"), 15);
    PostalEdit = edit("PostalEdit", QStringLiteral("Postal Code"), 10);
    PastorEdit = edit("PastorEdit", QStringLiteral("Pastor (default)"), 80);

    auto check = [&](const char* name, const QString& caption) {
        auto* box = new QCheckBox(caption, this);
        box->setObjectName(QLatin1String(name));
        layout->addWidget(box);
        return box;
    };
    layout->addSpacing(12);
    ConfirmCriticalCheckbox =
        check("ConfirmCriticalCheckbox", QStringLiteral("Confirm Critical Actions With a Message"));
    SoundOnCheckbox = check("SoundOnCheckbox", QStringLiteral("Play an Alert Sound With Messages"));
    ShowHintsCheckbox = check("ShowHintsCheckbox", QStringLiteral("Show Hints at Cursor Position"));
    layout->addStretch(1);

    auto* buttons = new QHBoxLayout;
    auto button = [&](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        buttons->addWidget(b);
        return b;
    };
    PasswordsBtn = button("PasswordsBtn", QStringLiteral("Change &Passwords"));
    buttons->addStretch(1);
    SaveChangesBtn = button("SaveChangesBtn", QStringLiteral("&Save Changes"));
    CloseBtn = button("CloseBtn", QStringLiteral("&Close"));
    layout->addLayout(buttons);

    QWidget* order[] = {
        OrganizationEdit,  StreetAddressEdit, CityEdit, StateEdit,       PostalEdit,
        PastorEdit,        SaveChangesBtn,    CloseBtn, SoundOnCheckbox, ConfirmCriticalCheckbox,
        ShowHintsCheckbox, PasswordsBtn};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(SaveChangesBtn, &QPushButton::clicked, this, [this] { SaveChangesBtnClick(); });
    connect(PasswordsBtn, &QPushButton::clicked, this, [this] { PasswordsBtnClick(); });
    connect(CloseBtn, &QPushButton::clicked, this, [this] { CloseBtnClick(); });

    FormCreate();
}

void TProgramOptionsSetupForm::FormCreate() {
    OrganizationEdit->setText(OptionsRecord.OrganizationName.Text());
    StreetAddressEdit->setText(OptionsRecord.StreetAddress.Text());
    CityEdit->setText(OptionsRecord.City.Text());
    StateEdit->setText(OptionsRecord.State.Text());
    PostalEdit->setText(OptionsRecord.Postal.Text());
    PastorEdit->setText(OptionsRecord.Pastor.Text());
    ConfirmCriticalCheckbox->setChecked(OptionsRecord.ConfirmCritical);
    SoundOnCheckbox->setChecked(OptionsRecord.SoundOn);
    ShowHintsCheckbox->setChecked(OptionsRecord.ShowHints);
}

void TProgramOptionsSetupForm::SaveChangesBtnClick() {
    OptionsRecord.OrganizationName.SetText(OrganizationEdit->text());
    OptionsRecord.StreetAddress.SetText(StreetAddressEdit->text());
    OptionsRecord.City.SetText(CityEdit->text());
    OptionsRecord.State.SetText(StateEdit->text());
    OptionsRecord.Postal.SetText(PostalEdit->text());
    OptionsRecord.Pastor.SetText(PastorEdit->text());
    OptionsRecord.ConfirmCritical = ConfirmCriticalCheckbox->isChecked();
    OptionsRecord.SoundOn = SoundOnCheckbox->isChecked();
    OptionsRecord.ShowHints = ShowHintsCheckbox->isChecked();
    ApplyOptions();
    WriteOptionsFile();
}

void TProgramOptionsSetupForm::PasswordsBtnClick() {
    QPointer<TPasswordsForm> form = new TPasswordsForm(this);
    Dialogs::ShowModal(form);
    if (form)
        form->close();
}

void TProgramOptionsSetupForm::CloseBtnClick() {
    close();
}
