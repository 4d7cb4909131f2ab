// The data module's rules: which event of which table or data source runs which
// rule, and the rules themselves.
//
#include "data/vtxDataM.h"

#include "data/vtxGlobalsU.h"
#include "engine/ESBDates.h"

void TDataMod::AttachRules() {
    RosterS->OnDataChange = [this](Field* field) { RosterSDataChange(field); };
    RosterT->OnNewRecord = [this](DataSet& d) { RosterTNewRecord(d); };
    RosterT->AfterPost = [this](DataSet& d) { RosterTAfterPost(d); };
    RosterT->OnCalcFields = [this](DataSet& d) { CalculateFullName(d); };

    for (Table* t :
         {BaptismT, MarriageT, MemoT, CounselingT, WedFamilyT, WedLogisticsT, WedPartyT, EnvelopeT})
        t->BeforePost = [this](DataSet& d) { DetailTablesBeforePost(d); };
    // A birth or passing record belongs to the active record as the other member records
    // do; their entry windows open without one, and a record posted then is refused
    // instead of being stored under no member, where no window would ever show it.
    for (Table* t : {BirthT, PassingT})
        t->BeforePost = [this](DataSet& d) {
            if (!CheckActiveRecord())
                throw EAbort();
            DetailTablesBeforePost(d);
        };
    for (Table* t : {CounselingT, WedFamilyT, WedLogisticsT, WedPartyT, LayMinistryRosterT,
                     PassingT, EnvelopeT})
        t->OnPostError = [this](DataSet& d, const EDatabaseError& e) {
            return OnDetailTablesPostError(d, e);
        };

    LayMinistryRosterT->AfterInsert = [this](DataSet& d) { LayMinistryRosterTAfterInsert(d); };
    LayMinistriesS->OnDataChange = [this](Field* field) { LayMinistriesSDataChange(field); };
    WorshipOrdersS->OnDataChange = [this](Field* field) { WorshipOrdersSDataChange(field); };

    for (Table* t : {WorshipT, WorshipMemoT})
        t->OnPostError = [this](DataSet& d, const EDatabaseError& e) {
            return WorshipTPostError(d, e);
        };
    WorshipMemoT->BeforePost = [this](DataSet& d) { WorshipMemoTBeforePost(d); };
    MusicLibraryT->OnPostError = [this](DataSet& d, const EDatabaseError& e) {
        return MusicLibraryTPostError(d, e);
    };
    MusicUseT->OnPostError = [this](DataSet& d, const EDatabaseError& e) {
        return MusicUseTPostError(d, e);
    };

    EnvelopeS->OnDataChange = [this](Field* field) { EnvelopeSDataChange(field); };
    EnvelopeOfferingT->OnPostError = [this](DataSet& d, const EDatabaseError& e) {
        return EnvelopeOfferingTPostError(d, e);
    };
    OfferingT->OnCalcFields = [this](DataSet& d) { OfferingTCalcFields(d); };
    EnvelopeOfferingT->OnCalcFields = [this](DataSet& d) { EnvelopeOfferingTCalcFields(d); };
}

namespace {

QString Cut(const QString& text, int length) {
    return text.left(length);
}

// The post-error messages name one cause: a key already in use (and, for services,
// a date or time left out). Every other refusal (a table locked by another user, a
// full disk, a read-only or damaged file, a record another user changed) keeps the
// engine's own message, which names the table.
bool IsKeyViolation(const EDatabaseError& error) {
    return error.Kind() == ErrorKind::KeyViolation;
}

// Hands a rule's message to the program's sink; the post is then abandoned quietly.
DataAction Refuse(const QString& message) {
    ShowRuleMessage(message);
    return DataAction::Abort;
}

} // namespace

void TDataMod::RosterSDataChange(Field*) {
    const bool hasRow =
        RosterT->Active() && (!RosterT->IsEmpty() || RosterT->State() == DataSetState::Insert);
    ActiveRecordNumber = hasRow ? RosterT->FieldByName("RecordNumber")->AsInteger() : 0;
    ActiveFName = hasRow ? Cut(RosterT->FieldByName("FName")->AsString(), 20) : QString();
    ActiveLName = hasRow ? Cut(RosterT->FieldByName("LName")->AsString(), 40) : QString();
    ActiveMName = hasRow ? Cut(RosterT->FieldByName("MName")->AsString(), 20) : QString();
    ActiveLFMName = hasRow ? Cut(RosterT->FieldByName("LFMName")->AsString(), 85) : QString();
}

void TDataMod::RosterTNewRecord(DataSet& dataSet) {
    if (&dataSet == RosterT)
        dataSet.FieldByName("RecordNumber")->SetAsInteger(NextRecordNumber);
}

void TDataMod::RosterTAfterPost(DataSet& dataSet) {
    if (&dataSet == RosterT)
        NextRecordNumber = NextRosterRecordNumber();
}

void TDataMod::CalculateFullName(DataSet& dataSet) {
    dataSet.FieldByName("LFMName")->SetAsString(dataSet.FieldByName("LName")->AsString() + ", " +
                                                dataSet.FieldByName("FName")->AsString() + " " +
                                                dataSet.FieldByName("MName")->AsString());
}

void TDataMod::DetailTablesBeforePost(DataSet& dataSet) {
    dataSet.FieldByName("RecordNumber")->SetAsInteger(ActiveRecordNumber);
}

DataAction TDataMod::OnDetailTablesPostError(DataSet& dataSet, const EDatabaseError& error) {
    // A required field left empty, and any other refusal, keeps the engine's message.
    if (!IsKeyViolation(error))
        return DataAction::Fail;
    QString label;
    if (&dataSet == CounselingT)
        label = "Counseling Table.";
    else if (&dataSet == EnvelopeT)
        label = "Envelope Table.";
    else if (&dataSet == WedLogisticsT)
        label = "Logistics Table.";
    else if (&dataSet == WedFamilyT)
        label = "Family Table.";
    else if (&dataSet == WedPartyT)
        label = "Wedding Party Table.";
    else if (&dataSet == LayMinistryRosterT)
        label = "Lay Ministry Roster Table.";
    else if (&dataSet == PassingT)
        label = "Passed Away Table.";
    return Refuse("An error occurred attempting to post to the " + label + ".\n\n" +
                  "Be sure that the number for the record is not already in use.\n\n" +
                  "Also be sure you are not trying to schedule someone\n" +
                  "for the same lay ministry or activity more than once.");
}

void TDataMod::LayMinistryRosterTAfterInsert(DataSet& dataSet) {
    dataSet.FieldByName("RosterRecordNumber")->SetAsInteger(ActiveRecordNumber);
}

void TDataMod::LayMinistriesSDataChange(Field*) {
    Table* t = LayMinistriesT;
    const bool hasRow = t->Active() && (!t->IsEmpty() || t->State() == DataSetState::Insert);
    CurrentMinistryNumber = hasRow ? t->FieldByName("MinistryNumber")->AsInteger() : 0;
    CurrentMinistryName = hasRow ? Cut(t->FieldByName("MinistryName")->AsString(), 40) : QString();
    CurrentMinistryDescription =
        hasRow ? Cut(t->FieldByName("Description")->AsString(), 100) : QString();
    CurrentMinistryGoverning = hasRow && t->FieldByName("Governing")->AsBoolean();
    CurrentMinistryMaxMembers = hasRow ? t->FieldByName("NoOfMembers")->AsInteger() : 0;
}

void TDataMod::WorshipOrdersSDataChange(Field*) {
    Table* t = WorshipOrdersT;
    const bool hasRow = t->Active() && (!t->IsEmpty() || t->State() == DataSetState::Insert);
    CurrentOrderName = hasRow ? Cut(t->FieldByName("OrderName")->AsString(), 40) : QString();
    CurrentOrderNumber = hasRow ? t->FieldByName("OrderNumber")->AsInteger() : 0;
}

DataAction TDataMod::WorshipTPostError(DataSet&, const EDatabaseError& error) {
    if (!IsKeyViolation(error) && error.Kind() != ErrorKind::RequiredField)
        return DataAction::Fail;
    return Refuse("Be sure you HAVE included both a worship date and time\n"
                  "and have NOT scheduled two services for the same date and time.");
}

void TDataMod::WorshipMemoTBeforePost(DataSet& dataSet) {
    Field* date = dataSet.FieldByName("WorshipDate");
    Field* time = dataSet.FieldByName("WorshipTime");
    date->SetValue(WorshipT->FieldByName("WorshipDate")->Value());
    time->SetValue(WorshipT->FieldByName("WorshipTime")->Value());
    // A memo belongs to a service with a date and a time: a memo without them would be
    // stored under no service, or under another one once the service is given its date.
    if (date->IsNull() || time->IsNull()) {
        WorshipTPostError(dataSet, EDatabaseError(QString(), ErrorKind::RequiredField));
        throw EAbort();
    }
}

DataAction TDataMod::MusicLibraryTPostError(DataSet&, const EDatabaseError& error) {
    if (!IsKeyViolation(error))
        return DataAction::Fail;
    return Refuse("Record could not be posted.  Be sure you have not\n"
                  "attempted to enter a composition twice.  For music\n"
                  "you have in multiple editions, add a number to the\n"
                  "name as in Silent Night 1, Silent Night 2...");
}

DataAction TDataMod::MusicUseTPostError(DataSet&, const EDatabaseError& error) {
    if (!IsKeyViolation(error))
        return DataAction::Fail;
    return Refuse("There was an error posting to the Music Use table.\n"
                  "You may have entered a duplicate use date for the selection.");
}

void TDataMod::EnvelopeSDataChange(Field*) {
    Table* t = EnvelopeT;
    const bool hasRow = t->Active() && (!t->IsEmpty() || t->State() == DataSetState::Insert);
    CurrentEnvelopeNumber =
        hasRow ? Cut(t->FieldByName("EnvelopeNumber")->AsString(), 10) : QString();
    CurrentPledgeAmount = hasRow ? t->FieldByName("PledgeAmount")->AsCurrency() : Currency();
}

DataAction TDataMod::EnvelopeOfferingTPostError(DataSet&, const EDatabaseError& error) {
    // The message names one cause, a second gift in one envelope on one date; any other
    // refusal keeps the engine's own message, which says what went wrong.
    if (!IsKeyViolation(error))
        return DataAction::Fail;
    return Refuse("There was a posting error.  You may have tried to add\n"
                  "an envelope twice for the same date.");
}

void TDataMod::OfferingTCalcFields(DataSet& dataSet) {
    dataSet.FieldByName("Total")->SetAsCurrency(dataSet.FieldByName("Cash")->AsCurrency() +
                                                dataSet.FieldByName("Checks")->AsCurrency());
}

void TDataMod::EnvelopeOfferingTCalcFields(DataSet& dataSet) {
    // A gift without an offering date is taken as given on day 0 (30 December 1899), so it
    // counts in quarter 4.
    const TDateTime date = dataSet.FieldByName("OfferingDate")->AsDateTime();
    dataSet.FieldByName("Quarter")->SetAsInteger(QuarterOfDate(date));
}
