#include "utilities/vtxDBCleanupU.h"

#include "data/vtxDataM.h"
#include "engine/EDatabaseError.h"

const QList<TCleanupCategory>& CleanupCategories() {
    static const QList<TCleanupCategory> categories = {
        {"RosterCheckBox",
         "Roster Records (All Members and Non-members)",
         {"RosterT", "MemoT", "RosterDatesT"},
         "All roster data will be deleted.",
         "Roster deletion cancelled.",
         "Roster data deleted."},
        {"ConfirmationCheckBox",
         "Confirmation Records",
         {"ConfirmationT"},
         "All confirmation data will be deleted.",
         "Confirmation data deletion cancelled.",
         "Confirmation data deleted."},
        {"PassingCheckBox",
         "Passing Records",
         {"PassingT"},
         "All passing records will be deleted.",
         "Passing data deletion cancelled.",
         "Passing data deleted."},
        {"BaptismCheckBox",
         "Baptism Records",
         {"BaptismT"},
         "All baptism records will be deleted.",
         "Baptism data deletion cancelled.",
         "Baptism data deleted."},
        {"BirthCheckBox",
         "Birth Records",
         {"BirthT"},
         "Birth records will be deleted.",
         "Birth data deletion cancelled.",
         "Birth data deleted."},
        {"CounselingCheckBox",
         "Counseling Records",
         {"CounselingT"},
         "Counseling appointment records will be deleted.",
         "Counseling appointment data deletion cancelled.",
         "Counseling appointment data deleted."},
        {"EnvelopeCheckBox",
         "Envelope Assignment Records",
         {"EnvelopeT"},
         "Envelope assignment records will be deleted.",
         "Envelope data deletion cancelled.",
         "Envelope assignment data deleted."},
        {"EnvelopeOfferingCheckBox",
         "Envelope Offering Records",
         {"EnvelopeOfferingT"},
         "Envelope offering records will be deleted.",
         "Envelope offering data deletion cancelled.",
         "Envelope offering data deleted."},
        {"LayMinistryCheckBox",
         "Lay Ministry Participation Records",
         {"LayMinistryRosterT"},
         "Lay ministry participation records will be deleted.",
         "Lay ministry data deletion cancelled.",
         "Lay ministry participation data deleted."},
        {"MarriageCheckBox",
         "Marriage and Wedding Logistic Records",
         {"MarriageT", "WedFamilyT", "WedPartyT", "WedLogisticsT"},
         "Marriage and related records will be deleted.",
         "Marriage data deletion cancelled.",
         "Marriage data deleted."},
        {"LooseOfferingCheckBox",
         "Loose Offering Records",
         {"OfferingT"},
         "Loose offering data will be deleted.",
         "Loose offering data deletion cancelled.",
         "Loose offering data deleted."},
        {"UsherCheckBox",
         "Usher Reports Data",
         {"UsherReportT"},
         "Usher reports data will be deleted.",
         "Usher data deletion cancelled.",
         "Usher report data deleted."},
        {"WorshipCheckBox",
         "Worship Service Records",
         {"WorshipT"},
         "Worship service records will be deleted.",
         "Worship service data deletion cancelled.",
         "Worship services data deleted."},
    };
    return categories;
}

QString CleanupQuestion(const TCleanupCategory& category, bool ticked) {
    return (ticked ? category.tickedQuestion : category.clearedQuestion) +
           QStringLiteral("\n              All done?");
}

void EmptySharedTable(Table* table) {
    const bool wasOpen = table->Active();
    if (table->State() == DataSetState::Edit || table->State() == DataSetState::Insert)
        table->Cancel();
    table->Close();
    try {
        table->EmptyTable();
    } catch (...) {
        // The table is left as it was, open again if it was.
        if (wasOpen) {
            try {
                table->Open();
            } catch (...) {
            }
        }
        throw;
    }
    if (wasOpen)
        table->Open();
}

TCleanupOutcome RunCleanup(TDataMod& data, const QList<bool>& ticked, bool confirmCritical,
                           const std::function<void(const QString& text, bool error)>& message) {
    auto say = [&](const QString& text, bool error) {
        if (message)
            message(text, error);
    };
    const QList<TCleanupCategory>& categories = CleanupCategories();
    bool any = false;
    for (int i = 0; i < categories.size(); ++i) {
        if (!ticked.value(i))
            continue;
        any = true;
        try {
            for (const QString& name : categories[i].tables) {
                Table* table = data.TableByName(name);
                if (!table)
                    throw EDatabaseError(QStringLiteral("Unknown table %1").arg(name));
                EmptySharedTable(table);
            }
        } catch (...) {
            say(CleanupErrorText, true);
            return TCleanupOutcome::Failed;
        }
        if (confirmCritical)
            say(categories[i].deletedMessage, false);
    }
    say(any ? CleanupDoneText : CleanupNothingText, false);
    return any ? TCleanupOutcome::Completed : TCleanupOutcome::NothingRequested;
}
