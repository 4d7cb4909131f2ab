// A grid whose cell editor is always shown: the row keys typed into the editor (Insert
// starts a row, Ctrl+Delete asks and deletes, as they do on the grid itself: such a grid has
// no other way to add or remove a row), and a click on the current cell opening its editor
// again after it was closed.

#include "ToolkitFixture.h"
#include "toolkit/vtxDBGrid.h"

#include <QApplication>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace toolkit_test;

class TestDBGridRowKeys : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rowKeysWorkFromACellEditor() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* grid = new TDBGrid(&window);
        grid->AddColumn("RecordNumber");
        grid->AddColumn("FName");
        grid->SetOptions(TDBGrid::Options(TDBGrid::DefaultOptions) | TDBGrid::AlwaysShowEditor);
        grid->SetDataSource(t.peopleS.get());
        layout->addWidget(grid);
        QVERIFY(ShowActive(window));
        const QModelIndex mary = grid->model()->index(1, 1);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(mary).center());
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor);

        // Ctrl+Delete asks; Cancel keeps the row and the editor's text.
        Dialogs::QueueButton(Dialogs::Cancel);
        QTest::keyClick(editor, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(Dialogs::ShownTexts(), QStringList({"Delete record?"}));
        QCOMPARE(t.people->RecordCount(), 5);
        QCOMPARE(editor->text(), QString("Mary"));
        QTest::keyClick(editor, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(t.people->RecordCount(), 4);
        QVERIFY(!t.people->Locate("RecordNumber", {2}));

        // Insert starts a new row where the cursor is.
        editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key_Insert);
        QCOMPARE(t.people->State(), DataSetState::Insert);
        QCOMPARE(grid->model()->rowCount(), 5);
    }

    void aClickOnTheCurrentCellOpensItsEditorAgain() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* grid = new TDBGrid(&window);
        grid->AddColumn("RecordNumber");
        grid->AddColumn("FName");
        grid->SetOptions(TDBGrid::Options(TDBGrid::DefaultOptions) | TDBGrid::AlwaysShowEditor);
        grid->SetDataSource(t.peopleS.get());
        layout->addWidget(grid);
        auto* elsewhere = new QLineEdit(&window);
        layout->addWidget(elsewhere);
        QVERIFY(ShowActive(window));
        const QModelIndex ann = grid->model()->index(2, 1);
        const QPoint at = grid->visualRect(ann).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(grid->indexWidget(ann));
        // The editor closes when the focus goes elsewhere; the cell stays current.
        elsewhere->setFocus();
        QTRY_VERIFY(!grid->indexWidget(ann));
        QCOMPARE(grid->currentIndex(), ann);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(grid->indexWidget(ann));
        QCOMPARE(t.Number(), 3);
    }
};

VTX_REGISTER_TEST(TestDBGridRowKeys)
#include "tst_dbgridrowkeys.moc"
