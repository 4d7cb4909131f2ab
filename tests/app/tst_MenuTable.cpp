// The main menu: every item with its caption, object name, place, order, separators,
// password level, active-record check and how its window is shown; and the menu bar
// the main window builds from it.
#include "AppFixture.h"
#include "app/vtxMainF.h"

#include <QMenu>
#include <QMenuBar>

namespace {

// One item of the main menu as the program's documentation lists it. Separators
// have the caption "-" and no object name.
struct Expected {
    const char* menu; // "" for the menu bar
    const char* object;
    const char* caption;
    const char* target; // window or report class; "submenu", "exit", "help"
    int report;
    int level;
    bool activeRecord;
    const char* shown; // "modeless", "modal", "preview", ""
};

const Expected kMenu[] = {
    {"", "Files1", "&Files", "submenu", 0, 0, false, ""},
    {"Files1", "EditMembers1", "&Roster (Basic Data) Entry", "TRosterEditForm", 0, 3, false,
     "modeless"},
    {"Files1", "", "-", "", 0, 0, false, ""},
    {"Files1", "EditBirthData1", "&Births", "TBirthEditForm", 0, 3, false, "modeless"},
    {"Files1", "EditBAptismData1", "B&aptisms", "TEditBaptismForm", 0, 3, true, "modeless"},
    {"Files1", "LayMinistriesData1", "&Lay Ministries", "TEditLayMinistriesForm", 0, 3, false,
     "modeless"},
    {"Files1", "EditMarriageData1", "&Marriages", "TEditMarriageForm", 0, 3, true, "modeless"},
    {"Files1", "EditPassingData1", "&Passing", "TEditPassingForm", 0, 3, false, "modeless"},
    {"Files1", "", "-", "", 0, 0, false, ""},
    {"Files1", "MusicLibrary1", "Music L&ibrary", "TMusicLibraryForm", 0, 3, false, "modeless"},
    {"Files1", "", "-", "", 0, 0, false, ""},
    {"Files1", "Stewardship1", "Stewardship - &Envelopes", "TStewardshipDataEntryForm", 0, 1, false,
     "modeless"},
    {"Files1", "StewardshipLoose1", "Stewardship - &Loose Offering", "TOfferingDataEntryForm", 0, 1,
     false, "modeless"},
    {"Files1", "", "-", "", 0, 0, false, ""},
    {"Files1", "UshersData1", "&Usher", "TUsherDataEditForm", 0, 2, false, "modal"},
    {"Files1", "", "-", "", 0, 0, false, ""},
    {"Files1", "Worship2", "&Worship Data Entry", "TWorshipDataEntryForm", 0, 3, false, "modeless"},
    {"Files1", "", "-", "", 0, 0, false, ""},
    {"Files1", "EXitVestrix1", "E&xit Vestrix", "exit", 0, 0, false, ""},
    {"", "Roster1", "&Roster", "TRosterViewForm", 0, 0, false, "modeless"},
    {"", "BIIrths1", "B&irths", "TBirthViewForm", 0, 0, false, "modeless"},
    {"", "Baptisms1", "&Baptisms", "TBaptismViewForm", 0, 0, false, "modeless"},
    {"", "LayMinistries1", "&Lay Ministries", "TLayMinistriesViewForm", 0, 0, false, "modeless"},
    {"", "Marriages1", "&Marriages", "TMarriageViewForm", 0, 0, false, "modeless"},
    {"", "Passings1", "&Passing", "TViewPassingForm", 0, 0, false, "modeless"},
    {"", "REports1", "R&eports", "submenu", 0, 0, false, ""},
    {"REports1", "Attendance1", "&Attendance", "TAttendanceChartForm", 0, 0, false, "modeless"},
    {"REports1", "", "-", "", 0, 0, false, ""},
    {"REports1", "EnvelopeAssignments1", "&Envelope Assignments", "TEnvelopeAssignmentsReport", 4,
     0, false, "preview"},
    {"REports1", "EnvelopeAssignmentswithPledge1", "Envelope Assignments with &Pledge",
     "TEnvelopeAssignmentsReport", 5, 1, false, "preview"},
    {"REports1", "", "-", "", 0, 0, false, ""},
    {"REports1", "LayMinistryRosters1", "&Lay Ministry Rosters", "TLayMinistriesRostersViewForm", 0,
     0, false, "modeless"},
    {"REports1", "", "-", "", 0, 0, false, ""},
    {"REports1", "MusicLibrary2", "&Music Library", "TMusicLibraryReport", 6, 0, false, "preview"},
    {"REports1", "", "-", "", 0, 0, false, ""},
    {"REports1", "RosterNameandAddress1", "Roster - &Name, Address", "TRosterAddressReport", 1, 0,
     false, "preview"},
    {"REports1", "RosterNameAddressPhone1", "Roster - Name, Address, &Phone",
     "TRosterAddressReport", 2, 0, false, "preview"},
    {"REports1", "RosterPhoneList1", "Roster - Phone &List", "TRosterListsReport", 3, 0, false,
     "preview"},
    {"REports1", "", "-", "", 0, 0, false, ""},
    {"REports1", "StewardshipQuarterlyStatement1", "Stewardship - &Quarterly Pledge Summary",
     "TQuarterlyReport", 7, 1, false, "preview"},
    {"REports1", "", "-", "", 0, 0, false, ""},
    {"REports1", "UshersReport1", "&Usher's Reports Grid View", "TUsherReportsViewForm", 0, 0,
     false, "modeless"},
    {"REports1", "", "-", "", 0, 0, false, ""},
    {"REports1", "VitalStatistics1", "&Vital Statistics at a Glance", "TVitalStatsForm", 0, 0,
     false, "modeless"},
    {"", "Utilities1", "&Utilities", "submenu", 0, 0, false, ""},
    {"Utilities1", "BackupDatabase1", "Database &Backup", "TBackupForm", 0, 3, false, "modal"},
    {"Utilities1", "DatabaseCleanup1", "Database &Cleanup", "TDBCleanupForm", 0, 3, false, "modal"},
    {"Utilities1", "DatabaseMaintenance1", "&Database Maintenance", "TRepairForm", 0, 3, false,
     "modal"},
    {"Utilities1", "", "-", "", 0, 0, false, ""},
    {"Utilities1", "LayMinistriesSetup1", "&Lay Ministries Setup", "TLayMinistriesSetupForm", 0, 3,
     false, "modal"},
    {"Utilities1", "ProgramOptionsSetup1", "&Program Options Setup", "TProgramOptionsSetupForm", 0,
     3, false, "modeless"},
    {"Utilities1", "WorshipOrdersSetup1", "&Worship Orders Setup", "TWorshipOrderSetupForm", 0, 3,
     false, "modeless"},
    {"Utilities1", "", "-", "", 0, 0, false, ""},
    {"Utilities1", "YearPlannerCalendar1", "&Year Planner Calendar", "TYearPlannerForm", 0, 0,
     false, "modeless"},
    {"", "Worship1", "&Worship", "TWorshipFiledOrdersForm", 0, 0, false, "modeless"},
    {"", "Help1", "&Help", "submenu", 0, 0, false, ""},
    {"Help1", "AboutVestrix1", "&About Vestrix", "TAboutForm", 0, 0, false, "modal"},
    {"Help1", "ContactQuillfenSoftware1", "Contact &Quillfen Software", "TContactForm", 0, 0, false,
     "modal"},
    {"Help1", "", "-", "", 0, 0, false, ""},
    {"Help1", "HelpWithUsingVestrix1", "&Help With &Using Vestrix", "help", 0, 0, false, ""},
};
constexpr int kMenuRows = int(std::size(kMenu));

QString TargetOf(const TMenuRow& row) {
    switch (row.kind) {
    case TMenuItemKind::Submenu:
        return "submenu";
    case TMenuItemKind::Exit:
        return "exit";
    case TMenuItemKind::Help:
        return "help";
    default:
        return row.target;
    }
}

QString ShownOf(const TMenuRow& row) {
    switch (row.show) {
    case TShowMode::Modeless:
        return "modeless";
    case TShowMode::Modal:
        return "modal";
    case TShowMode::Preview:
        return "preview";
    case TShowMode::None:
        break;
    }
    return "";
}

// "object|caption" of each action of a menu, "-" for a separator.
QStringList Items(const QList<QAction*>& actions) {
    QStringList items;
    for (const QAction* action : actions)
        items << (action->isSeparator() ? QString("-")
                                        : action->objectName() + "|" + action->text());
    return items;
}

} // namespace

class TestMenuTable : public QObject {
    Q_OBJECT
    AppFixture fx;

private slots:
    void init() { fx.Setup(); }
    void cleanup() { fx.Cleanup(); }

    void rowsFollowTheMenuList_data() {
        QTest::addColumn<int>("index");
        for (int i = 0; i < kMenuRows; ++i)
            QTest::addRow("%02d %s", i, *kMenu[i].object ? kMenu[i].object : "separator") << i;
    }
    void rowsFollowTheMenuList() {
        QFETCH(int, index);
        const Expected& e = kMenu[index];
        QVERIFY(index < MainMenuTable().size());
        const TMenuRow& row = MainMenuTable().at(index);
        QCOMPARE(row.menu, QString(e.menu));
        QCOMPARE(row.objectName, QString(e.object));
        QCOMPARE(row.caption, QString(e.caption));
        QCOMPARE(row.kind == TMenuItemKind::Separator, QString(e.caption) == "-");
        QCOMPARE(TargetOf(row), QString(e.target));
        QCOMPARE(row.reportKind, e.report);
        QCOMPARE(row.accessLevel, e.level);
        QCOMPARE(row.activeRecordCheck, e.activeRecord);
        QCOMPARE(ShownOf(row), QString(e.shown));
        QCOMPARE(row.kind == TMenuItemKind::Report, e.report > 0);
    }

    void tableHasNoOtherRows() {
        QCOMPARE(MainMenuTable().size(), qsizetype(kMenuRows));
        QVERIFY(!FindMenuRow(""));
        QVERIFY(!FindMenuRow("NoSuchItem1"));
        QCOMPARE(FindMenuRow("RosterPhoneList1")->reportKind, 3);
    }

    // The menu bar of the main window shows the same items in the same places.
    void menuBarIsBuiltFromTheTable() {
        TMainForm form;
        QCOMPARE(form.objectName(), QString("MainForm"));
        QCOMPARE(form.VTX2MainMenu->objectName(), QString("VTX2MainMenu"));

        QStringList bar;
        QHash<QString, QStringList> submenus;
        for (const Expected& e : kMenu) {
            if (!*e.menu)
                bar << QString(e.object) + "|" + e.caption;
            else
                submenus[e.menu] << (QString(e.caption) == "-"
                                         ? QString("-")
                                         : QString(e.object) + "|" + e.caption);
        }
        QCOMPARE(Items(form.VTX2MainMenu->actions()), bar);
        for (const QString name : {"Files1", "REports1", "Utilities1", "Help1"}) {
            QMenu* menu = form.Submenu(name);
            QVERIFY2(menu, qPrintable(name));
            QCOMPARE(menu->objectName(), name);
            QCOMPARE(Items(menu->actions()), submenus.value(name));
        }
        QVERIFY(!form.Submenu("Roster1"));
        QCOMPARE(form.MenuItem("Roster1")->menu(), nullptr);
        QCOMPARE(form.MenuItem("Files1")->menu(), form.Submenu("Files1"));
    }

    void mainWindowAsItOpens() {
        TMainForm form;
        QCOMPARE(form.windowTitle(), QString("Vestrix 2 "));
        QCOMPARE(form.size(), QSize(870, 640));
        QVERIFY(qobject_cast<TGradientBackground*>(form.centralWidget()));
        QCOMPARE(form.JvGradient1->objectName(), QString("JvGradient1"));
        QCOMPARE(form.JvGradient1->Steps, 100);
        QCOMPARE(form.JvGradient1->StepColor(0), QColor(0x80, 0, 0));
        QCOMPARE(form.JvGradient1->StepColor(99), QColor(Qt::black));
        QCOMPARE(form.JvGradient1->StepColor(50), QColor(64, 0, 0));
        // The gradient runs left to right: the left edge is maroon, the right edge black.
        TGradientBackground gradient;
        gradient.resize(400, 100);
        const QImage image = gradient.grab().toImage();
        QCOMPARE(QColor(image.pixel(0, 50)), QColor(0x80, 0, 0));
        QCOMPARE(QColor(image.pixel(399, 50)), QColor(Qt::black));
        QCOMPARE(QColor(image.pixel(200, 0)), QColor(image.pixel(200, 99)));
    }
};

VTX_REGISTER_TEST(TestMenuTable)
#include "tst_MenuTable.moc"
