// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "maintenance/HistoryModule.h"
#include "platform/FileOperations.h"
#include "platform/RegionalSettings.h"
#include "platform/Result.h"
#include "settings/Locations.h"
#include "store/RecordFileState.h"

class QWidget;

namespace kursomatik {

class NetworkUpdate;
class WindowSystem;

// What the main window does for the rate maintenance windows, which sit below it: they change the
// table, the main window keeps the chosen currencies and their rates.
class MainWindowLink {
  public:
    virtual ~MainWindowLink() = default;
    // sStartauswahl := "0": the next list pass keeps the main window's currencies by position.
    virtual void keepSelections() = 0;
    virtual void RefreshtheLists() = 0;
    // The list pass after an import rewrote the table: the chosen currencies are kept by record,
    // wherever new currencies have moved them to.
    virtual void refreshKeepingCurrencies() = 0;
    // The member window's closing steps: the pass, the chosen currencies' codes and rates taken
    // again, and no deleted currency pending.
    virtual void memberWindowClosed() = 0;
    // A record was deleted: iGeloeschteWaehrung tells whether it was the chosen output (2) or input
    // (1) currency, whose side the next conversion clears, or neither (0).
    virtual void recordDeleted(long record) = 0;
    // After an import has rewritten the table, before the list pass: the start currencies of the
    // settings follow their currencies to the positions `newPosition` gives them (from an old list
    // position; empty when it pointed to none). Fails when the settings file cannot be written.
    virtual Status followStartCurrencies(
        const std::function<std::optional<long>(long position)>& newPosition) = 0;
};

// What the rate maintenance windows share with the rest of the program.
struct MaintenanceContext {
    WindowSystem& windows;
    const RegionalSettings& regional;
    RecordFileState& file;
    std::filesystem::path currencyFile;
    MainWindowLink& main;
    // The file steps of the deletion by rewrite; tests put failing ones here.
    FileOperations* fileOperations = &systemFileOperations();
    // The update from the network, shared by the main window's F5 and the other currencies' button.
    NetworkUpdate* network = nullptr;
    // Where the program's modules lie: beside it (tests name another folder).
    std::filesystem::path modules = binaryFolder();
    // The rate history's module, loaded by the first import (see historyModule in ImportSteps.h).
    std::unique_ptr<HistoryModule> history{};
};

// Opens the record editor for a record (0: a new one) modally over owner.
void openRecordEditor(MaintenanceContext& context, int recordNumber, QWidget* owner);

}  // namespace kursomatik
