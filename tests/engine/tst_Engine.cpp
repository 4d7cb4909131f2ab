// The table engine: cursors, states, posts and refusals, order, links, filters,
// calculated and lookup fields, queries.

#include "TestSupport.h"
#include "engine/DataSource.h"
#include "engine/Database.h"
#include "engine/Query.h"
#include "engine/Table.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

namespace {

TableDef MemberDef() {
    TableDef d;
    d.tableName = "tstMemberT.DB";
    d.fields = {IntegerField("RecordNumber"), TextField("FName", 20, true),
                TextField("LName", 40, true), LogicalField("IsMember", true),
                MoneyField("Pledge"),         TextField("Phone 1", 14)};
    FieldDef full = TextField("FullName", 30);
    full.kind = FieldKind::Calculated;
    d.fields << full;
    d.indexes = {PrimaryIndexDef("MemberIndex1", {"RecordNumber"}),
                 SecondaryIndexDef("MLN", {"LName", "FName"})};
    return d;
}

TableDef GiftDef() {
    TableDef d;
    d.tableName = "tstGiftT.db";
    d.fields = {IntegerField("RecordNumber"), DateField("GiftDate", true), MoneyField("Amount")};
    FieldDef name = TextField("MemberName", 8);
    name.kind = FieldKind::Lookup;
    name.keyFields = "RecordNumber";
    name.lookupKeyFields = "RecordNumber";
    name.lookupResultField = "FullName";
    d.fields << name;
    d.indexes = {PrimaryIndexDef("GiftIndex1", {"RecordNumber", "GiftDate"}),
                 SecondaryIndexDef("GRecNo", {"RecordNumber"})};
    return d;
}

void AddMember(Table& t, int number, const QString& first, const QString& last,
               bool member = true) {
    t.Append();
    t.FieldByName("RecordNumber")->SetAsInteger(number);
    t.FieldByName("FName")->SetAsString(first);
    t.FieldByName("LName")->SetAsString(last);
    t.FieldByName("IsMember")->SetAsBoolean(member);
    t.Post();
}

QStringList Column(DataSet& d, const QString& field) {
    QStringList out;
    const int f = d.FieldByName(field)->Index();
    for (int r = 0; r < d.RecordCount(); ++r)
        out << d.DisplayText(r, f);
    return out;
}

} // namespace

class TestEngine : public QObject {
    Q_OBJECT

    std::unique_ptr<TempFolder> m_folder;
    std::unique_ptr<Table> m_members;
    std::unique_ptr<Table> m_gifts;
    std::unique_ptr<DataSource> m_memberSource;

private Q_SLOTS:
    void init() {
        m_folder = std::make_unique<TempFolder>();
        Aliases::SetPath("EngineTest", m_folder->path());
        m_members = std::make_unique<Table>(MemberDef(), "MemberT");
        m_members->DatabaseName = "EngineTest";
        m_members->CreateTable();
        m_members->OnCalcFields = [](DataSet& d) {
            d.FieldByName("FullName")
                ->SetAsString(d.FieldByName("LName")->AsString() + ", " +
                              d.FieldByName("FName")->AsString());
        };
        m_members->Open();
        m_gifts = std::make_unique<Table>(GiftDef(), "GiftT");
        m_gifts->DatabaseName = "EngineTest";
        m_gifts->CreateTable();
        m_gifts->SetLookupTable("MemberName", m_members.get());
        m_memberSource = std::make_unique<DataSource>(m_members.get());
    }

    void cleanup() {
        m_gifts.reset();
        m_memberSource.reset();
        m_members.reset();
        m_folder.reset();
    }

    void emptyTableHasNoRow() {
        QCOMPARE(m_members->RecordCount(), 0);
        QVERIFY(m_members->Eof());
        QVERIFY(m_members->Bof());
        QCOMPARE(m_members->RecNo(), 0);
        QVERIFY(m_members->FieldByName("LName")->IsNull());
    }

    void assigningWhileBrowsingIsRefused() {
        AddMember(*m_members, 1, "John", "Smith");
        try {
            m_members->FieldByName("LName")->SetAsString("Jones");
            QFAIL("assignment in browse mode was accepted");
        } catch (const EDatabaseError& e) {
            QCOMPARE(e.Message(), QString("Dataset not in edit or insert mode"));
        }
        QCOMPARE(m_members->FieldByName("LName")->AsString(), QString("Smith"));
        // A post with nothing being edited is refused the same way, and changes nothing.
        try {
            m_members->Post();
            QFAIL("a post in browse mode was accepted");
        } catch (const EDatabaseError& e) {
            QCOMPARE(e.Message(), QString("Dataset not in edit or insert mode"));
        }
        QCOMPARE(m_members->State(), DataSetState::Browse);
        QCOMPARE(m_members->RecordCount(), 1);
    }

    void moveWhileEditingPostsOrCancels() {
        AddMember(*m_members, 1, "John", "Smith");
        AddMember(*m_members, 2, "Mary", "Adams");
        m_members->First();
        m_members->Edit();
        m_members->FieldByName("FName")->SetAsString("Jon");
        m_members->Next(); // posts the change first
        QCOMPARE(m_members->State(), DataSetState::Browse);
        m_members->First();
        QCOMPARE(m_members->FieldByName("FName")->AsString(), QString("Jon"));
        // An unmodified insert is cancelled by a move.
        m_members->Insert();
        m_members->Last();
        QCOMPARE(m_members->RecordCount(), 2);
        QCOMPARE(m_members->State(), DataSetState::Browse);
    }

    void cancelOfInsertReturnsToCurrentRow() {
        AddMember(*m_members, 1, "John", "Smith");
        AddMember(*m_members, 2, "Mary", "Adams");
        m_members->First();
        m_members->Insert();
        m_members->FieldByName("FName")->SetAsString("New");
        m_members->Cancel();
        QCOMPARE(m_members->FieldByName("RecordNumber")->AsInteger(), 1);
        QCOMPARE(m_members->RecordCount(), 2);
    }

    void requiredFieldRefusesAndKeepsEntries_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<bool>("setMember");
        QTest::addColumn<QString>("message");
        QTest::newRow("first name missing") << ""
                                            << "Smith" << true << "Field 'FName' must have a value";
        QTest::newRow("both names missing: first in field order")
            << ""
            << "" << true << "Field 'FName' must have a value";
        QTest::newRow("logical never set")
            << "John"
            << "Smith" << false << "Field 'IsMember' must have a value";
    }

    void requiredFieldRefusesAndKeepsEntries() {
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(bool, setMember);
        QFETCH(QString, message);
        m_members->Insert();
        m_members->FieldByName("RecordNumber")->SetAsInteger(5);
        m_members->FieldByName("FName")->SetAsString(first);
        m_members->FieldByName("LName")->SetAsString(last);
        if (setMember)
            m_members->FieldByName("IsMember")->SetAsBoolean(false);
        try {
            m_members->Post();
            QFAIL("post was accepted");
        } catch (const EDatabaseError& e) {
            QCOMPARE(e.Message(), message);
            QCOMPARE(e.Kind(), ErrorKind::RequiredField);
        }
        QCOMPARE(m_members->State(), DataSetState::Insert);
        QCOMPARE(m_members->FieldByName("LName")->AsString(), last);
        QCOMPARE(m_members->FieldByName("RecordNumber")->AsInteger(), 5);
        m_members->Cancel();
        QCOMPARE(m_members->RecordCount(), 0);
    }

    void keyViolationGoesThroughPostErrorRule() {
        AddMember(*m_members, 1, "John", "Smith");
        int calls = 0;
        DataAction answer = DataAction::Fail;
        m_members->OnPostError = [&](DataSet&, const EDatabaseError& e) {
            ++calls;
            [&] { QCOMPARE(e.Kind(), ErrorKind::KeyViolation); }();
            return answer;
        };
        m_members->Append();
        m_members->FieldByName("RecordNumber")->SetAsInteger(1);
        m_members->FieldByName("FName")->SetAsString("Other");
        m_members->FieldByName("LName")->SetAsString("Person");
        m_members->FieldByName("IsMember")->SetAsBoolean(true);
        try {
            m_members->Post();
            QFAIL("duplicate key accepted");
        } catch (const EDatabaseError& e) {
            QCOMPARE(e.Message(), QString("Key violation."));
        }
        answer = DataAction::Abort;
        QVERIFY_THROWS_EXCEPTION(EAbort, m_members->Post());
        QCOMPARE(calls, 2);
        QCOMPARE(m_members->State(), DataSetState::Insert);
        QCOMPARE(m_members->FieldByName("FName")->AsString(), QString("Other"));
        // Corrected, the same row posts.
        m_members->FieldByName("RecordNumber")->SetAsInteger(2);
        m_members->Post();
        QCOMPARE(m_members->RecordCount(), 2);
        QCOMPARE(m_members->State(), DataSetState::Browse);
    }

    void secondaryIndexIgnoresCaseAndKeepsEntryOrderForTies() {
        AddMember(*m_members, 1, "b", "smith");
        AddMember(*m_members, 2, "a", "Adams");
        AddMember(*m_members, 3, "B", "SMITH");
        AddMember(*m_members, 4, "a", "Smith");
        m_members->SetIndexName("MLN");
        QCOMPARE(Column(*m_members, "RecordNumber"), (QStringList{"2", "4", "1", "3"}));
        m_members->SetIndexName("");
        QCOMPARE(Column(*m_members, "RecordNumber"), (QStringList{"1", "2", "3", "4"}));
    }

    void cursorStaysOnItsRowThroughIndexChange() {
        AddMember(*m_members, 1, "John", "Zeller");
        AddMember(*m_members, 2, "Mary", "Adams");
        AddMember(*m_members, 3, "Ann", "Miller");
        m_members->Locate("RecordNumber", {3});
        QCOMPARE(m_members->RecNo(), 3);
        m_members->SetIndexName("MLN");
        QCOMPARE(m_members->FieldByName("RecordNumber")->AsInteger(), 3);
        QCOMPARE(m_members->RecNo(), 2);
        m_members->SetIndexFieldNames("FName");
        QCOMPARE(m_members->FieldByName("RecordNumber")->AsInteger(), 3);
        QCOMPARE(m_members->RecNo(), 1);
    }

    void postedRowsTakeTheirPlaceInTheOrder() {
        // Rows posted one by one stand where a fresh read of the table puts them.
        m_members->SetIndexName("MLN");
        QRandomGenerator random(7);
        const QStringList names{"adams", "Baker", "baker", "CLARK", "Clark", "davis", "", "Evans"};
        for (int i = 1; i <= 60; ++i) {
            m_members->Append();
            m_members->FieldByName("RecordNumber")->SetAsInteger(i);
            m_members->FieldByName("FName")->SetAsString(names[random.bounded(8)] + "x");
            m_members->FieldByName("LName")->SetAsString(names[random.bounded(7)] + "y");
            m_members->FieldByName("IsMember")->SetAsBoolean(true);
            m_members->Post();
            QCOMPARE(m_members->FieldByName("RecordNumber")->AsInteger(), i);
        }
        // Change some names, moving their rows.
        for (int i = 0; i < 10; ++i) {
            m_members->SetRecNo(1 + random.bounded(60));
            m_members->Edit();
            m_members->FieldByName("LName")->SetAsString(names[random.bounded(8)] + "z");
            m_members->Post();
        }
        const QStringList incremental = Column(*m_members, "RecordNumber");
        m_members->Refresh();
        QCOMPARE(Column(*m_members, "RecordNumber"), incremental);
    }

    void masterDetailFollowsAndFillsLink() {
        AddMember(*m_members, 1, "John", "Smith");
        AddMember(*m_members, 2, "Mary", "Adams");
        m_gifts->SetMasterSource(m_memberSource.get());
        m_gifts->SetMasterFields("RecordNumber");
        m_gifts->Open();
        m_members->First();
        QCOMPARE(m_gifts->RecordCount(), 0);
        for (const QDate& d : {QDate(2026, 1, 4), QDate(2026, 1, 11)}) {
            m_gifts->Append();
            m_gifts->FieldByName("GiftDate")->SetAsDate(d);
            m_gifts->Post();
        }
        QCOMPARE(m_gifts->RecordCount(), 2);
        QCOMPARE(m_gifts->FieldByName("RecordNumber")->AsInteger(), 1);
        m_members->Next();
        QCOMPARE(m_gifts->RecordCount(), 0);
        m_gifts->Append();
        m_gifts->FieldByName("GiftDate")->SetAsDate(QDate(2026, 1, 4));
        m_gifts->Post();
        QCOMPARE(m_gifts->FieldByName("RecordNumber")->AsInteger(), 2);
        m_members->First();
        QCOMPARE(m_gifts->RecordCount(), 2);
        // Cutting the link shows every row.
        m_gifts->SetMasterSource(nullptr);
        QCOMPARE(m_gifts->RecordCount(), 3);
    }

    // A pending row that cannot be stored keeps the table as it was: a new order, filter or
    // link is refused with the post's message, and the rows shown still follow the old one.
    void refusedPendingRowKeepsTheSelection_data() {
        QTest::addColumn<QString>("change");
        for (const char* change : {"filter on", "filter changed", "index", "index fields", "link"})
            QTest::newRow(change) << QString(change);
    }

    void refusedPendingRowKeepsTheSelection() {
        QFETCH(QString, change);
        AddMember(*m_members, 1, "John", "Smith", true);
        AddMember(*m_members, 2, "Mary", "Adams", false);
        AddMember(*m_members, 3, "Ann", "Miller", true);
        m_gifts->Open();
        for (int member : {1, 2}) {
            m_gifts->Append();
            m_gifts->FieldByName("RecordNumber")->SetAsInteger(member);
            m_gifts->FieldByName("GiftDate")->SetAsDate(QDate(2026, 1, 4));
            m_gifts->Post();
        }
        if (change == "filter changed") {
            m_members->SetFilter("IsMember = true");
            m_members->SetFiltered(true);
        }
        Table* table = change == "link" ? m_gifts.get() : m_members.get();
        const QStringList before = Column(*table, "RecordNumber");
        table->Append();
        table->FieldByName("RecordNumber")->SetAsInteger(9); // a name or date it needs is missing
        try {
            if (change == "filter on") {
                m_members->SetFilter("IsMember = false");
                m_members->SetFiltered(true);
            } else if (change == "filter changed") {
                m_members->SetFilter("IsMember = false");
            } else if (change == "index") {
                m_members->SetIndexName("MLN");
            } else if (change == "index fields") {
                m_members->SetIndexFieldNames("LName");
            } else {
                m_gifts->SetMasterSource(m_memberSource.get());
                m_gifts->SetMasterFields("RecordNumber");
            }
            QFAIL("the change was made over a row that cannot be stored");
        } catch (const EDatabaseError& e) {
            QCOMPARE(e.Kind(), ErrorKind::RequiredField);
        }
        QCOMPARE(table->State(), DataSetState::Insert);
        QCOMPARE(m_members->Filtered(), change == "filter changed");
        if (change == "filter changed")
            QCOMPARE(m_members->Filter(), QString("IsMember = true"));
        QCOMPARE(m_members->IndexName(), QString());
        QCOMPARE(m_members->IndexFieldNames(), QString());
        QVERIFY(m_gifts->MasterSource() == nullptr);
        table->Cancel();
        QCOMPARE(Column(*table, "RecordNumber"), before);
    }

    // The master's current row does not change while a row linked to it cannot be stored:
    // the move is refused with the detail's message, and both stay as they were.
    void masterStaysWhileItsDetailCannotBeStored_data() {
        QTest::addColumn<QString>("move");
        for (const char* move : {"Next", "Last", "SetRecNo", "Locate", "Insert"})
            QTest::newRow(move) << QString(move);
    }

    void masterStaysWhileItsDetailCannotBeStored() {
        QFETCH(QString, move);
        AddMember(*m_members, 1, "John", "Smith");
        AddMember(*m_members, 2, "Mary", "Adams");
        m_members->SetIndexName(QString());
        m_gifts->SetMasterSource(m_memberSource.get());
        m_gifts->SetMasterFields("RecordNumber");
        m_gifts->Open();
        m_members->First();
        m_gifts->Append();
        m_gifts->FieldByName("Amount")->SetAsFloat(25); // no gift date yet
        try {
            if (move == "Next")
                m_members->Next();
            else if (move == "Last")
                m_members->Last();
            else if (move == "SetRecNo")
                m_members->SetRecNo(2);
            else if (move == "Locate")
                m_members->Locate("RecordNumber", {2});
            else
                m_members->Insert();
            QFAIL("the master moved away from a detail row that cannot be stored");
        } catch (const EDatabaseError& e) {
            QCOMPARE(e.Kind(), ErrorKind::RequiredField);
        }
        QCOMPARE(m_members->State(), DataSetState::Browse);
        QCOMPARE(m_members->FieldByName("RecordNumber")->AsInteger(), 1);
        QCOMPARE(m_gifts->State(), DataSetState::Insert);
        QCOMPARE(m_gifts->FieldByName("RecordNumber")->AsInteger(), 1);
        // Completed, the gift is stored for the member it was entered under.
        m_gifts->FieldByName("GiftDate")->SetAsDate(QDate(2026, 1, 4));
        m_members->Next();
        QCOMPARE(m_members->FieldByName("RecordNumber")->AsInteger(), 2);
        QCOMPARE(m_gifts->RecordCount(), 0);
        m_members->First();
        QCOMPARE(m_gifts->RecordCount(), 1);
    }

    void filterOnAndOff() {
        AddMember(*m_members, 1, "John", "Smith", true);
        AddMember(*m_members, 2, "Mary", "Adams", false);
        AddMember(*m_members, 3, "Ann", "Miller", true);
        m_members->SetFilter("IsMember = true");
        QCOMPARE(m_members->RecordCount(), 3);
        m_members->SetFiltered(true);
        QCOMPARE(m_members->RecordCount(), 2);
        m_members->SetFilter("IsMember = false");
        QCOMPARE(m_members->RecordCount(), 1);
        QCOMPARE(m_members->FieldByName("FName")->AsString(), QString("Mary"));
        m_members->SetFiltered(false);
        QCOMPARE(m_members->RecordCount(), 3);
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, m_members->SetFilter("NoSuchField = 1"));
    }

    void calculatedAndLookupFields() {
        AddMember(*m_members, 7, "Johnathan", "Smith");
        QCOMPARE(m_members->FieldByName("FullName")->AsString(), QString("Smith, Johnathan"));
        m_gifts->Open();
        m_gifts->Append();
        m_gifts->FieldByName("RecordNumber")->SetAsInteger(7);
        m_gifts->FieldByName("GiftDate")->SetAsDate(QDate(2026, 3, 1));
        m_gifts->Post();
        // Cut to the lookup field's width of 8.
        QCOMPARE(m_gifts->FieldByName("MemberName")->AsString(), QString("Smith, J"));
        QCOMPARE(m_gifts->DisplayText(0, m_gifts->FieldByName("MemberName")->Index()),
                 QString("Smith, J"));
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, [&] {
            m_gifts->Edit();
            m_gifts->FieldByName("MemberName")->SetAsString("x");
        }());
        m_gifts->Cancel();
    }

    // A looked-up value follows its source: a browsing table shows the new name once
    // the member is renamed, and nothing once the member is deleted; its watchers hear.
    void lookupFieldsFollowTheirSource() {
        AddMember(*m_members, 7, "Ann", "Lee");
        m_gifts->Open();
        m_gifts->Append();
        m_gifts->FieldByName("RecordNumber")->SetAsInteger(7);
        m_gifts->FieldByName("GiftDate")->SetAsDate(QDate(2026, 3, 1));
        m_gifts->Post();
        DataSource giftSource(m_gifts.get());
        int notices = 0;
        connect(&giftSource, &DataSource::dataChanged, this, [&] { ++notices; });
        const int name = m_gifts->FieldByName("MemberName")->Index();
        QCOMPARE(m_gifts->DisplayText(0, name), QString("Lee, Ann"));

        m_members->Edit();
        m_members->FieldByName("LName")->SetAsString("Olson");
        m_members->Post();
        QCOMPARE(m_gifts->DisplayText(0, name), QString("Olson, A"));
        QCOMPARE(m_gifts->FieldByName("MemberName")->AsString(), QString("Olson, A"));
        QVERIFY(notices > 0);

        m_members->Delete();
        QCOMPARE(m_gifts->DisplayText(0, name), QString());
        QVERIFY(m_gifts->FieldByName("MemberName")->IsNull());

        // A gift being edited keeps what the user typed while the member changes.
        AddMember(*m_members, 7, "Ann", "Berg");
        m_gifts->Edit();
        m_gifts->FieldByName("Amount")->SetAsCurrency(Currency::FromDouble(12.5));
        AddMember(*m_members, 8, "Bo", "Dahl");
        QCOMPARE(m_gifts->State(), DataSetState::Edit);
        QCOMPARE(m_gifts->FieldByName("Amount")->AsCurrency(), Currency::FromDouble(12.5));
        m_gifts->Post();
        QCOMPARE(m_gifts->FieldByName("MemberName")->AsString(), QString("Berg, An"));

        // A table that goes away leaves its source working.
        m_gifts.reset();
        AddMember(*m_members, 9, "Cy", "Holm");
        QCOMPARE(m_members->RecordCount(), 3);
    }

    void locateAndPrefixFinder() {
        AddMember(*m_members, 1, "John", "McDonald");
        AddMember(*m_members, 2, "Mary", "Macintosh");
        AddMember(*m_members, 3, "Ann", "mcbride");
        m_members->SetIndexName("MLN");
        QVERIFY(m_members->FindPrefix("LName", "mc"));
        QCOMPARE(m_members->FieldByName("RecordNumber")->AsInteger(), 3);
        QVERIFY(m_members->FindPrefix("LName", "MCD"));
        QCOMPARE(m_members->FieldByName("RecordNumber")->AsInteger(), 1);
        QVERIFY(!m_members->FindPrefix("LName", "mcx"));
        QCOMPARE(m_members->FieldByName("RecordNumber")->AsInteger(), 1);
        QVERIFY(!m_members->FindPrefix("LName", "m%")); // no wildcard from the user
        QVERIFY(m_members->Locate("LName", {"MACINTOSH"}, CaseInsensitive));
        QCOMPARE(m_members->FieldByName("RecordNumber")->AsInteger(), 2);
        QVERIFY(!m_members->Locate("LName", {"MACINTOSH"}));
        QVERIFY(m_members->Locate("FName;LName", {"Ann", "mcbride"}));
        QCOMPARE(m_members->RecNo(), 2);
    }

    void bookmarksAndEmptyTable() {
        AddMember(*m_members, 1, "John", "Smith");
        AddMember(*m_members, 2, "Mary", "Adams");
        m_members->First();
        const Bookmark mark = m_members->GetBookmark();
        m_members->Last();
        QVERIFY(m_members->GotoBookmark(mark));
        QCOMPARE(m_members->FieldByName("RecordNumber")->AsInteger(), 1);
        m_members->Delete();
        QVERIFY(!m_members->GotoBookmark(mark));
        QCOMPARE(m_members->FieldByName("RecordNumber")->AsInteger(), 2);
        m_members->EmptyTable();
        QCOMPARE(m_members->RecordCount(), 0);
        m_members->Close();
        m_members->Open();
        QCOMPARE(m_members->RecordCount(), 0);
    }

    void disabledControlsHearOnceAtTheEnd() {
        AddMember(*m_members, 1, "John", "Smith");
        AddMember(*m_members, 2, "Mary", "Adams");
        AddMember(*m_members, 3, "Ann", "Miller");
        int changes = 0;
        m_memberSource->OnDataChange = [&](Field*) { ++changes; };
        m_members->DisableControls();
        for (m_members->First(); !m_members->Eof(); m_members->Next()) {
        }
        QCOMPARE(changes, 0);
        m_members->EnableControls();
        QCOMPARE(changes, 1);
        QCOMPARE(m_members->RecNo(), 3);
    }

    void moneyIsExactAndTextIsCut() {
        m_members->Append();
        m_members->FieldByName("Pledge")->SetAsFloat(0.1);
        m_members->FieldByName("Pledge")->SetAsCurrency(
            m_members->FieldByName("Pledge")->AsCurrency() + Currency::FromDouble(0.1) +
            Currency::FromDouble(0.1));
        QCOMPARE(m_members->FieldByName("Pledge")->AsCurrency(), Currency::FromUnits(3000));
        m_members->FieldByName("Pledge")->SetAsString("1,750.25");
        QCOMPARE(m_members->FieldByName("Pledge")->DisplayText(), QString("$1,750.25"));
        m_members->FieldByName("Phone 1")->SetAsString("555-0100 extension 12");
        QCOMPARE(m_members->FieldByName("Phone 1")->AsString(), QString("555-0100 exten"));
        m_members->FieldByName("FName")->SetAsString("");
        QVERIFY(m_members->FieldByName("FName")->IsNull());
    }

    void aggregateQueriesNameTheirColumn() {
        m_gifts->Open();
        const TableDef gifts = GiftDef();
        Query sum("SumQ");
        sum.DatabaseName = "EngineTest";
        sum.SetSourceDef(&gifts);
        sum.SetSQL({"SELECT SUM (AMOUNT)", "      FROM tstGiftT"});
        sum.Open();
        QCOMPARE(sum.Fields().first()->FieldName(), QString("SUM OF AMOUNT"));
        QVERIFY(sum.Fields().first()->IsNull()); // an empty table sums to nothing
        QCOMPARE(sum.Fields().first()->DisplayText(), QString());
        sum.Close();
        for (int i = 1; i <= 3; ++i) {
            m_gifts->Append();
            m_gifts->FieldByName("RecordNumber")->SetAsInteger(i);
            m_gifts->FieldByName("GiftDate")->SetAsDate(QDate(2026, 1, 4));
            m_gifts->FieldByName("Amount")->SetAsString("0.10");
            m_gifts->Post();
        }
        sum.Open();
        QCOMPARE(sum.Fields().first()->AsCurrency(), Currency::FromUnits(3000));
        Query avg("AvgQ");
        avg.DatabaseName = "EngineTest";
        avg.SetSourceDef(&gifts);
        avg.SetSQL({"SELECT AVG(RecordNumberOfTheMember)", "FROM tstGiftT"});
        QCOMPARE(Query::AggregateName("AVG", "NumberInService"),
                 QString("AVERAGE OF NumberInServic"));
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, avg.Open()); // unknown column
    }

    void queryParametersAreBound() {
        AddMember(*m_members, 1, "John", "Smith", true);
        AddMember(*m_members, 2, "Robert'); DROP TABLE tstMemberT; --", "Adams", false);
        Query q("MemberQ");
        q.DatabaseName = "EngineTest";
        const TableDef def = MemberDef();
        q.SetSourceDef(&def);
        q.SetSQL({"SELECT * FROM tstMemberT WHERE IsMember = :Status"});
        q.Open(); // unset parameter: no rows
        QCOMPARE(q.RecordCount(), 0);
        q.Close();
        q.ParamByName("Status")->SetAsBoolean(false);
        q.Open();
        QCOMPARE(q.RecordCount(), 1);
        QCOMPARE(q.FieldByName("LName")->AsString(), QString("Adams"));
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, q.Edit());
        m_members->Refresh();
        QCOMPARE(m_members->RecordCount(), 2);
    }

    void badFilesGiveClearErrors() {
        // Not a table file at all.
        QFile junk(m_folder->file("tstGiftT.db"));
        QVERIFY(junk.remove());
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(4096, 'x'));
        junk.close();
        Table bad(GiftDef(), "GiftT");
        bad.DatabaseName = "EngineTest";
        try {
            bad.Open();
            QFAIL("a junk file opened as a table");
        } catch (const EDatabaseError& e) {
            QVERIFY2(e.Message().contains("tstGiftT.db"), qPrintable(e.Message()));
        }
        QVERIFY(!bad.Active());
        // A missing file.
        QVERIFY(QFile::remove(m_folder->file("tstGiftT.db")));
        try {
            bad.Open();
            QFAIL("a missing file opened");
        } catch (const EDatabaseError& e) {
            QVERIFY2(e.Message().contains("tstGiftT.db") && e.Message().contains("does not exist"),
                     qPrintable(e.Message()));
        }
    }

    void dataSourceSignalsFieldChanges() {
        AddMember(*m_members, 1, "John", "Smith");
        QSignalSpy data(m_memberSource.get(), &DataSource::dataChanged);
        QSignalSpy state(m_memberSource.get(), &DataSource::stateChanged);
        m_members->Edit();
        QCOMPARE(state.count(), 1);
        m_members->FieldByName("LName")->SetAsString("Smythe");
        QVERIFY(!data.isEmpty());
        QCOMPARE(data.last().first().value<Field*>(), m_members->FieldByName("LName"));
        m_members->Post();
        QCOMPARE(state.count(), 2);
    }
};

VTX_REGISTER_TEST(TestEngine)
#include "tst_Engine.moc"
