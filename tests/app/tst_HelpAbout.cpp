// The Help menu: the user guide in the help window, the question when the help file
// cannot be found, and the About and Contact windows.
#include "AppFixture.h"
#include "app/vtxAboutF.h"
#include "app/vtxContactF.h"
#include "app/vtxHelpF.h"
#include "app/vtxMainF.h"
#include "app/vtxPasswordsF.h"

#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>
#include <QWindow>

namespace {

const QString kNotFound = "Could not find help file.  Search yourself?";

QString GuideSource() {
    return QFINDTESTDATA("../../docs/Vestrix2.hlp");
}

void CloseHelp() {
    if (THelpForm* form = OpenHelpForm())
        delete form;
}

} // namespace

class TestHelp : public QObject {
    Q_OBJECT
    AppFixture fx;

private slots:
    void init() {
        fx.Setup();
        HelpFile = fx.Path("Vestrix2.hlp");
    }
    void cleanup() {
        CloseHelp();
        fx.Cleanup();
    }

    void guideOpensInTheHelpWindow() {
        QVERIFY(!GuideSource().isEmpty());
        QVERIFY(QFile::copy(GuideSource(), HelpFile));
        TMainForm form;
        form.MenuItem("HelpWithUsingVestrix1")->trigger();
        QVERIFY(Dialogs::ShownLog().isEmpty());
        THelpForm* help = OpenHelpForm();
        QVERIFY(help && help->isVisible());
        QCOMPARE(help->FileName(), HelpFile);
        QCOMPARE(help->parentWidget(), &form);
        QCOMPARE(help->windowTitle(), QString("Vestrix User Guide"));
        const QString text = help->HelpBrowser->toPlainText();
        for (const char* chapter :
             {"1. Starting Vestrix", "2. The roster", "3. Passwords", "4. Backups",
              "5. Pastoral records", "6. Lay ministries", "7. Worship and music", "8. Stewardship",
              "9. Ushers and attendance", "10. Utilities"})
            QVERIFY2(text.contains(chapter), chapter);
        // Following a link of the contents and coming back.
        help->HelpBrowser->setSource(QUrl("#passwords"));
        QVERIFY(help->BackBtn->isEnabled());
        help->BackBtn->click();
        QVERIFY(!help->BackBtn->isEnabled());
        // A second help command uses the same window.
        form.HelpWithUsingVestrixClick();
        QCOMPARE(OpenHelpForm(), help);
    }

    // The help file is missing: the question; No ends the command, Yes shows the
    // file-open dialog, whose file is shown when one is chosen.
    void missingHelpFileAsks_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("chooseGuide");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<bool>("helpShown");
        QTest::newRow("No") << int(Dialogs::No) << false << QStringList{"message: " + kNotFound}
                            << false;
        QTest::newRow("Yes, cancelled") << int(Dialogs::Yes) << false
                                        << QStringList{"message: " + kNotFound, "open: "} << false;
        QTest::newRow("Yes, a file chosen")
            << int(Dialogs::Yes) << true << QStringList{"message: " + kNotFound, "open: "} << true;
    }
    void missingHelpFileAsks() {
        QFETCH(int, button);
        QFETCH(bool, chooseGuide);
        QFETCH(QStringList, shown);
        QFETCH(bool, helpShown);
        Dialogs::QueueButton(button);
        Dialogs::QueueFile(chooseGuide ? GuideSource() : QString());
        HelpWithUsingVestrix();
        shown.replaceInStrings(QRegularExpression("^open: $"), "open: " + ProgramFolder);
        QCOMPARE(ShownKindsAndTexts(), shown);
        const Dialogs::Shown& question = Dialogs::ShownLog().first();
        QCOMPARE(question.icon, Dialogs::Icon::Information);
        QCOMPARE(question.buttons, Dialogs::Yes | Dialogs::No);
        QCOMPARE(OpenHelpForm() != nullptr, helpShown);
    }

    // Help asked for from the modal Change Passwords window can be used while it is open:
    // a click on the guide's Back button reaches it.
    void helpFromAModalWindowCanBeUsed() {
        QVERIFY(QFile::copy(GuideSource(), HelpFile));
        TMainForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        TPasswordsForm passwords(&form);
        passwords.setWindowModality(Qt::ApplicationModal); // as the menu shows it
        passwords.show();
        QVERIFY(QTest::qWaitForWindowExposed(&passwords));
        passwords.HelpBtn->click();
        THelpForm* help = OpenHelpForm();
        QVERIFY(help && help->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(help));
        help->HelpBrowser->setSource(QUrl("#passwords"));
        QVERIFY(help->BackBtn->isEnabled());
        QTest::mouseClick(help->windowHandle(), Qt::LeftButton, {},
                          help->BackBtn->mapTo(help, help->BackBtn->rect().center()));
        QTRY_VERIFY(!help->BackBtn->isEnabled());
        QVERIFY(passwords.isVisible());
        QVERIFY(Dialogs::ShownLog().isEmpty());
    }

    // The password window's Help button runs the main window's help command.
    void passwordWindowHelpIsTheSame() {
        TMainForm form;
        QVERIFY(TPasswordsForm::HelpCommand);
        TPasswordsForm passwords(&form);
        Dialogs::QueueButton(Dialogs::No);
        passwords.HelpBtn->click();
        QCOMPARE(ShownKindsAndTexts(), QStringList{"message: " + kNotFound});
    }
};

class TestAboutContact : public QObject {
    Q_OBJECT
    AppFixture fx;
    std::function<bool(const QUrl&)> savedOpenUrl;

private slots:
    void init() {
        fx.Setup();
        savedOpenUrl = TContactForm::OpenUrl;
    }
    void cleanup() {
        TContactForm::OpenUrl = savedOpenUrl;
        fx.Cleanup();
    }

    void aboutShowsTheVersionInformation() {
        TAboutForm form;
        QCOMPARE(form.windowTitle(), QString("About Vestrix..."));
        QCOMPARE(form.size(), QSize(817, 366));
        QCOMPARE(form.ProductNameLabel->text(), QString("Vestrix"));
        QCOMPARE(form.VersionLabel->text(), QString("Version: " VTX_VERSION));
        QCOMPARE(form.InstallPathLabel->text(), "Installed in:  " + ProgramFolder);
        QVERIFY(form.LegalCopyrightLabel->text().contains("Quillfen Software"));
        QVERIFY(!form.CommentsLabel->text().isEmpty());
        QCOMPARE(form.QuillfenLabel->text(), QString("Quillfen Software's"));
        for (QLabel* label : {form.QuillfenLabel, form.ProductNameLabel, form.VersionLabel,
                              form.LegalCopyrightLabel, form.CommentsLabel, form.InstallPathLabel})
            QVERIFY(label->alignment() & Qt::AlignHCenter);
        QCOMPARE(form.ProgramIcon->size(), QSize(49, 49));
    }

    // A double click on the dedication starts it scrolling upward, a step every 200
    // ms, over and over.
    void dedicationScrollsOnDoubleClick() {
        TAboutForm form;
        form.show();
        TScrollingText* panel = form.DedicationPanel;
        QCOMPARE(panel->Lines().size(), 8);
        QCOMPARE(form.ScrollTimer->interval(), 200);
        QVERIFY(!form.ScrollTimer->isActive());
        QCOMPARE(panel->Offset(), 0);
        QTest::mouseDClick(panel, Qt::LeftButton);
        QVERIFY(form.ScrollTimer->isActive());
        QTRY_VERIFY_WITH_TIMEOUT(panel->Offset() <= -2 * TScrollingText::StepPixels, 3000);
        form.ScrollTimer->stop();
        // Once the last line has left the top, the text comes in again at the bottom.
        const int steps = (panel->TextHeight() + panel->Offset() + TScrollingText::StepPixels - 1) /
                          TScrollingText::StepPixels;
        for (int i = 0; i < steps; ++i)
            form.ScrollTimerTimer();
        QCOMPARE(panel->Offset(), panel->height());
        form.ScrollTimerTimer();
        QCOMPARE(panel->Offset(), panel->height() - TScrollingText::StepPixels);
    }

    void logoClickCloses_data() {
        QTest::addColumn<QString>("logo");
        QTest::newRow("Qt") << "QtLogo";
        QTest::newRow("SQLite") << "SqliteLogo";
    }
    void logoClickCloses() {
        QFETCH(QString, logo);
        QPointer<TAboutForm> form = new TAboutForm;
        form->show();
        QTest::mouseClick(form->findChild<QWidget*>(logo), Qt::LeftButton);
        QTRY_VERIFY(form.isNull());
    }

    // The Help menu shows both windows modally through the facade.
    void helpMenuShowsThemModal() {
        TMainForm form;
        QStringList seen;
        Dialogs::SetDefaultModalHandler([&](QDialog* dialog) {
            seen << dialog->windowTitle() + "|" + dialog->objectName();
            return int(QDialog::Rejected);
        });
        form.MenuItem("AboutVestrix1")->trigger();
        form.MenuItem("ContactQuillfenSoftware1")->trigger();
        Dialogs::SetDefaultModalHandler(nullptr);
        QCOMPARE(seen, (QStringList{"About Vestrix...|AboutForm", " |ContactForm"}));
        QTRY_VERIFY(form.findChildren<QDialog*>().isEmpty());
    }

    void contactOpensTheWebAddress() {
        QList<QUrl> opened;
        TContactForm::OpenUrl = [&](const QUrl& url) {
            opened << url;
            return true;
        };
        TContactForm form;
        QCOMPARE(form.size(), QSize(449, 194));
        QCOMPARE(form.windowTitle().trimmed(), QString());
        for (QLabel* line : {form.NameLabel, form.StreetLabel, form.TownLabel, form.TelephoneLabel,
                             form.FacsimileLabel})
            QVERIFY(!line->text().isEmpty() && line->font().bold());
        QVERIFY(form.NameLabel->font().pointSize() > form.StreetLabel->font().pointSize());
        QVERIFY(form.WebAddressLabel->font().underline());
        form.show();
        QTest::mouseClick(form.WebAddressLabel, Qt::LeftButton);
        QCOMPARE(opened, QList<QUrl>{TContactForm::WebAddress()});
        QTest::mouseClick(form.NameLabel, Qt::LeftButton);
        QCOMPARE(opened.size(), 1);
    }
};

VTX_REGISTER_TEST(TestHelp)
VTX_REGISTER_TEST(TestAboutContact)
#include "tst_HelpAbout.moc"
