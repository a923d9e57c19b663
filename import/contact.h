// SPDX-License-Identifier: MIT
// One contact as a parser reads it from another program's file, before it is
// made into a card.
#pragma once

#include <QString>
#include <QStringList>

struct Contact {
    QString place;  // where it stands in its file, for a contact without a name
    QString familyName;
    QString givenName;
    QString fullName;   // a single name field, used when both parts are empty
    QString honorific;  // empty: 様
    QString jointName;  // may list several; the first is taken
    QString jointHonorific;
    QString postalCode;
    QString prefecture;
    QString city;
    QString street;            // may hold several lines; the first goes to address line 1
    QStringList furtherParts;  // building, extended address, ... for address line 2
    QString memo;
};
