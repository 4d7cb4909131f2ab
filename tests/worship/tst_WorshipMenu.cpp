// The main menu's worship and music items open their windows, after the administrative
// password where the menu asks for it, modeless or modal as the menu says.

#include "WorshipFixture.h"
#include "app/vtxMenuTable.h"
#include "app/vtxOptionsU.h"
#include "app/vtxPasswordsU.h"

#include <QDialog>
#include <QPointer>

namespace {

// The newest visible top-level window of a class, owned by the owner.
QWidget* OpenedWindow(QWidget* owner, const QString& className) {
    for (QWidget* w : owner->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->isWindow() && w->isVisible() && className == w->metaObject()->className())
            return w;
    return nullptr;
}

} // namespace

class TestWorshipMenu : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        m_f.Create();
        m_f.Start();
        m_owner = new QWidget;
        TAccessRecord record = FreshAccessRecord();
        SetPassword(record, 3, "Pw3");
        m_saved = PasswordsInForce;
        m_savedRead = AccessFileRead;
        PasswordsInForce = record;
        AccessFileRead = true;
    }
    void cleanup() {
        delete m_owner;
        PasswordsInForce = m_saved;
        AccessFileRead = m_savedRead;
        m_f.Close();
    }

    void windowsOfTheMenu_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("className");
        QTest::addColumn<bool>("password");
        QTest::newRow("Files, Music Library") << "MusicLibrary1"
                                              << "TMusicLibraryForm" << true;
        QTest::newRow("Files, Worship Data Entry") << "Worship2"
                                                   << "TWorshipDataEntryForm" << true;
        QTest::newRow("Utilities, Worship Orders Setup") << "WorshipOrdersSetup1"
                                                         << "TWorshipOrderSetupForm" << true;
        QTest::newRow("Utilities, Year Planner Calendar") << "YearPlannerCalendar1"
                                                          << "TYearPlannerForm" << false;
        QTest::newRow("Worship") << "Worship1"
                                 << "TWorshipFiledOrdersForm" << false;
    }

    void windowsOfTheMenu() {
        QFETCH(QString, item);
        QFETCH(QString, className);
        QFETCH(bool, password);
        const TMenuRow* row = FindMenuRow(item);
        QVERIFY(row);
        if (password) {
            // A wrong password opens nothing; the right one opens the window.
            Dialogs::QueueInput(true, "pw3");
            QCOMPARE(RunMenuRow(*row, m_owner), TMenuOutcome::Refused);
            QVERIFY(!OpenedWindow(m_owner, className));
            Dialogs::QueueInput(true, "Pw3");
        }
        QCOMPARE(RunMenuRow(*row, m_owner), TMenuOutcome::WindowShown);
        QWidget* window = OpenedWindow(m_owner, className);
        QVERIFY(window);
        QVERIFY(!window->isModal());
        QVERIFY(window->testAttribute(Qt::WA_DeleteOnClose));
    }

    void musicLibraryReportOfTheMenu() {
        const TMenuRow* row = FindMenuRow("MusicLibrary2");
        QVERIFY(row);
        QString caption;
        Dialogs::QueueModal([&](QDialog* preview) {
            caption = preview->windowTitle();
            return int(QDialog::Rejected);
        });
        QCOMPARE(RunMenuRow(*row, m_owner), TMenuOutcome::ReportShown);
        QCOMPARE(caption, QString("Music Library"));
        QCOMPARE(m_f.Messages(), QStringList());
    }

private:
    WorshipFixture m_f;
    QPointer<QWidget> m_owner;
    TAccessRecord m_saved;
    bool m_savedRead = false;
};

VTX_REGISTER_TEST(TestWorshipMenu)
#include "tst_WorshipMenu.moc"
