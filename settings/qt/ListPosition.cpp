// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/qt/ListPosition.h"

#include <QComboBox>
#include <cmath>

#include "conversion/DecimalNumber.h"

namespace kursomatik {

std::optional<int> listPosition(const std::string& text, const RegionalSettings& regional) {
    const auto number = parseRegionalNumber(text, regional);
    if (!number) return std::nullopt;
    const double value = std::nearbyint(number->toDouble());
    if (!(value >= -32768 && value <= 32767)) return std::nullopt;
    return static_cast<int>(value);
}

void assignPosition(QComboBox* box, const std::string& position, const RegionalSettings& regional) {
    const auto k = listPosition(position, regional);
    if (k && *k >= -1 && *k < box->count() && *k != box->currentIndex()) box->setCurrentIndex(*k);
}

}  // namespace kursomatik
