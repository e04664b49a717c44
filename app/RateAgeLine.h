// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

#include "store/RateAge.h"

namespace kursomatik {

// lblKursalter: the line below the result with the date of the chosen rates. A warning shows in
// bold, in the warning colour and behind a sign, and is spoken as one. Where the text is too wide for
// the line, its short form shows; the whole text is in the tooltip and for the screen reader.
class RateAgeLine : public QLabel {
    Q_OBJECT
  public:
    explicit RateAgeLine(QWidget* parent);

    void tell(const RateAgeNotice& notice);
};

// The contrast of two colours by the WCAG formula, from 1 (the same) to 21 (black on white).
double contrastRatio(const QColor& a, const QColor& b);

// A red that keeps a contrast of at least 4.5:1 to the background: darker on a light window,
// lighter on a dark one; black or white on a mid-grey one, where no red can.
QColor warningColour(const QColor& background);

}  // namespace kursomatik
