// Where the engine places a new row started while another row is pending: the pending row
// is posted first, and the new row goes after the last row (Append) or before the current
// row (Insert) as they stand after that post. The grid's Tab and Down keys rely on it.

#include "ToolkitFixture.h"

using namespace toolkit_test;

class TestEnginePlacing : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void appendWhileInsertingGoesAfterThePostedRow() {
        Tables t;
        t.AddFive();
        t.people->Append();
        t.people->FieldByName("RecordNumber")->SetAsInteger(6);
        t.people->FieldByName("LName")->SetAsString("Zulu");
        t.people->Append(); // posts record 6, then starts a new row at the end
        QCOMPARE(t.people->RecordCount(), 6);
        QCOMPARE(t.people->State(), DataSetState::Insert);
        QCOMPARE(t.people->DisplayCurrentRow(), 6);
    }

    void insertWhileEditingGoesBeforeThePostedRow() {
        Tables t;
        t.AddFive();
        t.people->First();
        t.people->Edit();
        t.people->FieldByName("RecordNumber")->SetAsInteger(10); // moves to the end
        t.people->Insert(); // posts, then a new row before record 10
        QCOMPARE(t.people->RecordCount(), 5);
        const int last = t.people->FieldByName("LName")->Index();
        QCOMPARE(t.people->DisplayCurrentRow(), 4);
        QCOMPARE(t.people->DisplayText(5, last), QString("Smith"));
    }
};

VTX_REGISTER_TEST(TestEnginePlacing)
#include "tst_engineplacing.moc"
