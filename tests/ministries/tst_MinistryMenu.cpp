// The main menu's ministry items: each opens its window, the entry windows after the level 3
// password, the setup window modal.

#include "MinistriesFixture.h"
#include "app/vtxMenuTable.h"
#include "app/vtxOptionsU.h"
#include "app/vtxPasswordsU.h"
#include "ministries/vtxLayMinistriesEditF.h"
#include "ministries/vtxLayMinistriesRostersView.h"
#include "ministries/vtxLayMinistriesSetupF.h"
#include "ministries/vtxLayMinistriesViewF.h"

#include <QDialog>

class TestMinistryMenu : public QObject {
    Q_OBJECT

    MinistriesFixture fx;

private slots:
    void init() {
        fx.OpenParish();
        // A level 3 password in force, as if read at start-up.
        ProgramFolder = fx.WorkingFolder();
        AccessRecord = FreshAccessRecord();
        SetPassword(AccessRecord, 3, "Pw3");
        QVERIFY(WriteAccessFile());
        QVERIFY(ReadAccessFile());
        Dialogs::ClearScript();
    }
    void cleanup() { fx.Close(); }

    void theMenuOpensTheMinistryWindows_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("windowClass");
        QTest::addColumn<bool>("password");
        QTest::addColumn<bool>("modal");
        QTest::newRow("Files, Lay Ministries") << "LayMinistriesData1"
                                               << "TEditLayMinistriesForm" << true << false;
        QTest::newRow("Lay Ministries") << "LayMinistries1"
                                        << "TLayMinistriesViewForm" << false << false;
        QTest::newRow("Reports, Lay Ministry Rosters")
            << "LayMinistryRosters1"
            << "TLayMinistriesRostersViewForm" << false << false;
        QTest::newRow("Utilities, Lay Ministries Setup")
            << "LayMinistriesSetup1"
            << "TLayMinistriesSetupForm" << true << true;
    }

    void theMenuOpensTheMinistryWindows() {
        QFETCH(QString, item);
        QFETCH(QString, windowClass);
        QFETCH(bool, password);
        QFETCH(bool, modal);
        const TMenuRow* row = FindMenuRow(item);
        QVERIFY(row);
        QVERIFY(IsWindowRegistered(windowClass));
        if (password) {
            // A wrong password opens nothing.
            Dialogs::QueueInput(true, "pw3");
            QCOMPARE(RunMenuRow(*row, nullptr), TMenuOutcome::Refused);
            Dialogs::QueueInput(true, "Pw3");
        }
        QString shownModal;
        if (modal)
            Dialogs::QueueModal([&shownModal](QDialog* dialog) {
                shownModal = dialog->metaObject()->className();
                return int(QDialog::Rejected);
            });
        QCOMPARE(RunMenuRow(*row, nullptr), TMenuOutcome::WindowShown);
        if (modal) {
            QCOMPARE(shownModal, windowClass);
        } else {
            QWidget* window = LatestWindow(windowClass);
            QVERIFY(window && window->isVisible());
            QCOMPARE(window->metaObject()->className(), windowClass.toLatin1());
        }
    }
};

VTX_REGISTER_TEST(TestMinistryMenu)
#include "tst_MinistryMenu.moc"
