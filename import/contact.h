// SPDX-License-Identifier: MIT
// One contact as a reader takes it from another program's file, before it is
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
    // Joint addressees in order, each field possibly listing several; their
    // honorifics by position (empty: 様).
    QStringList jointNames;
    QStringList jointHonorifics;
    QString spouse;  // the joint name where there is none
    QString postalCode;
    QString prefecture;
    QString city;
    QString street;            // may hold several lines; the first goes to address line 1
    QStringList furtherParts;  // building, further street lines, ... for address line 2
    QString wholeAddress;      // the address as free text, taken when there are no parts
    QString country;
    QString company;  // after the building in line 2: the card goes to the office
    QString department;
    QString memo;
};
