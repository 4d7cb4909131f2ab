// The Program Options Setup window.
#include "OptionsFixture.h"
#include "app/vtxPasswordsF.h"
#include "app/vtxProgramOptionsSetupF.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

class TestOptionsWindow : public QObject {
    Q_OBJECT
    ProgramFixture fx;

    static void Retype(QLineEdit* edit, const QString& text) {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        TypeInto(edit, text);
    }

private slots:
    void init() { fx.Setup(); }
    void cleanupTestCase() {
        SetShowHints(true);
        Dialogs::SetAlertSound(false);
    }

    void controls() {
        TProgramOptionsSetupForm form;
        QCOMPARE(form.windowTitle(), QString("Program Options Setup"));
        QCOMPARE(form.toolTip(),
                 QString("Enter the default items then click the Save Changes button"));
        QCOMPARE(form.size(), QSize(870, 640));
        QVERIFY(form.testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(form.OrganizationEdit->maxLength(), 100);
        QCOMPARE(form.StreetAddressEdit->maxLength(), 80);
        QCOMPARE(form.CityEdit->maxLength(), 40);
        QCOMPARE(form.StateEdit->maxLength(), 15);
        QCOMPARE(form.PostalEdit->maxLength(), 10);
        QCOMPARE(form.PastorEdit->maxLength(), 80);
        QCOMPARE(form.ConfirmCriticalCheckbox->text(),
                 QString("Confirm Critical Actions With a Message"));
        QCOMPARE(form.SoundOnCheckbox->text(), QString("Play an Alert Sound With Messages"));
        QCOMPARE(form.ShowHintsCheckbox->text(), QString("Show Hints at Cursor Position"));
        QCOMPARE(form.PasswordsBtn->text(), QString("Change &Passwords"));
        QCOMPARE(form.SaveChangesBtn->text(), QString("&Save Changes"));
        // The labels above the boxes.
        QStringList labels;
        for (QLabel* label : form.findChildren<QLabel*>())
            labels << label->text();
        QCOMPARE(labels, (QStringList{
                             "Enter the Name of the Church/Organization to appear on reports, etc.",
                             "Street Address", "City", "State/Province", "Postal Code",
                             "Pastor (default)"}));
    }

    void tabOrder() {
        TProgramOptionsSetupForm form;
        const QList<QWidget*> expected = {form.OrganizationEdit,  form.StreetAddressEdit,
                                          form.CityEdit,          form.StateEdit,
                                          form.PostalEdit,        form.PastorEdit,
                                          form.SaveChangesBtn,    form.CloseBtn,
                                          form.SoundOnCheckbox,   form.ConfirmCriticalCheckbox,
                                          form.ShowHintsCheckbox, form.PasswordsBtn};
        QList<QWidget*> order;
        QWidget* w = form.OrganizationEdit;
        do {
            if (w->focusPolicy() & Qt::TabFocus)
                order << w;
            w = w->nextInFocusChain();
        } while (w != form.OrganizationEdit);
        QCOMPARE(order, expected);
    }

    void showsAndSavesTheRecord() {
        OptionsRecord.OrganizationName.SetText("Holy Trinity Lutheran Church");
        OptionsRecord.Pastor.SetText("Rev. J. Moss");
        OptionsRecord.SoundOn = false;
        TProgramOptionsSetupForm form;
        QCOMPARE(form.OrganizationEdit->text(), QString("Holy Trinity Lutheran Church"));
        QCOMPARE(form.StreetAddressEdit->text(), QString("Your Address"));
        QCOMPARE(form.CityEdit->text(), QString("Your City"));
        QCOMPARE(form.StateEdit->text(), QString("Your State"));
        QCOMPARE(form.PostalEdit->text(), QString("Postal"));
        QCOMPARE(form.PastorEdit->text(), QString("Rev. J. Moss"));
        QVERIFY(form.ConfirmCriticalCheckbox->isChecked());
        QVERIFY(!form.SoundOnCheckbox->isChecked());
        QVERIFY(form.ShowHintsCheckbox->isChecked());

        Retype(form.OrganizationEdit, "St. Mark");
        Retype(form.StreetAddressEdit, "4 Elm Street");
        Retype(form.CityEdit, "Zürich");
        Retype(form.StateEdit, "ZH");
        Retype(form.PostalEdit, "8001");
        Retype(form.PastorEdit, "Pfr. M. Keller");
        form.ConfirmCriticalCheckbox->click();
        form.SaveChangesBtn->click();
        QVERIFY(Dialogs::ShownLog().isEmpty());

        const QByteArray bytes = FileBytes(fx.OptionsPath());
        QCOMPARE(bytes, RecordBytes(OptionsRecord));
        QCOMPARE(bytes.mid(123, 9), QByteArray("\x08St. Mark"));
        QCOMPARE(bytes.mid(132, 20), QByteArray("nity Lutheran Church")); // the old tail
        QCOMPARE(bytes.mid(81, 7), QByteArray("\x06Z\xfcrich"));
        QCOMPARE(int(bytes[122]), 0);

        // The next start reads what was saved, and a new window shows it.
        OptionsRecord = DefaultOptionsRecord();
        ReadOptionsFile();
        QVERIFY(Dialogs::ShownLog().isEmpty());
        TProgramOptionsSetupForm again;
        QCOMPARE(again.OrganizationEdit->text(), QString("St. Mark"));
        QCOMPARE(again.StreetAddressEdit->text(), QString("4 Elm Street"));
        QCOMPARE(again.CityEdit->text(), QString("Zürich"));
        QCOMPARE(again.StateEdit->text(), QString("ZH"));
        QCOMPARE(again.PostalEdit->text(), QString("8001"));
        QCOMPARE(again.PastorEdit->text(), QString("Pfr. M. Keller"));
        QVERIFY(!again.ConfirmCriticalCheckbox->isChecked());
        QVERIFY(!again.SoundOnCheckbox->isChecked());
        QVERIFY(again.ShowHintsCheckbox->isChecked());
    }

    void longestEntries() {
        TProgramOptionsSetupForm form;
        Retype(form.OrganizationEdit, QString(105, 'O'));
        Retype(form.PostalEdit, "123456789012");
        form.SaveChangesBtn->click();
        QCOMPARE(int(OptionsRecord.OrganizationName.Length), 100);
        QCOMPARE(OptionsRecord.Postal.Text(), QString("1234567890"));
        QCOMPARE(FileBytes(fx.OptionsPath()).mid(305, 11), QByteArray("\x0a"
                                                                      "1234567890"));
    }

    void saveFailureKeepsTheWindow() {
        ProgramFolder = fx.folder->file("gone/");
        QPointer<TProgramOptionsSetupForm> form = new TProgramOptionsSetupForm;
        form->show();
        Retype(form->OrganizationEdit, "St. Mark");
        form->SaveChangesBtn->click();
        QCOMPARE(Dialogs::ShownTexts(),
                 QStringList{"The program configuration file could not be written."});
        QCOMPARE(OptionsRecord.OrganizationName.Text(), QString("St. Mark"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(form && form->isVisible());
        QCOMPARE(form->OrganizationEdit->text(), QString("St. Mark"));
        delete form;
    }

    // Sound and hints switch when saved, not before.
    void switchesTakeEffectWhenSaved() {
        ApplyOptions();
        TProgramOptionsSetupForm form;
        form.SoundOnCheckbox->click();
        form.ShowHintsCheckbox->click();
        QVERIFY(Dialogs::AlertSound());
        QVERIFY(ShowHintsOn());
        form.SaveChangesBtn->click();
        QVERIFY(!Dialogs::AlertSound());
        QVERIFY(!ShowHintsOn());
        form.SoundOnCheckbox->click();
        form.ShowHintsCheckbox->click();
        form.SaveChangesBtn->click();
        QVERIFY(Dialogs::AlertSound());
        QVERIFY(ShowHintsOn());
    }

    void closeDropsUnsavedEntries() {
        QPointer<TProgramOptionsSetupForm> form = new TProgramOptionsSetupForm;
        form->show();
        Retype(form->OrganizationEdit, "Unsaved");
        form->ConfirmCriticalCheckbox->click();
        form->CloseBtn->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(form.isNull());
        QVERIFY(Dialogs::ShownLog().isEmpty());
        QCOMPARE(RecordBytes(OptionsRecord), RecordBytes(DefaultOptionsRecord()));
        QVERIFY(!QFile::exists(fx.OptionsPath()));
    }

    void changePasswordsOpensTheModalWindow() {
        fx.StartWith(FreshAccessRecord());
        AccessRecord = PasswordsInForce;
        TProgramOptionsSetupForm form;
        QDialog* shown = nullptr;
        QWidget* owner = nullptr;
        Dialogs::QueueModal([&](QDialog* dialog) {
            shown = dialog;
            owner = dialog->parentWidget();
            auto* passwords = qobject_cast<TPasswordsForm*>(dialog);
            if (!passwords)
                return int(QDialog::Rejected);
            passwords->LevelItems[2]->click();
            QTest::keyClicks(passwords->PWEdit1, "Vestry");
            QTest::keyClicks(passwords->PWEdit2, "Vestry");
            passwords->PasswordOKBtn->click();
            passwords->CloseBtn->click();
            return int(QDialog::Rejected);
        });
        form.PasswordsBtn->click();
        QVERIFY(qobject_cast<TPasswordsForm*>(shown));
        QCOMPARE(owner, &form);
        QCOMPARE(Dialogs::ShownLog()[0].kind, QString("modal"));
        QCOMPARE(Dialogs::ShownLog()[0].caption, QString("Change Passwords"));
        QCOMPARE(Dialogs::ShownTexts().last(), QString("Password accepted"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(form.findChildren<TPasswordsForm*>().isEmpty()); // freed when closed
        // Program Options Setup still opens without a question in this run.
        Dialogs::ClearScript();
        QVERIFY(CheckAccessPassword(3));
        QVERIFY(Dialogs::ShownLog().isEmpty());
    }
};

VTX_REGISTER_TEST(TestOptionsWindow)
#include "tst_OptionsWindow.moc"
