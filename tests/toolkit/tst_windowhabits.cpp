// The habits every window gets from the toolkit's pieces: closing a window closes the windows
// it owns first, each through its own check; windows stay above their owners; a window shown
// beside a modal one can be used; Escape closes view windows; one fixed size has no maximize
// button; boxes stay readable and the selected grid row in view when a window shrinks.

#include "ToolkitFixture.h"
#include "toolkit/vtxCloseGuard.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxDateEdit.h"
#include "toolkit/vtxWindowLook.h"

#include <QDialog>
#include <QFormLayout>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>

using namespace toolkit_test;

namespace {

// A top-level window set up as the program's windows are, guarding a table when given one,
// and noting its name in closed when it closes.
QWidget* MakeWindow(QWidget* owner, const QString& name, Table* guarded, QStringList& closed,
                    bool dialog = false) {
    QWidget* window = dialog ? new QDialog(owner) : new QWidget(owner, Qt::Window);
    Look::SetUpWindow(window, name, name);
    auto* guard = guarded ? new TCloseGuard(window, {guarded}) : TCloseGuard::Of(window);
    guard->OnClose([&closed, name] { closed << name; });
    auto* layout = new QVBoxLayout(window);
    layout->addWidget(new QLineEdit(window));
    layout->addWidget(Look::CloseButton(window));
    window->resize(240, 120);
    return window;
}

// The program's main window, as the windows find it.
struct MainForm {
    QWidget window;
    MainForm() {
        window.setObjectName("MainForm");
        window.resize(600, 400);
    }
};

// Counts the clicks on a button that reach it through the window system, as a user's do
// (a window blocked by a modal one gets none).
int ClicksThroughWindowSystem(QWidget* window, QPushButton* button) {
    int clicks = 0;
    const auto c = QObject::connect(button, &QPushButton::clicked, [&clicks] { ++clicks; });
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                      button->mapTo(window, button->rect().center()));
    QTest::qWait(20);
    QObject::disconnect(c);
    return clicks;
}

} // namespace

class TestWindowHabits : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // An owner with an owned window, which owns a window of its own; the record pending in
    // one of them. Owner, owned and deep guard the people, notes and groups tables.
    void closingClosesOwnedWindowsFirst_data() {
        QTest::addColumn<QString>("owner");
        QTest::addColumn<QString>("pending");
        QTest::addColumn<QStringList>("closedFirst"); // by the first attempt
        for (const QString owner : {"entry window", "view window", "dialog"}) {
            const QByteArray o = owner.toUtf8();
            QTest::addRow("%s, nothing pending", o.data())
                << owner << "none" << QStringList{"deep", "owned", "owner"};
            QTest::addRow("%s, owned window pending", o.data())
                << owner << "owned" << QStringList{"deep"};
            QTest::addRow("%s, window of the owned window pending", o.data())
                << owner << "deep" << QStringList{};
        }
        QTest::newRow("entry window pending itself") << "entry window"
                                                     << "owner" << QStringList{};
    }
    void closingClosesOwnedWindowsFirst() {
        QFETCH(QString, owner);
        QFETCH(QString, pending);
        QFETCH(QStringList, closedFirst);
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        t.AddGroup(1, "Choir");
        t.notes->Open();
        QStringList closed;
        QPointer<QWidget> top =
            MakeWindow(nullptr, "owner", owner == "entry window" ? t.people.get() : nullptr, closed,
                       owner == "dialog");
        QPointer<QWidget> owned = MakeWindow(top, "owned", t.notes.get(), closed);
        QPointer<QWidget> deep = MakeWindow(owned, "deep", t.groups.get(), closed);
        QPointer<QWidget> hidden = MakeWindow(top, "hidden", nullptr, closed);
        for (QWidget* w : {top.data(), owned.data(), deep.data()})
            w->show();
        Table* table = pending == "owner"   ? t.people.get()
                       : pending == "owned" ? t.notes.get()
                       : pending == "deep"  ? t.groups.get()
                                            : nullptr;
        if (table == t.notes.get()) {
            table->Append();
            table->FieldByName("RecordNumber")->SetAsInteger(1);
        } else if (table) {
            table->Edit();
        }

        top->findChild<QPushButton*>()->click(); // its Close button
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(closed, closedFirst);
        QCOMPARE(Dialogs::ShownTexts(),
                 table ? QStringList{TCloseGuard::PendingText} : QStringList{});
        QCOMPARE(top.isNull(), !table);
        if (table) {
            QVERIFY(top->isVisible());
            QVERIFY(table->State() != DataSetState::Browse); // nothing posted or cancelled
            table->Cancel();
            top->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(top.isNull());
        }
        QVERIFY(owned.isNull() && deep.isNull() && hidden.isNull()); // freed with their owner
        QCOMPARE(closed, QStringList({"deep", "owned", "owner"}));   // a hidden one is not asked
    }

    // The window system keeps dialogs above the window they belong to; every window set up
    // by the toolkit is one, and one without an owner belongs to the main window.
    void windowsStayAboveTheirOwner() {
        ScriptedDialogs dialogs;
        MainForm main;
        main.window.show();
        QStringList closed;
        QWidget* roster = MakeWindow(&main.window, "roster", nullptr, closed);
        QWidget* unowned = MakeWindow(nullptr, "unowned", nullptr, closed);
        QWidget* small = MakeWindow(roster, "small", nullptr, closed);
        QWidget* dialog = MakeWindow(roster, "dialog", nullptr, closed, true);
        const QList<std::pair<QWidget*, QWidget*>> owners = {
            {roster, &main.window}, {unowned, &main.window}, {small, roster}, {dialog, roster}};
        for (const auto& [window, owner] : owners) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
            QCOMPARE(window->parentWidget(), owner);
            QVERIFY(window->isWindow()); // a window of its own, not a part of its owner
            QCOMPARE(window->windowType(), Qt::Dialog);
            QCOMPARE(window->windowHandle()->transientParent(), owner->windowHandle());
        }
        // The plain windows keep a plain window's title bar buttons.
        for (QWidget* window : {roster, unowned, small})
            QVERIFY(window->windowHandle()->flags().testFlags(
                Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                Qt::WindowCloseButtonHint | Qt::WindowTitleHint));
        delete unowned;
        delete roster;
    }

    // A window shown beside a modal window takes clicks while the modal one is open, and goes
    // back to its owner when it closes; a window shown the usual way is blocked.
    void windowBesideAModalWindowCanBeUsed() {
        ScriptedDialogs dialogs;
        MainForm main;
        main.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main.window));
        QStringList closed;
        QWidget* help = MakeWindow(&main.window, "help", nullptr, closed);
        QWidget* other = MakeWindow(&main.window, "other", nullptr, closed);
        auto* helpButton = new QPushButton("Contents", help);
        auto* otherButton = new QPushButton("Contents", other);
        help->layout()->addWidget(helpButton);
        other->layout()->addWidget(otherButton);
        // Beside no modal window it is a window like the others.
        Look::ShowBesideModalWindow(help);
        QVERIFY(QTest::qWaitForWindowExposed(help));
        QCOMPARE(help->windowHandle()->transientParent(), main.window.windowHandle());
        help->hide();

        QDialog modal(&main.window);
        modal.setWindowModality(Qt::ApplicationModal);
        modal.resize(200, 100);
        modal.show();
        QVERIFY(QTest::qWaitForWindowExposed(&modal));
        other->show();
        QVERIFY(QTest::qWaitForWindowExposed(other));
        QCOMPARE(ClicksThroughWindowSystem(other, otherButton), 0);
        Look::ShowBesideModalWindow(help);
        QVERIFY(QTest::qWaitForWindowExposed(help));
        QCOMPARE(ClicksThroughWindowSystem(help, helpButton), 1);
        QCOMPARE(help->windowHandle()->transientParent(), modal.windowHandle());

        modal.hide();
        QCOMPARE(help->windowHandle()->transientParent(), main.window.windowHandle());
        QCOMPARE(ClicksThroughWindowSystem(help, helpButton), 1);
        delete help;
        delete other;
    }

    // Escape that no box wants closes a view window (through its checks, closing steps
    // included) and a dialog; in an entry window it closes nothing.
    void escapeClosesViewWindows_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("inABox");
        QTest::addColumn<bool>("closes");
        QTest::newRow("view window") << "view" << false << true;
        QTest::newRow("view window, Escape in a box") << "view" << true << true;
        QTest::newRow("view window with closing steps") << "view with steps" << true << true;
        QTest::newRow("dialog") << "dialog" << true << true;
        QTest::newRow("entry window") << "entry" << false << false;
        QTest::newRow("entry window, Escape in a box") << "entry" << true << false;
    }
    void escapeClosesViewWindows() {
        QFETCH(QString, kind);
        QFETCH(bool, inABox);
        QFETCH(bool, closes);
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        QStringList closed;
        QPointer<QWidget> window =
            MakeWindow(nullptr, "window", kind == "entry" ? t.people.get() : nullptr, closed,
                       kind == "dialog");
        bool stepRan = false;
        if (kind == "view with steps")
            (new TCloseGuard(window))->OnClose([&stepRan] { stepRan = true; });
        QVERIFY(ShowActive(*window));
        QTest::keyClick(inABox ? static_cast<QWidget*>(window->findChild<QLineEdit*>())
                               : window.data(),
                        Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(window.isNull(), closes);
        QCOMPARE(stepRan, kind == "view with steps");
        QCOMPARE(Dialogs::ShownLog().size(), 0);
        delete window.data();
    }

    // One fixed size, by the window or by its layout: no maximize button.
    void fixedSizeWindowsHaveNoMaximizeButton_data() {
        QTest::addColumn<QString>("size");
        QTest::addColumn<bool>("dialog");
        QTest::addColumn<bool>("maximize");
        QTest::newRow("resizable window") << "free" << false << true;
        QTest::newRow("window of one size") << "fixed" << false << false;
        QTest::newRow("window whose layout fixes its size") << "layout" << false << false;
        QTest::newRow("dialog of one size") << "fixed" << true << false;
    }
    void fixedSizeWindowsHaveNoMaximizeButton() {
        QFETCH(QString, size);
        QFETCH(bool, dialog);
        QFETCH(bool, maximize);
        QStringList closed;
        std::unique_ptr<QWidget> window(MakeWindow(nullptr, "window", nullptr, closed, dialog));
        if (size == "fixed")
            window->setFixedSize(300, 150);
        else if (size == "layout")
            window->layout()->setSizeConstraint(QLayout::SetFixedSize);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        const Qt::WindowFlags flags = window->windowHandle()->flags();
        QCOMPARE(flags.testFlag(Qt::WindowMaximizeButtonHint), maximize);
        QCOMPARE(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint), maximize);
        // The buttons are chosen, not left to the window system's defaults.
        QVERIFY(flags.testFlags(Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint |
                                Qt::WindowTitleHint));
    }

    // However small the window is made, a date shows whole in its box and a text box keeps a
    // dozen characters (fewer for a short field).
    void boxesStayReadableWhenTheWindowShrinks() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        t.people->Edit();
        t.people->FieldByName("Joined")->SetAsDate(QDate(2000, 12, 28));
        QStringList closed;
        std::unique_ptr<QWidget> window(MakeWindow(nullptr, "window", nullptr, closed));
        auto* form = new QFormLayout;
        auto* last = new TDBEdit(t.peopleS.get(), "LName", window.get());
        auto* first = new TDBEdit(t.peopleS.get(), "FName", window.get());
        auto* joined = new TDBDateEdit(t.peopleS.get(), "Joined", window.get());
        auto* plain = new QLineEdit(window.get());
        form->addRow("Last", last);
        form->addRow("First", first);
        form->addRow("Joined", joined);
        form->addRow("Other", plain);
        static_cast<QVBoxLayout*>(window->layout())->insertLayout(0, form);
        QVERIFY(ShowActive(*window));
        window->resize(10, 10);
        QCoreApplication::processEvents();
        const int digit = joined->fontMetrics().horizontalAdvance('0');
        auto room = [](QLineEdit* box) {
            const QMargins m = box->textMargins();
            return box->contentsRect().width() - m.left() - m.right();
        };
        QVERIFY(room(joined) >= joined->fontMetrics().horizontalAdvance("12/28/2000"));
        QVERIFY(room(last) >= 12 * digit - 8); // a 12-character field
        QVERIFY(room(first) >= 12 * digit - 8);
        QVERIFY(room(plain) >= 12 * digit - 8);
        for (QLineEdit* box : QList<QLineEdit*>{last, first, joined, plain})
            QVERIFY(box->width() >= Look::ReadableBoxWidth(box));
    }

    // The selected row of a grid stays in view when its window is made lower.
    void selectedRowStaysInViewWhenShrunk() {
        ScriptedDialogs dialogs;
        Tables t;
        for (int n = 1; n <= 60; ++n)
            t.AddPerson(n, "First", QString("Last%1").arg(n));
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* grid = new TDBGrid(t.peopleS.get(), &window);
        grid->AddColumn("RecordNumber");
        grid->AddColumn("LName");
        Look::SetBrowseGridLook(grid);
        layout->addWidget(grid);
        window.resize(400, 900);
        QVERIFY(ShowActive(window));
        t.people->Locate("RecordNumber", {30});
        QCoreApplication::processEvents();
        auto rowShown = [grid] {
            const QRect row = grid->visualRect(grid->currentIndex());
            return grid->viewport()->rect().contains(row);
        };
        QVERIFY(rowShown());
        window.resize(400, 200);
        QCoreApplication::processEvents();
        QCOMPARE(grid->CursorRow(), 29);
        QVERIFY(rowShown());
    }
};

VTX_REGISTER_TEST(TestWindowHabits)
#include "tst_windowhabits.moc"
