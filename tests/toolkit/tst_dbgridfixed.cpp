// The data grid's fixed columns: the first column stays at the left edge, cells and title,
// while the grid scrolls sideways; clicks, editing and the title click work there; a column
// scrolled into sight comes out from under it.

#include "ToolkitFixture.h"
#include "toolkit/vtxDBGrid.h"

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QVBoxLayout>

using namespace toolkit_test;

namespace {

// A narrow window over a grid of four wide columns: first name, last name, notes, group.
struct WideGrid {
    QWidget window;
    TDBGrid* grid;
    explicit WideGrid(DataSource* source, int fixed) {
        window.resize(420, 260);
        auto* layout = new QVBoxLayout(&window);
        grid = new TDBGrid(&window);
        grid->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
        for (const char* field : {"FName", "LName", "Notes", "GroupName"})
            grid->AddColumn(field).Width = 220;
        grid->SetDataSource(source);
        grid->SetFixedColumns(fixed);
        layout->addWidget(grid);
    }
    QModelIndex Index(int row, int column) const { return grid->model()->index(row, column); }
    void ScrollToTheEnd() {
        QScrollBar* bar = grid->horizontalScrollBar();
        bar->setValue(bar->maximum());
        QApplication::processEvents();
    }
    // The picture of the left strip of the cells (or of the titles) as it is on screen.
    QImage LeftStrip(QWidget* area, int width) const {
        return area->grab(QRect(0, 0, width, area->height())).toImage();
    }
};

} // namespace

class TestDBGridFixed : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theFixedColumnStaysInSight_data() {
        QTest::addColumn<int>("fixed");
        QTest::newRow("first column fixed") << 1;
        QTest::newRow("no fixed column") << 0;
    }

    void theFixedColumnStaysInSight() {
        QFETCH(int, fixed);
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        WideGrid form(t.peopleS.get(), fixed);
        QVERIFY(ShowActive(form.window));
        TDBGrid* grid = form.grid;
        const int width = grid->columnWidth(0);
        const QImage cellsBefore = form.LeftStrip(grid->viewport(), width);
        const QImage titlesBefore = form.LeftStrip(grid->horizontalHeader()->viewport(), width);

        form.ScrollToTheEnd();
        QVERIFY(grid->horizontalScrollBar()->value() > width);
        const QModelIndex john = form.Index(0, 0);
        const QModelIndex paul = form.Index(3, 0);
        if (fixed) {
            // Cells and title look as before, where they were before.
            QCOMPARE(grid->visualRect(paul).left(), 0);
            QCOMPARE(grid->indexAt(grid->visualRect(paul).center()), paul);
            QCOMPARE(form.LeftStrip(grid->viewport(), width), cellsBefore);
            QCOMPARE(form.LeftStrip(grid->horizontalHeader()->viewport(), width), titlesBefore);
            QCOMPARE(grid->FixedColumns(), 1);
        } else {
            QVERIFY(grid->visualRect(john).right() < 0);
            QVERIFY(form.LeftStrip(grid->viewport(), width) != cellsBefore);
            QVERIFY(grid->indexAt(QPoint(5, grid->visualRect(paul).center().y())).column() > 0);
        }
    }

    void clicksAndEditingInTheFixedColumn() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        WideGrid form(t.peopleS.get(), 1);
        QVERIFY(ShowActive(form.window));
        TDBGrid* grid = form.grid;
        form.ScrollToTheEnd();
        const int scrolled = grid->horizontalScrollBar()->value();

        // A click on Paul's first name moves the cursor there and keeps the grid scrolled.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          QPoint(10, grid->visualRect(form.Index(3, 0)).center().y()));
        QCOMPARE(t.Number(), 4);
        QCOMPARE(grid->currentIndex(), form.Index(3, 0));
        QCOMPARE(grid->horizontalScrollBar()->value(), scrolled);

        // Typing opens the cell editor in place, at the left edge, and writes the row.
        grid->setFocus();
        QTest::keyClick(grid, 'P');
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor);
        QCOMPARE(editor->geometry().left(), 0);
        QTest::keyClicks(editor, "eter");
        QVERIFY(grid->CommitEditor());
        QCOMPARE(t.people->FieldByName("FName")->AsString(), QString("Peter"));
        t.people->Post();
        QCOMPARE(grid->horizontalScrollBar()->value(), scrolled);

        // Going to a scrolled column brings it out from under the fixed one; going back to
        // the fixed column scrolls nothing.
        grid->scrollTo(form.Index(3, 1));
        QVERIFY(grid->horizontalScrollBar()->value() < scrolled);
        QCOMPARE(grid->columnViewportPosition(1), grid->columnWidth(0));
        form.ScrollToTheEnd();
        grid->scrollTo(form.Index(1, 0));
        QCOMPARE(grid->horizontalScrollBar()->value(), scrolled);
    }

    void aClickOnTheFixedTitle() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        WideGrid form(t.peopleS.get(), 1);
        QVERIFY(ShowActive(form.window));
        TDBGrid* grid = form.grid;
        form.ScrollToTheEnd();
        QSignalSpy clicks(grid, &TDBGrid::titleClick);
        QHeaderView* titles = grid->horizontalHeader();
        QTest::mouseClick(titles->viewport(), Qt::LeftButton, {}, QPoint(20, titles->height() / 2));
        QCOMPARE(clicks.size(), 1);
        QCOMPARE(clicks.first().first().toInt(), 0);
        QCOMPARE(grid->SortColumn(), 0);
        // Right of it the title under the mouse is clicked as usual.
        const int last = titles->viewport()->width() - 20;
        QTest::mouseClick(titles->viewport(), Qt::LeftButton, {},
                          QPoint(last, titles->height() / 2));
        QCOMPARE(clicks.size(), 2);
        QCOMPARE(clicks.last().first().toInt(), 3);
    }
};

VTX_REGISTER_TEST(TestDBGridFixed)
#include "tst_dbgridfixed.moc"
