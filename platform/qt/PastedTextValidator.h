// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QValidator>

namespace kursomatik {

// The character limit of a text box, applied after the blanks around a text are dropped: a pasted
// "            1.234,56" becomes "1.234,56", where the box's own limit would have cut it to
// "1.234,5" first. A text that is still too long is refused whole (a full box takes no more
// characters), never cut to another number. Put it in place of the box's maxLength.
class PastedTextValidator : public QValidator {
  public:
    PastedTextValidator(int maxLength, QObject* parent) : QValidator(parent), maxLength_(maxLength) {}

    State validate(QString& input, int& pos) const override;

  private:
    int maxLength_;
};

}  // namespace kursomatik
