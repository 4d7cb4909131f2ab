#include "app/vtxGlobalsU.h"

QString ProgramFolder;
int ReportKind = 0;
QString ReportQuarter;

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
