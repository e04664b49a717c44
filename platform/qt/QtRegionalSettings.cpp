// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtRegionalSettings.h"

#include <QRegularExpression>

namespace kursomatik {

RegionalSettings regionalSettingsOf(const QLocale& locale) {
    RegionalSettings regional = RegionalSettings::german();
    if (locale.language() == QLocale::C) return regional;
    regional.decimalSeparator = locale.decimalPoint().toStdString();
    regional.groupSeparator = locale.groupSeparator().toStdString();
    QString pattern = locale.dateFormat(QLocale::ShortFormat);
    pattern.replace(QRegularExpression(QStringLiteral("y+")), QStringLiteral("yyyy"));
    regional.shortDatePattern = pattern.toStdString();
    return regional;
}

RegionalSettings systemRegionalSettings() {
    return regionalSettingsOf(QLocale::system());
}

}  // namespace kursomatik
