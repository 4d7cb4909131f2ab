// The Lay Ministries Setup window: its grid, navigator and memo over the ministries, adding a
// ministry in the grid, the refused duplicate number, deleting, and the close check.

#include "MinistriesFixture.h"
#include "ministries/vtxLayMinistriesSetupF.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxDBNavigator.h"

#include <QPushButton>
#include <QToolButton>

namespace {

QStringList Titles(TDBGrid* grid) {
    QStringList titles;
    for (int c : grid->VisibleColumns())
        titles << grid->GridModel()->ColumnTitle(c);
    return titles;
}

// Keys go where the focus is: the open cell editor or the grid.
void Type(const QString& text) {
    QTest::keyClicks(QApplication::focusWidget(), text);
}
void Press(Qt::Key key, Qt::KeyboardModifiers mods = {}) {
    QTest::keyClick(QApplication::focusWidget(), key, mods);
}

void ClickCell(TDBGrid* grid, int row, int column) {
    const QModelIndex cell = grid->model()->index(row, column);
    grid->scrollTo(cell);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
}

} // namespace

class TestMinistrySetup : public QObject {
    Q_OBJECT

    MinistriesFixture fx;

    TLayMinistriesSetupForm* OpenSetup() {
        auto* setup = new TLayMinistriesSetupForm;
        ShowActive(setup);
        return setup;
    }

private slots:
    void init() { fx.OpenParish(); }
    void cleanup() { fx.Close(); }

    void showsTheMinistriesWithTheDescriptionBelow() {
        TLayMinistriesSetupForm* setup = OpenSetup();
        QCOMPARE(setup->windowTitle(), QString("Lay Ministries Setup"));
        TDBGrid* grid = setup->MinistriesGrid;
        QCOMPARE(Titles(grid), QStringList({"Lay Ministry Number", "Ministry Name", "Governing",
                                            "No. Of Members"}));
        QCOMPARE(grid->FixedColumns(), 1);
        QCOMPARE(grid->model()->rowCount(), Ministries.size());
        QCOMPARE(grid->model()->index(0, 0).data(Qt::TextAlignmentRole).toInt() & Qt::AlignHCenter,
                 int(Qt::AlignHCenter));
        const int members = grid->ColumnOfField("NoOfMembers");
        QCOMPARE(grid->model()->index(0, members).data(Qt::TextAlignmentRole).toInt() &
                     Qt::AlignLeft,
                 int(Qt::AlignLeft));
        QCOMPARE(grid->model()->index(0, grid->ColumnOfField("Governing")).data(Qt::CheckStateRole),
                 QVariant(int(Qt::Checked)));
        QCOMPARE(setup->MinistriesNavigator->VisibleButtons(),
                 QList<TNavButton>({TNavButton::First, TNavButton::Prior, TNavButton::Next,
                                    TNavButton::Last, TNavButton::Edit, TNavButton::Post,
                                    TNavButton::Cancel, TNavButton::Refresh}));
        // The memo shows the current ministry's description and follows the cursor.
        QCOMPARE(setup->DescriptionMemo->toPlainText(), Ministries[0].description);
        ClickCell(grid, 2, 1);
        QCOMPARE(CurrentMinistryNumber, 3);
        QCOMPARE(setup->DescriptionMemo->toPlainText(), Ministries[2].description);
    }

    void aMinistryIsAddedInTheGrid() {
        TLayMinistriesSetupForm* setup = OpenSetup();
        TDBGrid* grid = setup->MinistriesGrid;
        Table* ministries = fx.MinistriesTable();
        grid->setFocus();
        Press(Qt::Key_Insert);
        QCOMPARE(ministries->State(), DataSetState::Insert);
        // The number is typed into the first column, the name into the second.
        QCOMPARE(grid->currentIndex().column(), 0);
        Type("12");
        Press(Qt::Key_Tab);
        Type("Bell Choir");
        Press(Qt::Key_Tab);
        QCOMPARE(grid->currentIndex().column(), grid->ColumnOfField("Governing"));
        QVERIFY(ministries->FieldByName("Governing")->IsNull());
        ClickCell(grid, grid->CursorRow(), grid->ColumnOfField("Governing"));
        QCOMPARE(ministries->FieldByName("Governing")->AsBoolean(), true);
        ClickCell(grid, grid->CursorRow(), grid->ColumnOfField("Governing"));
        QCOMPARE(ministries->FieldByName("Governing")->AsBoolean(), false);
        QVERIFY(!ministries->FieldByName("Governing")->IsNull());
        ClickCell(grid, grid->CursorRow(), grid->ColumnOfField("NoOfMembers"));
        Type("8");
        setup->DescriptionMemo->setFocus();
        QTest::keyClicks(setup->DescriptionMemo, "Rings on feast days.");
        QTest::mouseClick(setup->MinistriesNavigator->Button(TNavButton::Post), Qt::LeftButton);
        QCOMPARE(ministries->State(), DataSetState::Browse);
        QCOMPARE(fx.Shown(), QStringList());

        // Stored in number order, and the current ministry.
        QCOMPARE(fx.Numbers(ministries, "MinistryNumber"), QList<int>({1, 2, 3, 4, 5, 6, 7, 12}));
        QCOMPARE(CurrentMinistryNumber, 12);
        QCOMPARE(CurrentMinistryName, QString("Bell Choir"));
        QCOMPARE(CurrentMinistryMaxMembers, 8);
        QVERIFY(!CurrentMinistryGoverning);
        QCOMPARE(ministries->FieldByName("Description")->AsString(),
                 QString("Rings on feast days."));
    }

    void aNumberInUseIsRefusedAndTheRowStays() {
        TLayMinistriesSetupForm* setup = OpenSetup();
        TDBGrid* grid = setup->MinistriesGrid;
        Table* ministries = fx.MinistriesTable();
        grid->setFocus();
        Press(Qt::Key_Insert);
        Type("3");
        Press(Qt::Key_Tab);
        Type("Greeters");
        QTest::mouseClick(setup->MinistriesNavigator->Button(TNavButton::Post), Qt::LeftButton);
        QCOMPARE(ministries->State(), DataSetState::Insert);
        QCOMPARE(fx.Shown(), QStringList({"Key violation."}));
        QCOMPARE(ministries->FieldByName("MinistryName")->AsString(), QString("Greeters"));
        QCOMPARE(ministries->StoredRowCount(), Ministries.size());
    }

    void closingIsRefusedWhileAMinistryIsPending() {
        QPointer<TLayMinistriesSetupForm> setup = OpenSetup();
        Table* ministries = fx.MinistriesTable();
        QTest::mouseClick(setup->MinistriesNavigator->Button(TNavButton::Edit), Qt::LeftButton);
        QCOMPARE(ministries->State(), DataSetState::Edit);
        QTest::mouseClick(setup->CloseButton, Qt::LeftButton);
        QTest::keyClick(setup, Qt::Key_Escape);
        QCOMPARE(fx.Shown(), QStringList({"Please Post or Cancel the changes.",
                                          "Please Post or Cancel the changes."}));
        QVERIFY(setup->isVisible());
        QCOMPARE(ministries->State(), DataSetState::Edit);

        QTest::mouseClick(setup->MinistriesNavigator->Button(TNavButton::Cancel), Qt::LeftButton);
        QTest::mouseClick(setup->CloseButton, Qt::LeftButton);
        FlushDeletes();
        QVERIFY(setup.isNull());
        QCOMPARE(fx.Shown().size(), 2);
    }

    void deletingAMinistryAsksAndLeavesItsEnrolments() {
        TLayMinistriesSetupForm* setup = OpenSetup();
        TDBGrid* grid = setup->MinistriesGrid;
        ClickCell(grid, 2, 1);
        Dialogs::QueueButton(Dialogs::Cancel);
        Press(Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(fx.MinistriesTable()->RecordCount(), Ministries.size());
        Press(Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(fx.Shown(), QStringList({"Delete record?", "Delete record?"}));
        QCOMPARE(fx.Numbers(fx.MinistriesTable(), "MinistryNumber"),
                 QList<int>({1, 2, 4, 5, 6, 7}));
        QCOMPARE(fx.Enrolled()->RecordCount(), Enrolments.size());
    }
};

VTX_REGISTER_TEST(TestMinistrySetup)
#include "tst_MinistrySetup.moc"
