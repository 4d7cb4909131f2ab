// A second desk for the tests: a program that works on a data folder as another
// copy of Vestrix would, so that tests can run two processes on one folder.
//
//   vtxtestdesk FOLDER
//
// Reads one command a line from standard input and answers each with one line,
// "ok [value]" or "error KIND MESSAGE" (the lines of a message joined by " / "):
//
//   open T | first T | last T | edit T | post T | cancel T | delete T | append T
//   refresh T | count T | state T       the plain table T of the data module
//   locate T FIELD VALUE | set T FIELD VALUE | get T FIELD
//   lock T | unlock T                    holds the table file locked against all
//   create T                             makes the table file of T
//   stored T                             the number of rows in the file of T
//   check T                              the integrity check of the file of T
//   gifts N PREFIX                       posts N envelope gifts, "acked I" after each
//   firststart                           the first start's creation of the folder
//   quit

#include "data/vtxDataM.h"
#include "engine/Sqlite.h"
#include "engine/TableCheck.h"

#include <QCoreApplication>
#include <QDate>
#include <QTextStream>
#include <cstdio>
#include <map>
#include <memory>

namespace {

QString KindName(ErrorKind kind) {
    switch (kind) {
    case ErrorKind::General:
        return "General";
    case ErrorKind::RequiredField:
        return "RequiredField";
    case ErrorKind::KeyViolation:
        return "KeyViolation";
    case ErrorKind::Storage:
        return "Storage";
    case ErrorKind::Conversion:
        return "Conversion";
    case ErrorKind::Locked:
        return "Locked";
    case ErrorKind::ReadOnly:
        return "ReadOnly";
    case ErrorKind::DiskFull:
        return "DiskFull";
    case ErrorKind::Damaged:
        return "Damaged";
    case ErrorKind::RowChanged:
        return "RowChanged";
    }
    return "Unknown";
}

void Say(const QString& line) {
    const QByteArray bytes = (line + '\n').toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

class Desk {
public:
    explicit Desk(const QString& folder) : m_folder(folder) {
        Aliases::SetPath(VTX2AliasName, folder);
    }

    QString Run(const QStringList& words) {
        const QString command = words.value(0);
        if (command == "firststart") {
            TDataMod::EnsureDataFolder(m_folder);
            return {};
        }
        if (command == "gifts")
            return Gifts(words.value(1).toInt(), words.value(2));
        const QString name = words.value(1);
        if (command == "lock") {
            auto& held = m_locks[name];
            held = std::make_unique<SqliteConnection>(m_folder + TableDefOf(name).tableName, false,
                                                      name);
            held->Exec("BEGIN EXCLUSIVE");
            return {};
        }
        if (command == "unlock") {
            m_locks.erase(name);
            return {};
        }
        const TableDef& def = TableDefOf(name);
        if (command == "create") {
            Table table(def, name);
            table.DatabaseName = VTX2AliasName;
            table.CreateTable();
            return {};
        }
        if (command == "stored") {
            SqliteConnection conn(m_folder + def.tableName, false, name);
            auto count = conn.Prepare("SELECT COUNT(*) FROM " + QuoteName(def.BaseName()));
            return QString::number(count->Step() ? count->ColumnInt64(0) : -1);
        }
        if (command == "check") {
            const QString found = CheckTableFile(def, m_folder + def.tableName);
            return found.isEmpty() ? QString("sound") : found;
        }
        Table& t = Plain(name);
        if (command == "open")
            return QString::number(t.RecordCount());
        if (command == "first")
            t.First();
        else if (command == "last")
            t.Last();
        else if (command == "edit")
            t.Edit();
        else if (command == "post")
            t.Post();
        else if (command == "cancel")
            t.Cancel();
        else if (command == "delete")
            t.Delete();
        else if (command == "append")
            t.Append();
        else if (command == "refresh")
            t.Refresh();
        else if (command == "count")
            return QString::number(t.RecordCount());
        else if (command == "state")
            return QString::number(int(t.State()));
        else if (command == "locate")
            return t.Locate(words.value(2), {words.mid(3).join(' ')}) ? "1" : "0";
        else if (command == "set")
            t.FieldByName(words.value(2))->SetAsString(words.mid(3).join(' '));
        else if (command == "get")
            return t.FieldByName(words.value(2))->AsString();
        else
            throw EDatabaseError("Unknown command: " + command);
        return {};
    }

private:
    Table& Plain(const QString& name) {
        auto& slot = m_tables[name];
        if (!slot) {
            slot = std::make_unique<Table>(TableDefOf(name), name);
            slot->DatabaseName = VTX2AliasName;
            slot->Open();
        }
        return *slot;
    }

    QString Gifts(int count, const QString& prefix) {
        Table& t = Plain("EnvelopeOfferingT");
        for (int i = 1; i <= count; ++i) {
            t.Append();
            t.FieldByName("EnvelopeNumber")->SetAsString(prefix + QString::number(i));
            t.FieldByName("OfferingDate")->SetAsDate(QDate(2024, 1, 7));
            t.FieldByName("Amount")->SetAsString("4321.50");
            t.Post();
            Say(QString("acked %1").arg(i));
        }
        return {};
    }

    QString m_folder;
    std::map<QString, std::unique_ptr<Table>> m_tables;
    std::map<QString, std::unique_ptr<SqliteConnection>> m_locks;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: vtxtestdesk FOLDER\n");
        return 2;
    }
    QString folder = QString::fromLocal8Bit(argv[1]);
    if (!folder.endsWith('/'))
        folder += '/';
    Desk desk(folder);
    QTextStream in(stdin);
    QString line;
    while (in.readLineInto(&line)) {
        const QStringList words = line.split(' ', Qt::SkipEmptyParts);
        if (words.isEmpty())
            continue;
        if (words.first() == "quit")
            break;
        try {
            const QString value = desk.Run(words);
            Say(value.isEmpty() ? "ok" : "ok " + value);
        } catch (const EDatabaseError& e) {
            Say("error " + KindName(e.Kind()) + " " + QString(e.Message()).replace('\n', " / "));
        } catch (const std::exception& e) {
            Say(QString("error Other ") + e.what());
        }
    }
    return 0;
}
