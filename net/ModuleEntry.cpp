// SPDX-License-Identifier: GPL-3.0-or-later
// The module the program loads at its first network request.
#include "net/NetworkRateDownload.h"

extern "C" __attribute__((visibility("default"))) kursomatik::RateDownload* kursomatikCreateRateDownload() {
    return kursomatik::networkRateDownload().release();
}
