// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtRegionalSettings.h"

namespace kursomatik {

RegionalSettings regionalSettingsOf(const QLocale& locale) {
    RegionalSettings regional = RegionalSettings::german();
    if (locale.language() == QLocale::C) return regional;
    regional.decimalSeparator = locale.decimalPoint().toStdString();
    regional.groupSeparator = locale.groupSeparator().toStdString();
    // The year always with four digits: every run of y becomes yyyy.
    const QString pattern = locale.dateFormat(QLocale::ShortFormat);
    QString fourDigitYear;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != QLatin1Char('y')) {
            fourDigitYear += pattern[i];
        } else if (i == 0 || pattern[i - 1] != QLatin1Char('y')) {
            fourDigitYear += QStringLiteral("yyyy");
        }
    }
    regional.shortDatePattern = fourDigitYear.toStdString();
    return regional;
}

RegionalSettings systemRegionalSettings() {
    return regionalSettingsOf(QLocale::system());
}

}  // namespace kursomatik
