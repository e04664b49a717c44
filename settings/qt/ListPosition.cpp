// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/qt/ListPosition.h"

#include <QComboBox>

namespace kursomatik {

void assignPosition(QComboBox* box, const std::string& position, const RegionalSettings& regional) {
    const auto k = listPosition(position, regional);
    if (k && *k >= -1 && *k < box->count() && *k != box->currentIndex()) box->setCurrentIndex(*k);
}

}  // namespace kursomatik
