// The data grid's row keys typed into an open cell editor: Insert starts a row, Ctrl+Delete
// asks and deletes, as they do on the grid itself (a grid whose editor is always shown
// has no other way to add or remove a row).

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
};

VTX_REGISTER_TEST(TestDBGridRowKeys)
#include "tst_dbgridrowkeys.moc"
