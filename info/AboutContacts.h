// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kursomatik::about {

// The contacts the about window shows. All of them are made up: names of the German sample kind,
// the postal code 00000 and 0000 numbers, which no network assigns, and the reserved domain
// "example", which no one can register.
inline const QString kSupportPerson = QStringLiteral("Max Mustermann");
inline const QString kSupportMail = QStringLiteral("support@kursomatik.example");
inline const QString kSupportPhone = QStringLiteral("0000 000000-10");
inline const QString kSupportFax = QStringLiteral("0000 000000-19");

inline const QString kMakerLegalForm = QStringLiteral("Musterfirma GmbH");
inline const QString kMakerStreet = QStringLiteral("Musterstraße 1");
inline const QString kMakerTown = QStringLiteral("00000 Musterstadt");
inline const QString kMakerPhone = QStringLiteral("0000 000000-0");
inline const QString kMakerFax = QStringLiteral("0000 000000-99");
inline const QString kMakerWeb = QStringLiteral("https://www.kursomatik.example");
inline const QString kMakerMail = QStringLiteral("info@kursomatik.example");

}  // namespace kursomatik::about
