// The Vital Statistics window: roster and detail record counts, average attendance, the
// pledged total and the offerings, worked out when the window is created.

#include "TestSupport.h"
#include "app/vtxMenuTable.h"
#include "data/vtxDataM.h"
#include "data/vtxGlobalsU.h"
#include "roster/vtxVitalStatsF.h"
#include "toolkit/Dialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVariantMap>
#include <QtTest>
#include <map>
#include <memory>

namespace {

// A data folder filled through plain tables (none of the data module's rules), then the
// data module opened over it.
class StatsFolder {
public:
    StatsFolder() {
        Aliases::SetPath(VTX2AliasName, m_temp.path());
        TDataMod::EnsureDataFolder(m_temp.path());
    }
    ~StatsFolder() {
        m_tables.clear();
        if (m_data) {
            m_data->CloseDataSets();
            m_data.reset();
        }
        Aliases::Remove(VTX2AliasName);
    }

    // Before Open: appends a row to a table file.
    void Add(const QString& table, const QVariantMap& values) {
        auto& slot = m_tables[table];
        if (!slot) {
            slot = std::make_unique<Table>(TableDefOf(table), table);
            slot->DatabaseName = VTX2AliasName;
            slot->Open();
        }
        slot->Append();
        for (auto it = values.begin(); it != values.end(); ++it)
            slot->FieldByName(it.key())->SetValue(it.value());
        slot->Post();
    }
    void AddPerson(int number, bool member) {
        Add("RosterT", {{"RecordNumber", number},
                        {"FName", "Kari"},
                        {"LName", QString("Person%1").arg(number)},
                        {"Address1", "1 Church St"},
                        {"IsMember", member}});
    }
    void AddUsherReport(int day, int service, int choir, int school, int other) {
        Add("UsherReportT", {{"WorshipDate", QDate(2024, 1, day)},
                             {"WorshipTime", QTime(10, 0)},
                             {"NumberInService", service},
                             {"NumberInChoir", choir},
                             {"NumberInSundaySchool", school},
                             {"NumberOther", other}});
    }

    // The data module over the folder, with the start-up data sets open.
    TDataMod* Open() {
        m_tables.clear();
        m_data = std::make_unique<TDataMod>();
        m_data->OpenDataSets();
        return m_data.get();
    }

    // After Open: rows posted through the data module's own tables, as the windows do.
    void AddGift(const QString& envelope, const QDate& date, const QString& amount) {
        Table* gifts = m_data->EnvelopeOfferingT;
        gifts->Append();
        gifts->FieldByName("EnvelopeNumber")->SetAsString(envelope);
        gifts->FieldByName("OfferingDate")->SetAsDate(date);
        gifts->FieldByName("Amount")->SetAsCurrency(Currency::FromString(amount));
        gifts->Post();
    }
    void AddLooseOffering(const QDate& date, const QString& cash, const QString& checks) {
        Table* loose = m_data->OfferingT;
        loose->Append();
        loose->FieldByName("OfferingDate")->SetAsDate(date);
        if (!cash.isEmpty())
            loose->FieldByName("Cash")->SetAsCurrency(Currency::FromString(cash));
        if (!checks.isEmpty())
            loose->FieldByName("Checks")->SetAsCurrency(Currency::FromString(checks));
        loose->Post();
    }

private:
    TempFolder m_temp;
    std::map<QString, std::unique_ptr<Table>> m_tables;
    std::unique_ptr<TDataMod> m_data;
};

struct Figures {
    QStringList counts; // members, non-members, total, births, baptisms, ministries, marriages,
                        // passings
    QStringList averages;
    QStringList money; // pledged, envelopes, loose, total
};

Figures Read(const TVitalStatsForm& form) {
    return {{form.MembersEdit->text(), form.NonMembersEdit->text(), form.TotalRecordsEdit->text(),
             form.BirthsEdit->text(), form.BaptismsEdit->text(), form.LayMinistriesEdit->text(),
             form.MarriagesEdit->text(), form.PassingsEdit->text()},
            {form.WorshipEdit->text(), form.ChoirEdit->text(), form.SundaySchoolEdit->text(),
             form.OtherEdit->text()},
            {form.PledgedEdit->text(), form.EnvelopesEdit->text(), form.LooseOfferingEdit->text(),
             form.TotalLabel->text()}};
}

} // namespace

class VitalStatsTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        ResetProgramValues();
        Dialogs::SetScripted(true);
        Dialogs::ClearScript();
    }
    void cleanup() {
        Dialogs::ClearScript();
        ResetProgramValues();
    }

    void rosterCounts() {
        StatsFolder folder;
        for (int i = 1; i <= 150; ++i)
            folder.AddPerson(i, i % 5 != 0); // 120 members, 30 non-members
        TDataMod* data = folder.Open();
        // The total is what the shared roster presents, a filter of the View Roster window
        // applied; members and non-members are counted in the file, whatever the filter.
        const QList<std::pair<QString, QString>> filters = {
            {"", "150"}, {"IsMember = true", "120"}, {"IsMember = false", "30"}};
        for (const auto& [filter, total] : filters) {
            data->RosterT->SetFilter(filter);
            data->RosterT->SetFiltered(!filter.isEmpty());
            TVitalStatsForm form;
            QCOMPARE(form.MembersEdit->text(), QStringLiteral("120"));
            QCOMPARE(form.NonMembersEdit->text(), QStringLiteral("30"));
            QCOMPARE(form.TotalRecordsEdit->text(), total);
            QVERIFY(!data->vtxMemberQ->Active());
            QCOMPARE(data->RosterT->Filtered(), !filter.isEmpty());
        }
    }

    void averages_data() {
        QTest::addColumn<QList<QList<int>>>("reports"); // service, choir, school, other
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("no usher reports")
            << QList<QList<int>>{} << QStringList{"0.00", "0.00", "0.00", "0.00"};
        QTest::newRow("three services")
            << QList<QList<int>>{{80, 10, 20, 1}, {95, 11, 25, 2}, {110, 13, 31, 2}}
            << QStringList{"95.00", "11.33", "25.33", "1.67"};
        QTest::newRow("thousands, no separator")
            << QList<QList<int>>{{1200, 0, 0, 0}, {1301, 0, 0, 0}}
            << QStringList{"1250.50", "0.00", "0.00", "0.00"};
    }
    void averages() {
        QFETCH(QList<QList<int>>, reports);
        QFETCH(QStringList, shown);
        StatsFolder folder;
        int day = 1;
        for (const QList<int>& r : reports)
            folder.AddUsherReport(day++, r[0], r[1], r[2], r[3]);
        folder.Open();
        TVitalStatsForm form;
        QCOMPARE(Read(form).averages, shown);
    }

    void averageFormat_data() {
        QTest::addColumn<QVariant>("average");
        QTest::addColumn<QString>("shown");
        QTest::newRow("empty") << QVariant() << "0.00";
        QTest::newRow("whole") << QVariant(95.0) << "95.00";
        QTest::newRow("half a cent up") << QVariant(0.125) << "0.13";
        QTest::newRow("negative half a cent") << QVariant(-0.125) << "-0.13";
        QTest::newRow("no thousands separator") << QVariant(12345.678) << "12345.68";
    }
    void averageFormat() {
        QFETCH(QVariant, average);
        QFETCH(QString, shown);
        QCOMPARE(FormatAverage(average), shown);
    }

    void pledgesAndOfferings_data() {
        QTest::addColumn<QStringList>("gifts");
        QTest::addColumn<QStringList>("loose"); // cash, checks pairs
        QTest::addColumn<QStringList>("money");
        QTest::newRow("envelopes and loose")
            << QStringList{"1000.00", "500.00"} << QStringList{"200.00", "50.25"}
            << QStringList{"$1,560.50", "$1,500.00", "$250.25", "$1,750.25"};
        QTest::newRow("no envelope gifts") << QStringList{} << QStringList{"200.00", "50.25"}
                                           << QStringList{"$1,560.50", "", "$250.25", "$250.25"};
        QTest::newRow("cash only and checks only")
            << QStringList{"0.10"} << QStringList{"10.25", "", "", "4.50"}
            << QStringList{"$1,560.50", "$0.10", "$14.75", "$14.85"};
        QTest::newRow("no offerings")
            << QStringList{} << QStringList{} << QStringList{"$1,560.50", "", "", "$0.00"};
    }
    void pledgesAndOfferings() {
        QFETCH(QStringList, gifts);
        QFETCH(QStringList, loose);
        QFETCH(QStringList, money);
        StatsFolder folder;
        folder.Add("EnvelopeT", {{"RecordNumber", 1},
                                 {"EnvelopeNumber", "101"},
                                 {"PledgeYear", 2024},
                                 {"PledgeAmount", 520.0}});
        folder.Add("EnvelopeT", {{"RecordNumber", 2},
                                 {"EnvelopeNumber", "102"},
                                 {"PledgeYear", 2024},
                                 {"PledgeAmount", 1040.5}});
        folder.Open();
        // Gifts and offerings entered while the program runs count as well.
        for (int i = 0; i < gifts.size(); ++i)
            folder.AddGift(QString::number(101 + i), QDate(2024, 5, 5), gifts[i]);
        for (int i = 0; i + 1 < loose.size(); i += 2)
            folder.AddLooseOffering(QDate(2024, 5, 5 + 7 * i), loose[i], loose[i + 1]);
        TVitalStatsForm form;
        QCOMPARE(Read(form).money, money);
    }

    void emptyPledgesShowNothing() {
        StatsFolder folder;
        folder.Open();
        TVitalStatsForm form;
        QCOMPARE(Read(form).money, QStringList({"", "", "", "$0.00"}));
        QCOMPARE(Read(form).counts, QStringList({"0", "0", "0", "0", "0", "0", "0", "0"}));
    }

    void figuresFixedWhenCreated() {
        StatsFolder folder;
        folder.AddPerson(1, true);
        folder.AddUsherReport(7, 100, 10, 10, 10);
        TDataMod* data = folder.Open();
        folder.AddGift("101", QDate(2024, 1, 7), "25.00");
        auto first = std::make_unique<TVitalStatsForm>();
        const Figures before = Read(*first);
        QCOMPARE(before.counts.first(), QStringLiteral("1"));
        QCOMPARE(before.averages.first(), QStringLiteral("100.00"));
        QCOMPARE(before.money.at(1), QStringLiteral("$25.00"));

        // More entered after the first window was opened.
        folder.AddGift("101", QDate(2024, 1, 14), "35.50");
        folder.AddLooseOffering(QDate(2024, 1, 14), "12.00", "");
        data->UsherReportT->Append();
        data->UsherReportT->FieldByName("WorshipDate")->SetAsDate(QDate(2024, 1, 14));
        data->UsherReportT->FieldByName("NumberInService")->SetAsInteger(51);
        data->UsherReportT->Post();
        data->RosterT->Append();
        data->RosterT->FieldByName("RecordNumber")->SetAsInteger(2);
        data->RosterT->FieldByName("FName")->SetAsString("Lars");
        data->RosterT->FieldByName("LName")->SetAsString("Nygaard");
        data->RosterT->FieldByName("Address1")->SetAsString("2 Church St");
        data->RosterT->FieldByName("IsMember")->SetAsBoolean(false);
        data->RosterT->Post();

        // A new window counts it all; the open one keeps its figures.
        TVitalStatsForm second;
        const Figures after = Read(second);
        QCOMPARE(after.counts.mid(0, 3), QStringList({"1", "1", "2"}));
        QCOMPARE(after.averages.first(), QStringLiteral("75.50"));
        QCOMPARE(after.money.mid(1), QStringList({"$60.50", "$12.00", "$72.50"}));
        QCoreApplication::processEvents();
        QCOMPARE(Read(*first).counts, before.counts);
        QCOMPARE(Read(*first).averages, before.averages);
        QCOMPARE(Read(*first).money, before.money);
    }

    void detailCountsAsTheTablesStand() {
        StatsFolder folder;
        folder.AddPerson(1, true);
        folder.AddPerson(2, false);
        for (int rec : {1, 1, 2})
            folder.Add("BirthT", {{"RecordNumber", rec}, {"FName", "Baby"}});
        folder.Add("BaptismT", {{"RecordNumber", 1},
                                {"FName", "Baby"},
                                {"LName", "Person1"},
                                {"BaptismDate", QDate(2023, 6, 4)}});
        folder.Add("PassingT", {{"RecordNumber", 2}, {"PassingDate", QDate(2022, 2, 2)}});
        for (int ministry : {1, 2, 3})
            folder.Add("LayMinistryRosterT", {{"MinistryNumber", ministry},
                                              {"RosterRecordNumber", ministry == 3 ? 2 : 1}});
        TDataMod* data = folder.Open();

        // The active record is member 1: births, baptisms and passings are its own; the lay
        // ministry participation table presents every row.
        data->RosterT->First();
        QCOMPARE(TVitalStatsForm().BirthsEdit->text(), QStringLiteral("2"));
        {
            TVitalStatsForm form;
            QCOMPARE(Read(form).counts.mid(3), QStringList({"2", "1", "3", "0", "0"}));
        }
        data->RosterT->Next();
        {
            TVitalStatsForm form;
            QCOMPARE(Read(form).counts.mid(3), QStringList({"1", "0", "3", "0", "1"}));
        }
        // A records window switched the births to every row; the ministry window narrowed
        // the participants to one member.
        data->BirthT->SetMasterSource(nullptr);
        data->LayMinistryRosterT->SetFilter(QStringLiteral("RosterRecordNumber = 1"));
        data->LayMinistryRosterT->SetFiltered(true);
        {
            TVitalStatsForm form;
            QCOMPARE(form.BirthsEdit->text(), QStringLiteral("3"));
            QCOMPARE(form.LayMinistriesEdit->text(), QStringLiteral("2"));
        }
        // The window changes no link.
        QVERIFY(!data->BirthT->MasterSource());
        QCOMPARE(data->BaptismT->MasterSource(), data->RosterS);
    }

    void windowAndMenu() {
        StatsFolder folder;
        folder.AddPerson(1, true);
        folder.Open();
        const TMenuRow* row = FindMenuRow(QStringLiteral("VitalStatistics1"));
        QVERIFY(row);
        QCOMPARE(RunMenuRow(*row, nullptr), TMenuOutcome::WindowShown);
        QPointer<QWidget> first = LatestWindow(QStringLiteral("TVitalStatsForm"));
        QCOMPARE(RunMenuRow(*row, nullptr), TMenuOutcome::WindowShown);
        QPointer<QWidget> second = LatestWindow(QStringLiteral("TVitalStatsForm"));
        QVERIFY(first && second && first != second);
        auto* form = qobject_cast<TVitalStatsForm*>(second.data());
        QVERIFY(form);
        QCOMPARE(form->windowTitle(), QStringLiteral("Vital Statistics"));
        QVERIFY(form->isVisible() && !form->isModal());
        QVERIFY(Dialogs::ShownLog().isEmpty()); // no password, no message
        QCOMPARE(form->MembersEdit->text(), QStringLiteral("1"));

        // The count and sum boxes are read only; the averages take typing and nothing else
        // changes.
        for (QLineEdit* box :
             {form->MembersEdit, form->NonMembersEdit, form->TotalRecordsEdit, form->BirthsEdit,
              form->PassingsEdit, form->PledgedEdit, form->EnvelopesEdit, form->LooseOfferingEdit})
            QVERIFY2(box->isReadOnly(), qPrintable(box->objectName()));
        form->WorshipEdit->setFocus();
        form->WorshipEdit->selectAll();
        QTest::keyClicks(form->WorshipEdit, "123");
        QCOMPARE(form->WorshipEdit->text(), QStringLiteral("123"));
        QCOMPARE(form->TotalLabel->text(), QStringLiteral("$0.00"));

        // Close frees the window.
        QTest::mouseClick(form->CloseBtn, Qt::LeftButton);
        QTRY_VERIFY(!second);
        QVERIFY(first);
        delete first.data();
    }
};

VTX_REGISTER_TEST(VitalStatsTest)
#include "tst_VitalStats.moc"
