// SPDX-License-Identifier: GPL-3.0-or-later
// The module the program loads at its first import or chart: the rate history with its own SQLite,
// and the window Kursverlauf with Qt Charts.
#include "chart/frmKursverlauf.h"
#include "history/HistoryStore.h"
#include "maintenance/HistoryModule.h"

namespace kursomatik {
namespace {

class StoreModule : public HistoryModule {
  public:
    Result<std::string> importDays(const ReferenceHistory& days, const std::filesystem::path& file,
                                   const RegionalSettings& regional, std::string& notice) override {
        return importIntoHistory(days, file, regional, notice);
    }
    Result<std::optional<CivilDate>> newestDay(const std::filesystem::path& file,
                                               std::string& notice) override {
        auto store = HistoryStore::openForReading(file);
        if (!store) return store.status();
        notice = store->notice();
        return store->newestDay();
    }
    QDialog* openChart(const ChartRequest& request, WindowSystem& windows, QWidget* parent) override {
        return new frmKursverlauf(request, windows, parent);
    }
};

}  // namespace
}  // namespace kursomatik

extern "C" __attribute__((visibility("default"))) kursomatik::HistoryModule* kursomatikCreateHistoryModule() {
    return new kursomatik::StoreModule;
}
