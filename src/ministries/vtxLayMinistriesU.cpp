#include "ministries/vtxLayMinistriesU.h"

#include "data/vtxDataM.h"

namespace {

QString MinistryFilter(int ministryNumber) {
    return QStringLiteral("MinistryNumber = %1").arg(ministryNumber);
}

} // namespace

Table* Enrolments() {
    return DataMod->LayMinistryRosterT;
}

void ShowMemberEnrolments() {
    Table* enrolled = Enrolments();
    enrolled->CheckBrowseMode();
    enrolled->SetFiltered(false);
    enrolled->SetDetailFields(QStringLiteral("RosterRecordNumber"));
    enrolled->SetMasterFields(QStringLiteral("RecordNumber"));
    enrolled->SetMasterSource(DataMod->RosterS);
}

void ShowMinistryEnrolments(int ministryNumber) {
    Table* enrolled = Enrolments();
    enrolled->CheckBrowseMode();
    enrolled->SetMasterSource(nullptr);
    enrolled->SetFilter(MinistryFilter(ministryNumber));
    enrolled->SetFiltered(true);
}

bool ShowsMemberEnrolments() {
    const Table* enrolled = Enrolments();
    return enrolled->MasterSource() == DataMod->RosterS && !enrolled->Filtered();
}

bool ShowsMinistryEnrolments(int ministryNumber) {
    const Table* enrolled = Enrolments();
    return !enrolled->MasterSource() && enrolled->Filtered() &&
           enrolled->Filter() == MinistryFilter(ministryNumber);
}
