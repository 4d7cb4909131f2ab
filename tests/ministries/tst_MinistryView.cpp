// The Lay Ministries window: the active record's ministries (whatever filter the rosters
// window left), read only, the last-name search box and the modal Select Active Record window
// moving the active record, and the link it leaves behind.

#include "MinistriesFixture.h"
#include "ministries/vtxLayMinistriesRostersView.h"
#include "ministries/vtxLayMinistriesViewF.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxSearchBox.h"

#include <QDialog>
#include <QPushButton>

class TestMinistryView : public QObject {
    Q_OBJECT

    MinistriesFixture fx;

    TLayMinistriesViewForm* OpenView() {
        auto* view = new TLayMinistriesViewForm;
        ShowActive(view);
        return view;
    }

private slots:
    void initTestCase() { LinkSelectActiveRecord(); }
    void init() { fx.OpenParish(); }
    void cleanup() { fx.Close(); }

    void listsTheMembersMinistriesReadOnly() {
        // The rosters window leaves the table filtered to a ministry and unlinked.
        QVERIFY(fx.GoToMinistry(3));
        (new TLayMinistriesRostersViewForm)->close();
        FlushDeletes();
        QVERIFY(fx.GoTo(2));
        TLayMinistriesViewForm* view = OpenView();
        QCOMPARE(view->windowTitle(), QString("Lay Ministries"));
        TDBGrid* grid = view->MinistriesGrid;
        QStringList titles;
        for (int c : grid->VisibleColumns())
            titles << grid->GridModel()->ColumnTitle(c);
        QCOMPARE(titles, QStringList({"Ministry Number", "Ministry Name", "Start Date", "End Date",
                                      "Remark"}));
        QCOMPARE(view->ActiveRecordName->text(), QString("Berg, Bob "));
        QCOMPARE(fx.Numbers(fx.Enrolled(), "MinistryNumber"), QList<int>({1, 3, 4, 6}));
        QCOMPARE(grid->model()->index(0, grid->ColumnOfField("MinistryName")).data().toString(),
                 QString("Church Council"));

        // Nothing is changed here: no key starts a row or edits a cell.
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Insert);
        QTest::keyClicks(grid, "x");
        QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(fx.Enrolled()->State(), DataSetState::Browse);
        QCOMPARE(fx.Enrolled()->StoredRowCount(), Enrolments.size());
        QCOMPARE(fx.Shown(), QStringList());

        // The link stays after the window closes.
        view->close();
        QCOMPARE(fx.Enrolled()->MasterSource(), DataMod->RosterS);
    }

    void theSearchBoxMovesTheActiveRecordAndTheList() {
        QVERIFY(fx.GoTo(1));
        TLayMinistriesViewForm* view = OpenView();
        TypeKeys(view->SearchBox, "hol");
        QCOMPARE(fx.CurrentNumber(), 8);
        QCOMPARE(view->SearchBox->text(), QString("Holm"));
        QCOMPARE(view->ActiveRecordName->text(), QString("Holm, Hans "));
        QCOMPARE(fx.Numbers(fx.Enrolled(), "MinistryNumber"), QList<int>({3}));
    }

    void selectActiveRecordIsModal() {
        QVERIFY(fx.GoTo(1));
        TLayMinistriesViewForm* view = OpenView();
        QString caption;
        Dialogs::QueueModal([&caption](QDialog* select) {
            caption = select->windowTitle();
            auto* roster = select->findChild<TDBGrid*>("RosterGrid");
            if (!roster)
                return int(QDialog::Rejected);
            const QModelIndex last = roster->model()->index(8, 2);
            QTest::mouseClick(roster->viewport(), Qt::LeftButton, {},
                              roster->visualRect(last).center());
            return int(QDialog::Rejected);
        });
        QTest::mouseClick(view->SelectActiveRecordButton, Qt::LeftButton);
        QCOMPARE(caption, QString("Select Active Record"));
        QCOMPARE(Dialogs::ShownLog().size(), 1);
        QCOMPARE(Dialogs::ShownLog().first().kind, QString("modal"));
        QCOMPARE(fx.CurrentNumber(), 9);
        QCOMPARE(view->ActiveRecordName->text(), QString("Lindqvist-Sandberg, Bartholomew "));
        QCOMPARE(fx.Numbers(fx.Enrolled(), "MinistryNumber"), QList<int>({3}));
    }
};

VTX_REGISTER_TEST(TestMinistryView)
#include "tst_MinistryView.moc"
