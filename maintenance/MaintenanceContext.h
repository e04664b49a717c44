// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "conversion/SelectionState.h"
#include "platform/FileOperations.h"
#include "platform/RegionalSettings.h"
#include "platform/Result.h"
#include "store/RecordFileState.h"

class QWidget;

namespace kursomatik {

class WindowSystem;

// What the rate maintenance windows share with the rest of the program. The main window sits above
// them, so it lends them its list pass and its rate taking as functions.
struct MaintenanceContext {
    WindowSystem& windows;
    const RegionalSettings& regional;
    RecordFileState& file;
    SelectionState& selection;
    std::filesystem::path currencyFile;
    std::function<void()> RefreshtheLists;
    // The list pass after the table has been rewritten: the main window keeps its chosen currencies,
    // wherever new currencies have moved them to.
    std::function<void()> RefreshKeepingCurrencies;
    // The member window's closing steps on the main window: take the chosen currencies' codes and
    // rates again from the refreshed lines.
    std::function<void()> takeMainRates;
    // The line at a position (as text, like sEingabeIndex) of the main window's hidden list; empty
    // when there is none.
    std::function<std::string(const std::string& position)> mainLineAt;
    // After an import has rewritten the table, before the list pass: the start currencies of the
    // settings follow their currencies to the positions `newPosition` gives them (from an old list
    // position; empty when it pointed to none). Fails when the settings file cannot be written.
    std::function<Status(const std::function<std::optional<long>(long position)>& newPosition)>
        followStartCurrencies;
    // The file steps of the deletion by rewrite; tests put failing ones here.
    FileOperations* fileOperations = &systemFileOperations();
};

// Opens the record editor for a record (0: a new one) modally over owner.
void openRecordEditor(MaintenanceContext& context, int recordNumber, QWidget* owner);

}  // namespace kursomatik
