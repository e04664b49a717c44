// SPDX-License-Identifier: GPL-3.0-or-later
// Every pattern in use formats every finite double; the text reads back as the value rounded to the
// pattern's decimals.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "conversion/DecimalNumber.h"
#include "conversion/NumberFormat.h"
#include "fuzz/FuzzCheck.h"
#include "platform/RegionalSettings.h"

using namespace kursomatik;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < sizeof(double)) return 0;
    double value = 0;
    std::memcpy(&value, data, sizeof value);
    if (!std::isfinite(value)) return 0;
    const RegionalSettings german = RegionalSettings::german();
    struct Pattern {
        const char* text;
        int maxDecimals;
    };
    for (const Pattern& p :
         {Pattern{"###.######", 6}, Pattern{"######,##0.000000######", 12}, Pattern{"###,####0.00#####", 7},
          Pattern{"###,####0.000####", 7}, Pattern{"###,####0.0000###", 7}}) {
        const std::string shown = formatNumber(value, p.text, german);
        const auto back = parseRegionalNumber(shown, german);
        // "###.######" shows 0 as a bare separator, which is no number.
        if (!back && std::string(p.text) == "###.######" && std::fabs(value) < 0.5e-6) continue;
        FUZZ_CHECK(back);
        const double tolerance = 0.5 * std::pow(10.0, -p.maxDecimals) + std::fabs(value) * 1e-15;
        FUZZ_CHECK(std::fabs(back->toDouble() - value) <= tolerance * 1.0000001);
    }
    (void)formatPlainDouble(value, german);
    return 0;
}
