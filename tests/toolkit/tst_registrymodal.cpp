// Two small pieces the record windows use: a registered window shown modally through the
// dialogs facade (the Select Active Record window, opened from another folder), and the
// hint over a grid column's title.

#include "ToolkitFixture.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxWindowRegistry.h"

#include <QDialog>
#include <QPointer>

using namespace toolkit_test;

namespace {

int Made = 0;

class TProbeModalForm : public QDialog {
public:
    explicit TProbeModalForm(QWidget* owner) : QDialog(owner) {
        setObjectName("ProbeModalForm");
        setAttribute(Qt::WA_DeleteOnClose);
        ++Made;
    }
};

class TProbePlainForm : public QWidget {
public:
    explicit TProbePlainForm(QWidget* owner) : QWidget(owner, Qt::Window) { ++Made; }
};

} // namespace

class TestRegistryModal : public QObject {
    Q_OBJECT

private slots:
    void init() {
        Dialogs::SetScripted(true);
        Dialogs::ClearScript();
        Made = 0;
        RegisterWindow("TProbeModalForm", [](QWidget* o) { return new TProbeModalForm(o); });
        RegisterWindow("TProbePlainForm", [](QWidget* o) { return new TProbePlainForm(o); });
    }
    void cleanup() {
        UnregisterWindow("TProbeModalForm");
        UnregisterWindow("TProbePlainForm");
        Dialogs::ClearScript();
    }

    // The dialog is made for the owner, shown modally, its result returned, and it is gone
    // afterwards whether it closed itself or not.
    void registeredDialogIsShownModallyAndFreed_data() {
        QTest::addColumn<bool>("closesItself");
        QTest::newRow("closed by the user") << true;
        QTest::newRow("left open") << false;
    }
    void registeredDialogIsShownModallyAndFreed() {
        QFETCH(bool, closesItself);
        QWidget owner;
        QPointer<QDialog> seen;
        QWidget* ownerSeen = nullptr;
        Dialogs::QueueModal([&](QDialog* dialog) {
            seen = dialog;
            ownerSeen = dialog->parentWidget();
            if (closesItself)
                dialog->close();
            return int(QDialog::Accepted);
        });
        QCOMPARE(ShowRegisteredModal("TProbeModalForm", &owner), int(QDialog::Accepted));
        QCOMPARE(Dialogs::ShownLog().size(), 1);
        QCOMPARE(Dialogs::ShownLog()[0].kind, QString("modal"));
        QCOMPARE(Dialogs::ShownLog()[0].text, QString("ProbeModalForm"));
        QCOMPARE(ownerSeen, &owner);
        QCOMPARE(Made, 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(seen.isNull());
        QVERIFY(owner.findChildren<QDialog*>().isEmpty());
    }

    void missingOrPlainWindowsShowNothingModal() {
        QWidget owner;
        QCOMPARE(ShowRegisteredModal("TNoSuchForm", &owner), -1);
        QCOMPARE(Dialogs::ShownTexts(), QStringList{NotAvailableText});
        Dialogs::ClearScript();
        QCOMPARE(ShowRegisteredModal("TProbePlainForm", &owner), -1);
        QVERIFY(Dialogs::ShownLog().isEmpty());
        QCOMPARE(Made, 1);
        QVERIFY(owner.findChildren<QWidget*>().isEmpty());
    }

    // The title hint is the header's tool tip; a column without one has none.
    void titleHintIsTheTitlesToolTip() {
        Tables t;
        TDBGrid grid(t.peopleS.get());
        grid.AddColumn("FName", "First Name").TitleHint = "First Name";
        grid.AddColumn("LName", "Last Name");
        QCOMPARE(grid.model()->headerData(0, Qt::Horizontal, Qt::ToolTipRole).toString(),
                 QString("First Name"));
        QVERIFY(!grid.model()->headerData(1, Qt::Horizontal, Qt::ToolTipRole).isValid());
    }
};

VTX_REGISTER_TEST(TestRegistryModal)
#include "tst_registrymodal.moc"
