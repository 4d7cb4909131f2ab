#pragma once
// Shared pieces of the worship and music tests, on the data module fixture (data folder,
// scripted dialogs, clean-up of the windows a test left open): worship templates set in the
// table files before the data module opens, and the messages of the worship rules.
//
//   WorshipFixture f;
//   f.Create();
//   f.SetTemplate(1, "Holy Communion", {"Prelude", "Greeting"});
//   f.Write("WorshipT", {{{"WorshipDate", QDate(2024, 3, 10)}, {"WorshipTime", QTime(10, 0)}}});
//   f.Start();

#include "DataModuleFixture.h"

class WorshipFixture : public DataModuleFixture {
public:
    // Names a template and sets its elements (the others empty), or deletes it when the
    // name is null (before Start).
    void SetTemplate(int number, const QString& name, const QStringList& elements = {}) {
        Table table(TableDefOf("WorshipOrdersT"), "WorshipOrdersT");
        table.DatabaseName = VTX2AliasName;
        table.Open();
        if (!table.Locate("OrderNumber", {number}))
            qFatal("no template %d", number);
        if (name.isNull()) {
            table.Delete();
            return;
        }
        table.Edit();
        table.FieldByName("OrderName")->SetAsString(name);
        for (int k = 1; k <= 30; ++k)
            table.FieldByName(ElementName(k))->SetAsString(elements.value(k - 1));
        table.Post();
    }

    static QString ElementName(int k) { return QString("Element%1").arg(k, 2, 10, QChar('0')); }
    // Texts of the messages and error boxes among those Shown() lists.
    static QStringList Messages() {
        QStringList texts;
        for (const Dialogs::Shown& shown : Dialogs::ShownLog())
            if (shown.kind == "message" || shown.kind == "error")
                texts << shown.text;
        return texts;
    }

    // The data module's two-line worship message.
    static QString WorshipMessage() {
        return "Be sure you HAVE included both a worship date and time\n"
               "and have NOT scheduled two services for the same date and time.";
    }
    static QString MusicUseMessage() {
        return "There was an error posting to the Music Use table.\n"
               "You may have entered a duplicate use date for the selection.";
    }
};

// Types into a control as a user does: focus first, then the keys one by one.
inline void TypeInto(QWidget* control, const QString& text) {
    control->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(control, text);
}

// Types where the focus is, key by key: into a grid, the first key opens the cell's editor
// and the others go into it.
inline void TypeAtFocus(const QString& text) {
    for (const QChar c : text)
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
}
