#pragma once
// The stewardship tests' parish: four members with envelopes 1, 10, 2 and 9 (in envelope-number
// order as text: 1, 10, 2, 9), an envelope 77 whose member is not in the roster, and gifts
// of 2023 and 2024 in every quarter, one without an offering date. Built on the roster
// windows' fixture (data folder, data module, scripted dialogs, clean-up).

#include "../roster/RosterWindowsFixture.h"
#include "engine/Types.h"

namespace stewardship_test {

inline const QList<RosterPerson> People = {
    {1, "Olson", "Cora"}, {2, "Berg", "Bob"}, {3, "Quist", "Ann"}, {4, "Adams", "Dale"}};

inline DetailRow Envelope(int member, const QString& number, int year, QVariant pledge) {
    return {"EnvelopeT",
            {{"RecordNumber", member},
             {"EnvelopeNumber", number},
             {"PledgeYear", year},
             {"PledgeAmount", pledge}}};
}

inline DetailRow Gift(const QString& envelope, const QDate& offered, double amount) {
    QVariantMap values{{"EnvelopeNumber", envelope}, {"Amount", amount}};
    if (offered.isValid()) {
        values.insert("OfferingDate", offered);
        values.insert("PostedDate", offered.addDays(1));
    }
    return {"EnvelopeOfferingT", values};
}

// The envelopes: 9 (Adams, no pledge), 10 (Berg), 2 (Quist), 1 (Olson), 77 (nobody).
inline QList<DetailRow> Envelopes() {
    return {Envelope(4, "9", 2024, QVariant()), Envelope(2, "10", 2024, 520.0),
            Envelope(3, "2", 2024, 1040.5), Envelope(1, "1", 2023, 260.0),
            Envelope(99, "77", 2024, 52.0)};
}

// The gifts, in the order written (not envelope order): quarter 2 holds 10 on 4/7/2024
// ($25), 2 on 6/30/2024 ($40.50) and 1 on 4/2/2023 ($12); the gift of envelope 9 has no date.
inline QList<DetailRow> Gifts() {
    return {Gift("10", QDate(2024, 4, 7), 25),
            Gift("10", QDate(2024, 1, 7), 20),
            Gift("2", QDate(2024, 6, 30), 40.5),
            Gift("2", QDate(2023, 12, 31), 15),
            Gift("1", QDate(2023, 4, 2), 12),
            Gift("1", QDate(2023, 7, 2), 30),
            Gift("9", QDate(), 5),
            Gift("77", QDate(2024, 10, 6), 8)};
}

// The envelope numbers of the gifts as the gift table now presents them.
inline QStringList GiftEnvelopes() {
    QStringList numbers;
    Table* gifts = DataMod->EnvelopeOfferingT;
    const int field = gifts->FieldByName("EnvelopeNumber")->Index();
    for (int row = 0; row < gifts->RecordCount(); ++row)
        numbers << gifts->DisplayValue(row, field).toString();
    return numbers;
}

// The stored gift of an envelope and date, "" when there is none (read without the cursor).
inline QString StoredAmount(const QString& envelope, const QDate& offered) {
    const QVariant v = DataMod->EnvelopeOfferingT->Lookup("EnvelopeNumber;OfferingDate",
                                                          {envelope, offered}, "Amount");
    return v.isValid() && !v.isNull() ? VariantToCurrency(v).ToString() : QString();
}

} // namespace stewardship_test
