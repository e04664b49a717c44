// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/EditorRules.h"

#include <gtest/gtest.h>

#include "platform/RegionalSettings.h"
#include "tests/store/RecordBuilder.h"

namespace kursomatik {
namespace {

// What a save did: each replacement as box=placeholder (with "!" where a message followed), then
// the record's name, code, rate and member flag as stored.
std::string saved(const EditorFields& typed, const RegionalSettings& regional) {
    const CheckedRecord checked = checkRecord(typed, regional);
    std::string text;
    for (const Replacement& r : checked.replacements) {
        text += (r.box == &EditorFields::kurs  ? "kurs="
                 : r.box == &EditorFields::iso ? "iso="
                                               : "name=") +
                r.placeholder + (r.message != nullptr ? "! " : " ");
    }
    const CurrencyRecord& record = checked.record;
    return text + "| " + fieldValue(record.Bezeichnung) + "|" + fieldValue(record.ISO) + "|" +
           fieldValue(record.Kurs) + "|" + fieldValue(record.EWWU) + "|" + fieldValue(record.Datum);
}

TEST(EditorRules, UnusableEntriesGetTheirPlaceholdersInOrderAndTheRecordIsAlwaysWritten) {
    RegionalSettings de = RegionalSettings::german();
    de.today = [] { return CivilDate{2026, 12, 5}; };
    RegionalSettings en = RegionalSettings::english();
    en.today = de.today;
    struct Case {
        EditorFields typed;
        const char* saved;
        const RegionalSettings& regional;
    };
    for (const Case& c : std::initializer_list<Case>{
             {{"Dänische Krone", "7,4575", "dkk", true}, "| Dänische Krone|DKK|7457500|1|05.12.2026", de},
             // A full stop groups three digits only: 1.95583 is no number, 1.234,5 is 1234,5.
             {{"a", "1.95583", "a"}, "kurs=1! | a|A|1000000|0|05.12.2026", de},
             {{"a", "1.234,5", "a"}, "| a|A|1234500000|0|05.12.2026", de},
             {{"a", "0,500", "a"}, "kurs=1! | a|A|1000000|0|12/05/2026", en},
             // Beyond the fixed-point range once multiplied by 1,000,000, or so small it would be 0.
             {{"a", "922337204", "a"}, "kurs=1! | a|A|1000000|0|05.12.2026", de},
             {{"a", "922337203", "a"}, "| a|A|922337203000000|0|05.12.2026", de},
             {{"a", "0,00000000001", "a"}, "kurs=1! | a|A|1000000|0|05.12.2026", de},
             // A negative rate, then the missing code and name; blanks are content (stored, shown trimmed).
             {{"", "-2", ""},
              "kurs=1! iso=???! name=?????????????????? | ??????????????????|???|1000000|0|05.12.2026",
              de},
             {{"   ", "", "  "}, "kurs=1! | ||1000000|0|05.12.2026", de}}) {
        EXPECT_EQ(saved(c.typed, c.regional), c.saved) << c.typed.kurs;
    }
}

}  // namespace
}  // namespace kursomatik
