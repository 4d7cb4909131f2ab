// A grid whose rows are edited and deleted but never added (TDBGrid::NoInsert): none of the
// keys that add a row adds one, and editing and deleting work as in any grid.

#include "ToolkitFixture.h"
#include "toolkit/vtxDBGrid.h"

#include <QApplication>
#include <QVBoxLayout>

using namespace toolkit_test;

class TestGridNoInsert : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void keysThatAddARowAddNone_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Insert") << int(Qt::Key_Insert);
        QTest::newRow("Down on the last row") << int(Qt::Key_Down);
        QTest::newRow("Tab from the last cell") << int(Qt::Key_Tab);
    }

    void keysThatAddARowAddNone() {
        QFETCH(int, key);
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* grid = new TDBGrid(t.peopleS.get(), &window);
        grid->SetOptions(TDBGrid::Options(TDBGrid::DefaultOptions) | TDBGrid::NoInsert);
        grid->AddColumn("RecordNumber");
        grid->AddColumn("LName");
        layout->addWidget(grid);
        QVERIFY(ShowActive(window));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(4, 1)).center());
        grid->setFocus();
        QCOMPARE(t.Number(), 5);

        QTest::keyClick(grid, Qt::Key(key));
        QCOMPARE(t.people->State(), DataSetState::Browse);
        QCOMPARE(grid->model()->rowCount(), 5);
        QCOMPARE(t.Number(), 5);

        // The last row can still be changed in place, and deleted.
        QTest::keyClick(grid, 'Z'); // opens the editor with the key
        QTest::keyClicks(QApplication::focusWidget(), "ed");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::processEvents(); // the editor commits after the key
        t.people->CheckBrowseMode();
        QCOMPARE(t.people->RecordCount(), 5);
        QCOMPARE(t.Number(), 5);
        QCOMPARE(t.Last(), QString("Zed"));
        Dialogs::QueueButton(Dialogs::Ok);
        QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(t.people->RecordCount(), 4);
    }
};

VTX_REGISTER_TEST(TestGridNoInsert)
#include "tst_gridnoinsert.moc"
