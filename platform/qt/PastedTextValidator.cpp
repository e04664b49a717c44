// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/PastedTextValidator.h"

#include <algorithm>

namespace kursomatik {

QValidator::State PastedTextValidator::validate(QString& input, int& pos) const {
    if (input.size() <= maxLength_) return Acceptable;
    qsizetype first = 0;
    while (first < input.size() && input[first].isSpace()) ++first;
    const QString trimmed = input.trimmed();
    if (trimmed.size() > maxLength_) return Invalid;
    pos = static_cast<int>(std::clamp<qsizetype>(pos - first, 0, trimmed.size()));
    input = trimmed;
    return Acceptable;
}

}  // namespace kursomatik
