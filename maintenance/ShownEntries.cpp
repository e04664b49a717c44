// SPDX-License-Identifier: GPL-3.0-or-later
#include "maintenance/ShownEntries.h"

#include <memory>

namespace kursomatik {

ListedLines listedLines(const SortedEntries& entries) {
    const auto shared = std::make_shared<const SortedEntries>(entries);
    return {
        static_cast<int>(entries.size()),
        [shared](int k) { return QString::fromStdString((*shared)[static_cast<std::size_t>(k)].line()); },
        [shared](int k) { return QString::fromStdString((*shared)[static_cast<std::size_t>(k)].spoken()); }};
}

QStringList pickNames(const SortedEntries& entries) {
    QStringList names;
    names.reserve(static_cast<qsizetype>(entries.size()));
    for (const CurrencyEntry& entry : entries) names << QString::fromStdString(entry.name());
    return names;
}

}  // namespace kursomatik
