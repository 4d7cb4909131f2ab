// The pieces every window is written on: the close guard (a window and a dialog, each way of
// closing), the table keeper, and the look (window set-up, Close button, caption rows, the
// search box with its caption, the browse grid look, centring).

#include "ToolkitFixture.h"
#include "toolkit/vtxCloseGuard.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxSearchBox.h"
#include "toolkit/vtxTableKeeper.h"
#include "toolkit/vtxWindowLook.h"

#include <QDialog>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

using namespace toolkit_test;

namespace {

// A window or a dialog guarding the people and notes tables, with a box and a Close button.
QWidget* GuardedWindow(bool dialog, Tables& t, QStringList& closed) {
    QWidget* window = dialog ? new QDialog : new QWidget(nullptr, Qt::Window);
    Look::SetUpWindow(window, "Guarded", "Guarded");
    auto* guard = new TCloseGuard(window, {t.people.get(), t.notes.get()});
    guard->OnClose([&closed] { closed << "first step"; });
    guard->OnClose([&closed] { closed << "second step"; });
    auto* layout = new QVBoxLayout(window);
    layout->addWidget(new QLineEdit(window));
    layout->addWidget(Look::CloseButton(window));
    return window;
}

void CloseBy(QWidget* window, const QString& how) {
    if (how == "close box")
        window->close();
    else if (how == "Close button")
        window->findChild<QPushButton*>()->click();
    else if (how == "Escape")
        QTest::keyClick(window, Qt::Key_Escape);
    else if (how == "Escape in a box")
        QTest::keyClick(window->findChild<QLineEdit*>(), Qt::Key_Escape);
}

QList<int> Numbers(Table* table) {
    QList<int> numbers;
    for (int row = 0; row < table->DisplayRowCount(); ++row)
        numbers << table->DisplayValue(row, 0).toInt();
    return numbers;
}

} // namespace

class TestWindowPieces : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Each way of closing, with each guarded table pending in turn.
    void closeGuardKeepsAPendingWindowOpen_data() {
        QTest::addColumn<bool>("dialog");
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("notesPending");
        QTest::newRow("window, close box") << false << "close box" << false;
        QTest::newRow("window, Close button") << false << "Close button" << true;
        QTest::newRow("dialog, close box") << true << "close box" << true;
        QTest::newRow("dialog, Close button") << true << "Close button" << false;
        QTest::newRow("dialog, Escape") << true << "Escape" << false;
        QTest::newRow("dialog, Escape in a box") << true << "Escape in a box" << true;
    }
    void closeGuardKeepsAPendingWindowOpen() {
        QFETCH(bool, dialog);
        QFETCH(QString, how);
        QFETCH(bool, notesPending);
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        t.notes->Open();
        Table* pending = notesPending ? t.notes.get() : t.people.get();
        QStringList closed;
        QPointer<QWidget> window = GuardedWindow(dialog, t, closed);
        QVERIFY(ShowActive(*window));
        if (notesPending) {
            pending->Append();
            pending->FieldByName("RecordNumber")->SetAsInteger(1);
        } else {
            pending->Edit();
        }

        CloseBy(window, how);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window && window->isVisible());
        QCOMPARE(Dialogs::ShownTexts(), QStringList{"Please Post or Cancel the changes."});
        QCOMPARE(closed, QStringList());
        QVERIFY(pending->State() != DataSetState::Browse); // nothing posted or cancelled

        pending->Cancel();
        CloseBy(window, how);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window.isNull()); // closed, and freed
        QCOMPARE(closed, QStringList({"first step", "second step"}));
        QCOMPARE(Dialogs::ShownLog().size(), 1);
    }

    // What a keeper leaves: the parts it restores, the order it states, and the rest as the
    // work left them (record order, members only, on the last member), also when the work
    // ends in an error. Before the work: last-name order, every row, on Adams (2).
    void keeperLeavesTheTableAsStated_data() {
        QTest::addColumn<int>("restore");
        QTest::addColumn<QString>("order");
        QTest::addColumn<QString>("index");
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<int>("current");
        QTest::newRow("nothing restored") << 0 << ""
                                          << "" << QList<int>{1, 2, 4} << 4;
        QTest::newRow("position") << int(TTableKeeper::Position) << ""
                                  << "" << QList<int>{1, 2, 4} << 2;
        QTest::newRow("order, filter and position")
            << int(TTableKeeper::Order | TTableKeeper::Filter | TTableKeeper::Position) << ""
            << "PLN" << QList<int>{2, 5, 4, 1, 3} << 2;
        QTest::newRow("a stated order, the filter restored")
            << int(TTableKeeper::Filter) << "RecordNumber"
            << "" << QList<int>{1, 2, 3, 4, 5} << 4;
    }
    void keeperLeavesTheTableAsStated() {
        QFETCH(int, restore);
        QFETCH(QString, order);
        QFETCH(QString, index);
        QFETCH(QList<int>, rows);
        QFETCH(int, current);
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        Table* people = t.people.get();
        for (bool fails : {false, true}) {
            people->SetFiltered(false);
            people->SetIndexName("PLN");
            people->Locate("RecordNumber", {2});
            try {
                TTableKeeper keeper(people,
                                    {.restore = TTableKeeper::Parts(restore), .order = order});
                people->SetIndexName("");
                people->SetFilter("IsMember = true");
                people->SetFiltered(true);
                people->Last();
                if (fails)
                    throw EDatabaseError("Printer not ready");
            } catch (const EDatabaseError&) {
            }
            QCOMPARE(people->IndexName(), index);
            if (!order.isEmpty())
                QCOMPARE(people->IndexFieldNames(), order);
            QCOMPARE(Numbers(people), rows);
            QCOMPARE(t.Number(), current);
        }
        QCOMPARE(Dialogs::ShownLog().size(), 0);
    }

    void keeperRestoresOrRemovesTheLink() {
        Tables t;
        t.AddFive();
        Table* notes = t.notes.get();
        notes->Open();
        {
            TTableKeeper keeper(notes, {.restore = TTableKeeper::Link});
            notes->SetMasterSource(t.peopleS.get());
            notes->SetMasterFields("RecordNumber");
        }
        QCOMPARE(notes->MasterSource(), nullptr);
        notes->SetMasterSource(t.peopleS.get());
        notes->SetMasterFields("RecordNumber");
        {
            TTableKeeper keeper(notes, {.restore = TTableKeeper::Link});
            notes->SetMasterSource(nullptr);
        }
        QCOMPARE(notes->MasterSource(), t.peopleS.get());
        QCOMPARE(notes->MasterFields(), QString("RecordNumber"));
        { TTableKeeper keeper(notes, {.unlinked = true}); }
        QCOMPARE(notes->MasterSource(), nullptr);
        QCOMPARE(notes->MasterFields(), QString());
    }

    void windowSetUpAndCaptionRows() {
        Tables t;
        t.AddFive();
        QWidget window;
        Look::SetUpWindow(&window, "PeopleForm", "People");
        window.setAttribute(Qt::WA_DeleteOnClose, false); // on the stack here
        QCOMPARE(window.objectName(), QString("PeopleForm"));
        QCOMPARE(window.windowTitle(), QString("People"));
        Look::SetWindowColours(&window, Qt::darkBlue, Qt::white);
        QVERIFY(window.autoFillBackground());
        QCOMPARE(window.palette().color(QPalette::Window), QColor(Qt::darkBlue));
        QCOMPARE(window.palette().color(QPalette::WindowText), QColor(Qt::white));
        QFormLayout* form = Look::CaptionForm();
        auto* box = new QLineEdit(&window);
        QLabel* caption = Look::AddCaptionRow(form, "&Last Name", box);
        window.setLayout(form);
        QCOMPARE(caption->buddy(), box);
        QCOMPARE(form->labelForField(box), caption);
        QVERIFY(caption->font().bold());
        QCOMPARE(caption->palette().color(QPalette::WindowText), Look::Maroon);
        QVERIFY(caption->alignment() & Qt::AlignRight);

        QLabel* searchCaption = nullptr;
        TDBSearchBox* search = Look::SearchBox(&window, t.peopleS.get(), "LName", "PLN",
                                               "Search by Last Name", searchCaption);
        QCOMPARE(search->objectName(), QString("SearchBox"));
        QCOMPARE(search->DataField(), QString("LName"));
        QCOMPARE(search->IndexName(), QString("PLN"));
        QCOMPARE(search->palette().color(QPalette::Base), Look::SearchYellow);
        QCOMPARE(searchCaption->text(), QString("Search by Last Name"));
        QCOMPARE(searchCaption->buddy(), search);
    }

    void browseGridLook_data() {
        QTest::addColumn<bool>("boldCentred");
        QTest::addColumn<bool>("silver");
        QTest::newRow("titles bold and centred, silver rows") << true << true;
        QTest::newRow("plain titles and rows") << false << false;
    }
    void browseGridLook() {
        QFETCH(bool, boldCentred);
        QFETCH(bool, silver);
        Tables t;
        t.AddFive();
        TDBGrid grid(t.peopleS.get());
        grid.AddColumn("RecordNumber", "Record");
        grid.AddColumn("LName", "Last Name");
        Look::SetBrowseGridLook(&grid, {.boldCentredTitles = boldCentred, .silverRows = silver});
        QVERIFY(!(grid.GetOptions() & TDBGrid::Editing));
        QVERIFY(grid.GetOptions() & TDBGrid::RowSelect);
        QCOMPARE(grid.textElideMode(), Qt::ElideNone);
        QAbstractItemModel* model = grid.model();
        for (int c = 0; c < 2; ++c) {
            QCOMPARE(model->headerData(c, Qt::Horizontal, Qt::ForegroundRole).value<QColor>(),
                     Look::Maroon);
            QCOMPARE(model->headerData(c, Qt::Horizontal, Qt::FontRole).value<QFont>().bold(),
                     boldCentred);
            QCOMPARE(bool(model->headerData(c, Qt::Horizontal, Qt::TextAlignmentRole).toInt() &
                          Qt::AlignHCenter),
                     boldCentred);
        }
        QCOMPARE(grid.alternatingRowColors(), silver);
        if (silver)
            QCOMPARE(grid.palette().color(QPalette::AlternateBase), Look::Silver);
    }

    // Entry grids keep their editing and take only the title colours.
    void gridTitleColours() {
        Tables t;
        t.AddFive();
        TDBGrid grid(t.peopleS.get());
        grid.AddColumn("RecordNumber", "Record");
        grid.AddColumn("Pledge", "Pledge");
        const TDBGrid::Options before = grid.GetOptions();
        Look::SetGridTitleColours(&grid, Look::Silver, Look::Olive);
        QCOMPARE(grid.GetOptions(), before);
        QVERIFY(grid.GetOptions() & TDBGrid::Editing);
        QAbstractItemModel* model = grid.model();
        for (int c = 0; c < 2; ++c) {
            QCOMPARE(model->headerData(c, Qt::Horizontal, Qt::ForegroundRole).value<QColor>(),
                     Look::Silver);
            QCOMPARE(model->headerData(c, Qt::Horizontal, Qt::BackgroundRole).value<QColor>(),
                     Look::Olive);
            QVERIFY(model->headerData(c, Qt::Horizontal, Qt::FontRole).value<QFont>().bold());
            QVERIFY(model->headerData(c, Qt::Horizontal, Qt::TextAlignmentRole).toInt() &
                    Qt::AlignHCenter);
        }
    }

    void centredOnTheOtherWindow() {
        QWidget main;
        main.setGeometry(100, 80, 800, 600);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        QWidget owned(&main, Qt::Window);
        owned.resize(200, 100);
        Look::CentreOnOwner(&owned);
        QVERIFY((owned.geometry().center() - main.frameGeometry().center()).manhattanLength() <= 2);
        main.hide();
        Look::CentreOnOwner(&owned); // a hidden owner: the screen instead
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY((owned.geometry().center() - screen.center()).manhattanLength() <= 2);
    }
};

VTX_REGISTER_TEST(TestWindowPieces)
#include "tst_windowpieces.moc"
