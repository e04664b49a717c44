// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

#include "store/RateAge.h"

namespace kursomatik {

// lblKursalter: the line below the result with the date of the chosen rates. A warning shows in
// bold, in the warning colour and behind a sign, and is spoken as one; a line cut short for its room
// is whole in the tooltip and for the screen reader.
class RateAgeLine : public QLabel {
    Q_OBJECT
  public:
    explicit RateAgeLine(QWidget* parent);

    void tell(const RateAgeNotice& notice);
};

}  // namespace kursomatik
