#include "utilities/vtxRepairU.h"

#include "data/vtxDataM.h"
#include "engine/EDatabaseError.h"
#include "utilities/TUtility.h"

#include <QFile>
#include <QFileInfo>

using namespace RepairLog;

TRepairBatch::TRepairBatch(TTUtility& utility) : m_utility(utility) {}

void TRepairBatch::Say(const QString& line) {
    if (Log)
        Log(line);
}

void TRepairBatch::VerifyOnly(const QString& sourceFolder, const QStringList& tables,
                              const QString& borrowFolder) {
    Say(StartVerifyOnly);
    if (OnResetIndicators)
        OnResetIndicators();
    m_utility.AppendErrors = false;
    const int count = int(tables.size());
    for (int i = 0; i < count; ++i) {
        const QString& table = tables[i];
        Say(VerifyingTable + table);
        try {
            m_utility.SetUpTable(sourceFolder, table, borrowFolder);
            m_utility.ReadProperties();
            if (OnTable)
                OnTable(i + 1, count);
            if (OnCaption)
                OnCaption(true, true);
            const int status = m_utility.Verify();
            if (OnCaption)
                OnCaption(true, false);
            Say(VerifyingStatus + QString::number(status));
        } catch (const EDatabaseError& error) {
            if (OnCaption)
                OnCaption(true, false);
            Say(QStringLiteral("Error processing %1:").arg(table));
            Say(error.Message());
        }
        if (OnResetIndicators)
            OnResetIndicators();
        // From here on the batch's error table collects the findings of every table.
        if (QFile::exists(m_utility.ErrorTableName))
            m_utility.AppendErrors = true;
    }
    Say(VerifyOnlyComplete);
}

void TRepairBatch::VerifyAndRebuild(const QString& sourceFolder, const QStringList& tables,
                                    const QString& borrowFolder, bool alwaysRebuild) {
    if (OnResetIndicators)
        OnResetIndicators();
    m_utility.AppendErrors = false;
    m_utility.AlwaysRebuild = alwaysRebuild;
    const int count = int(tables.size());
    for (int i = 0; i < count; ++i) {
        const QString& table = tables[i];
        try {
            m_utility.SetUpTable(sourceFolder, table, borrowFolder);
            m_utility.ReadProperties();
            if (OnTable)
                OnTable(i + 1, count);
            Decide(table);
        } catch (const EDatabaseError& error) {
            if (OnCaption) {
                OnCaption(true, false);
                OnCaption(false, false);
            }
            Say(QStringLiteral("Error processing %1:").arg(table));
            Say(error.Message());
        }
        if (OnResetIndicators)
            OnResetIndicators();
        if (QFile::exists(m_utility.ErrorTableName))
            m_utility.AppendErrors = true;
    }
    m_utility.AlwaysRebuild = false;
    QFile::remove(TTUtility::ErrorTableFile());
}

void TRepairBatch::Decide(const QString& table) {
    Say(VerifyingTable + table);
    if (OnCaption)
        OnCaption(true, true);
    const int status = m_utility.Verify();
    if (OnCaption)
        OnCaption(true, false);
    Say(VerifyingStatus + QString::number(status));
    const bool own = m_utility.OwnStructureUsable;
    const bool borrowed = m_utility.AltStructAlways;
    if (own && status == 0 && !m_utility.AlwaysRebuild) {
        Say(NoRebuildRequired);
    } else if (own && status <= 2 && !borrowed) {
        Say(QStringLiteral("Rebuilding Table          : %1 (status %2, from its own structure)")
                .arg(table)
                .arg(status));
        Say(RebuildingTable);
        Rebuild(false);
        Say(RebuildCompleted);
    } else if (status < 4) {
        Say(QStringLiteral("Borrowed Structure        : %1 (status %2)")
                .arg(borrowed ? m_utility.AltStructName : QStringLiteral("none"))
                .arg(status));
        Say(RebuildingTable);
        if (!borrowed) {
            Say(table + CannotRebuild);
            return;
        }
        Rebuild(true);
        Say(RebuildCompleted);
    } else {
        Say(QStringLiteral("%1 is not repairable (status %2)").arg(table).arg(status));
    }
}

void TRepairBatch::Rebuild(bool fromBorrowed) {
    const QString path = m_utility.TableName;
    if (OnCaption)
        OnCaption(false, true);
    // The library's lines about the rebuild go to the log as well.
    auto progress = m_utility.OnProgress;
    m_utility.OnProgress = [&](const TUProgress& p) {
        if (p.kind == TU_PROGRESS_TEXT && p.text)
            Say(QString::fromUtf8(p.text));
        if (progress)
            progress(p);
    };
    auto finish = [&] {
        m_utility.OnProgress = progress;
        if (Restore)
            Restore(path);
        if (OnCaption)
            OnCaption(false, false);
    };
    try {
        if (Release)
            Release(path);
    } catch (...) {
        m_utility.OnProgress = progress;
        if (OnCaption)
            OnCaption(false, false);
        throw;
    }
    try {
        m_utility.Rebuild(fromBorrowed);
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

// ---- the program's tables around a rebuild ---------------------------------------------------

TSharedTablesReleased::TSharedTablesReleased(TDataMod* data, const QString& path) {
    if (!data)
        return;
    const QString file = QFileInfo(path).absoluteFilePath();
    QList<Table*> onFile;
    for (Table* table : data->Tables()) {
        if (!table->Active())
            continue;
        QString tablePath;
        try {
            tablePath = QFileInfo(table->FilePath()).absoluteFilePath();
        } catch (const EDatabaseError&) {
            continue;
        }
        if (tablePath != file)
            continue;
        if (table->State() == DataSetState::Edit || table->State() == DataSetState::Insert)
            throw EDatabaseError(
                QStringLiteral("%1 has a change that is not posted.  Post or cancel it, then "
                               "try again.")
                    .arg(table->TableName()));
        onFile << table;
    }
    for (Table* table : onFile) {
        m_closed.append({table, table->GetBookmark()});
        table->Close();
    }
}

TSharedTablesReleased::~TSharedTablesReleased() {
    try {
        Restore();
    } catch (...) {
    }
}

void TSharedTablesReleased::Restore() {
    const QList<Closed> closed = m_closed;
    m_closed.clear();
    for (const Closed& c : closed) {
        c.table->Open();
        if (c.bookmark)
            c.table->GotoBookmark(c.bookmark);
    }
}
