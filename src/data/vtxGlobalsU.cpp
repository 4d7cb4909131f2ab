#include "data/vtxGlobalsU.h"

#include "data/vtxDataM.h"
#include "engine/ESBDates.h"

#include <QtGlobal>
#include <algorithm>

QString ProgramFolder;
int ReportKind = 0;
QString ReportQuarter;
QString HelpFile;

int ActiveRecordNumber = 0;
QString ActiveFName;
QString ActiveLName;
QString ActiveMName;
QString ActiveLFMName;
int NextRecordNumber = 0;
int CurrentMinistryNumber = 0;
QString CurrentMinistryName;
QString CurrentMinistryDescription;
bool CurrentMinistryGoverning = false;
int CurrentMinistryMaxMembers = 0;
QString CurrentOrderName;
int CurrentOrderNumber = 0;
QString CurrentEnvelopeNumber;
Currency CurrentPledgeAmount;

void ResetProgramValues() {
    ReportKind = 0;
    ReportQuarter.clear();
    ActiveRecordNumber = 0;
    ActiveFName.clear();
    ActiveLName.clear();
    ActiveMName.clear();
    ActiveLFMName.clear();
    NextRecordNumber = 0;
    CurrentMinistryNumber = 0;
    CurrentMinistryName.clear();
    CurrentMinistryDescription.clear();
    CurrentMinistryGoverning = false;
    CurrentMinistryMaxMembers = 0;
    CurrentOrderName.clear();
    CurrentOrderNumber = 0;
    CurrentEnvelopeNumber.clear();
    CurrentPledgeAmount = Currency();
}

namespace {

TRuleMessageSink& Sink() {
    static TRuleMessageSink sink;
    return sink;
}

} // namespace

void SetRuleMessageSink(TRuleMessageSink sink) {
    Sink() = std::move(sink);
}

void ShowRuleMessage(const QString& text) {
    if (Sink())
        Sink()(text);
    else
        qWarning("%s", qPrintable(text));
}

bool CheckActiveRecord() {
    if (ActiveRecordNumber > 0)
        return true;
    ShowRuleMessage("There must be an active record in the roster\n"
                    "before this record can be created.");
    return false;
}

int NextRosterRecordNumber() {
    if (!DataMod)
        return 1;
    Table* roster = DataMod->RosterT;
    int largest = 0;
    auto take = [&largest](Table* table, const char* field) {
        if (!table)
            return;
        const QVariant v = table->MaxValue(field);
        if (v.isValid() && !v.isNull())
            largest = std::max(largest, int(v.toDouble()));
    };
    take(roster, "RecordNumber");
    for (Table* detail :
         {DataMod->RosterDatesT, DataMod->MemoT, DataMod->BaptismT, DataMod->BirthT,
          DataMod->MarriageT, DataMod->CounselingT, DataMod->WedFamilyT, DataMod->WedPartyT,
          DataMod->WedLogisticsT, DataMod->PassingT, DataMod->EnvelopeT})
        take(detail, "RecordNumber");
    take(DataMod->LayMinistryRosterT, "RosterRecordNumber");
    // The roster is left on its last row, which becomes the active record; bound
    // controls hear of it once, at the end.
    if (roster->Active()) {
        roster->DisableControls();
        try {
            roster->Last();
        } catch (...) {
            roster->EnableControls();
            throw;
        }
        roster->EnableControls();
    }
    return largest + 1;
}

TDateTime SundayOfWeek(int year, int week) {
    return SundayOfWeekN(year, week);
}
