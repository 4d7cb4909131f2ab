#include "app/vtxMenuTable.h"

#include "app/vtxPasswordsU.h"
#include "data/vtxDataM.h"
#include "data/vtxGlobalsU.h"
#include "toolkit/Dialogs.h"

#include <QDialog>

namespace {

using K = TMenuItemKind;
using S = TShowMode;

TMenuRow Submenu(const char* object, const char* caption) {
    return {object, caption, {}, K::Submenu, {}, 0, 0, false, S::None};
}
TMenuRow Separator(const char* menu) {
    return {{}, QStringLiteral("-"), menu, K::Separator, {}, 0, 0, false, S::None};
}
TMenuRow Window(const char* menu, const char* object, const char* caption, const char* form,
                int level, S show, bool activeRecord = false) {
    return {object, caption, menu, K::Window, form, 0, level, activeRecord, show};
}
// What the menu reports leave on the shared roster: the roster lists walk it in last-name
// order and leave it in record-number order again, the active record where the walk ended;
// the envelope lists link it to the envelopes and leave it without a link.
const TTableKeeper::Leave RosterInRecordOrder{.order = QStringLiteral("RecordNumber")};
const TTableKeeper::Leave RosterUnlinked{.unlinked = true};

TMenuRow Report(const char* object, const char* caption, int kind, const char* report, int level,
                TTableKeeper::Leave rosterAfter = {}, bool asksQuarter = false) {
    return {object, caption, "REports1", K::Report,   report,     kind,
            level,  false,   S::Preview, asksQuarter, rosterAfter};
}

QList<TMenuRow> BuildMainMenuTable() {
    const char* files = "Files1";
    const char* reports = "REports1";
    const char* utilities = "Utilities1";
    const char* help = "Help1";
    const char* bar = "";
    return {
        Submenu("Files1", "&Files"),
        Window(files, "EditMembers1", "&Roster (Basic Data) Entry", "TRosterEditForm", 3,
               S::Modeless),
        Separator(files),
        Window(files, "EditBirthData1", "&Births", "TBirthEditForm", 3, S::Modeless),
        Window(files, "EditBAptismData1", "B&aptisms", "TEditBaptismForm", 3, S::Modeless, true),
        Window(files, "LayMinistriesData1", "&Lay Ministries", "TEditLayMinistriesForm", 3,
               S::Modeless),
        Window(files, "EditMarriageData1", "&Marriages", "TEditMarriageForm", 3, S::Modeless, true),
        Window(files, "EditPassingData1", "&Passing", "TEditPassingForm", 3, S::Modeless),
        Separator(files),
        Window(files, "MusicLibrary1", "Music L&ibrary", "TMusicLibraryForm", 3, S::Modeless),
        Separator(files),
        Window(files, "Stewardship1", "Stewardship - &Envelopes", "TStewardshipDataEntryForm", 1,
               S::Modeless),
        Window(files, "StewardshipLoose1", "Stewardship - &Loose Offering",
               "TOfferingDataEntryForm", 1, S::Modeless),
        Separator(files),
        Window(files, "UshersData1", "&Usher", "TUsherDataEditForm", 2, S::Modal),
        Separator(files),
        Window(files, "Worship2", "&Worship Data Entry", "TWorshipDataEntryForm", 3, S::Modeless),
        Separator(files),
        {"EXitVestrix1", "E&xit Vestrix", files, K::Exit, {}, 0, 0, false, S::None},

        Window(bar, "Roster1", "&Roster", "TRosterViewForm", 0, S::Modeless),
        Window(bar, "BIIrths1", "B&irths", "TBirthViewForm", 0, S::Modeless),
        Window(bar, "Baptisms1", "&Baptisms", "TBaptismViewForm", 0, S::Modeless),
        Window(bar, "LayMinistries1", "&Lay Ministries", "TLayMinistriesViewForm", 0, S::Modeless),
        Window(bar, "Marriages1", "&Marriages", "TMarriageViewForm", 0, S::Modeless),
        Window(bar, "Passings1", "&Passing", "TViewPassingForm", 0, S::Modeless),

        Submenu("REports1", "R&eports"),
        Window(reports, "Attendance1", "&Attendance", "TAttendanceChartForm", 0, S::Modeless),
        Separator(reports),
        Report("EnvelopeAssignments1", "&Envelope Assignments", 4, "TEnvelopeAssignmentsReport", 0,
               RosterUnlinked),
        Report("EnvelopeAssignmentswithPledge1", "Envelope Assignments with &Pledge", 5,
               "TEnvelopeAssignmentsReport", 1, RosterUnlinked),
        Separator(reports),
        Window(reports, "LayMinistryRosters1", "&Lay Ministry Rosters",
               "TLayMinistriesRostersViewForm", 0, S::Modeless),
        Separator(reports),
        Report("MusicLibrary2", "&Music Library", 6, "TMusicLibraryReport", 0),
        Separator(reports),
        Report("RosterNameandAddress1", "Roster - &Name, Address", 1, "TRosterAddressReport", 0,
               RosterInRecordOrder),
        Report("RosterNameAddressPhone1", "Roster - Name, Address, &Phone", 2,
               "TRosterAddressReport", 0, RosterInRecordOrder),
        Report("RosterPhoneList1", "Roster - Phone &List", 3, "TRosterListsReport", 0,
               RosterInRecordOrder),
        Separator(reports),
        Report("StewardshipQuarterlyStatement1", "Stewardship - &Quarterly Pledge Summary", 7,
               "TQuarterlyReport", 1, {}, true),
        Separator(reports),
        Window(reports, "UshersReport1", "&Usher's Reports Grid View", "TUsherReportsViewForm", 0,
               S::Modeless),
        Separator(reports),
        Window(reports, "VitalStatistics1", "&Vital Statistics at a Glance", "TVitalStatsForm", 0,
               S::Modeless),

        Submenu("Utilities1", "&Utilities"),
        Window(utilities, "BackupDatabase1", "Database &Backup", "TBackupForm", 3, S::Modal),
        Window(utilities, "DatabaseCleanup1", "Database &Cleanup", "TDBCleanupForm", 3, S::Modal),
        Window(utilities, "DatabaseMaintenance1", "&Database Maintenance", "TRepairForm", 3,
               S::Modal),
        Separator(utilities),
        Window(utilities, "LayMinistriesSetup1", "&Lay Ministries Setup", "TLayMinistriesSetupForm",
               3, S::Modal),
        Window(utilities, "ProgramOptionsSetup1", "&Program Options Setup",
               "TProgramOptionsSetupForm", 3, S::Modeless),
        Window(utilities, "WorshipOrdersSetup1", "&Worship Orders Setup", "TWorshipOrderSetupForm",
               3, S::Modeless),
        Separator(utilities),
        Window(utilities, "YearPlannerCalendar1", "&Year Planner Calendar", "TYearPlannerForm", 0,
               S::Modeless),

        Window(bar, "Worship1", "&Worship", "TWorshipFiledOrdersForm", 0, S::Modeless),

        Submenu("Help1", "&Help"),
        Window(help, "AboutVestrix1", "&About Vestrix", "TAboutForm", 0, S::Modal),
        Window(help, "ContactQuillfenSoftware1", "Contact &Quillfen Software", "TContactForm", 0,
               S::Modal),
        Separator(help),
        {"HelpWithUsingVestrix1",
         "&Help With &Using Vestrix",
         help,
         K::Help,
         {},
         0,
         0,
         false,
         S::None},
    };
}

bool PassesChecks(const TMenuRow& row, TMenuOutcome& outcome) {
    if (row.accessLevel > 0 && !CheckAccessPassword(row.accessLevel)) {
        outcome = TMenuOutcome::Refused;
        return false;
    }
    if (row.activeRecordCheck && !CheckActiveRecord()) {
        outcome = TMenuOutcome::NoActiveRecord;
        return false;
    }
    return true;
}

TMenuOutcome OpenWindow(const TMenuRow& row, QWidget* owner) {
    const TWindowFactory factory = WindowFactory(row.target);
    if (!factory) {
        Dialogs::Message(NotAvailableText, Dialogs::Icon::Information);
        return TMenuOutcome::NotAvailable;
    }
    TMenuOutcome refused;
    if (!PassesChecks(row, refused))
        return refused;
    QPointer<QWidget> window = factory(owner);
    if (!window)
        return TMenuOutcome::NotRun;
    RememberLatestWindow(row.target, window);
    auto* dialog = qobject_cast<QDialog*>(window.data());
    if (row.show == TShowMode::Modal && dialog) {
        Dialogs::ShowModal(dialog);
        // A modal window is gone once it has closed, whether or not it freed itself.
        delete window.data();
    } else {
        window->show();
        window->raise();
        window->activateWindow();
    }
    return TMenuOutcome::WindowShown;
}

TMenuOutcome ProduceReport(const TMenuRow& row, QWidget* owner) {
    const TReportRunner runner = ReportRunner(row.reportKind);
    if (!runner) {
        Dialogs::Message(NotAvailableText, Dialogs::Icon::Information);
        return TMenuOutcome::NotAvailable;
    }
    TMenuOutcome refused;
    if (!PassesChecks(row, refused))
        return refused;
    ReportKind = row.reportKind;
    if (row.asksQuarter && !AskReportQuarter())
        return TMenuOutcome::NoReport;
    // The report may reorder, relink and walk the shared roster: it is left as the row
    // states, also when the report fails half way.
    TTableKeeper keeper(DataMod ? DataMod->RosterT : nullptr, row.rosterAfter);
    runner(owner);
    return TMenuOutcome::ReportShown;
}

} // namespace

const QList<TMenuRow>& MainMenuTable() {
    static const QList<TMenuRow> table = BuildMainMenuTable();
    return table;
}

const TMenuRow* FindMenuRow(const QString& objectName) {
    if (objectName.isEmpty())
        return nullptr;
    for (const TMenuRow& row : MainMenuTable())
        if (row.objectName == objectName)
            return &row;
    return nullptr;
}

TMenuOutcome RunMenuRow(const TMenuRow& row, QWidget* owner) {
    switch (row.kind) {
    case TMenuItemKind::Window:
        return OpenWindow(row, owner);
    case TMenuItemKind::Report:
        return ProduceReport(row, owner);
    default:
        return TMenuOutcome::NotRun;
    }
}

bool AskReportQuarter() {
    const QString answer =
        Dialogs::InputBox(QStringLiteral("Report Period"), QStringLiteral("Which quarter (1-4)?"),
                          QStringLiteral("0"));
    ReportQuarter = answer.left(1);
    const QChar digit = ReportQuarter.isEmpty() ? QChar() : ReportQuarter.at(0);
    if (digit < u'0' || digit > u'9') {
        Dialogs::ErrorBox(QStringLiteral("'%1' is not a valid integer value").arg(ReportQuarter));
        return false;
    }
    const int quarter = digit.unicode() - u'0';
    return quarter >= 1 && quarter <= 4;
}
