// SPDX-License-Identifier: GPL-3.0-or-later
#include "maintenance/MaintenanceContext.h"

#include "maintenance/frmEingabe2.h"
#include "platform/qt/WindowSystem.h"

namespace kursomatik {

void openRecordEditor(MaintenanceContext& context, int recordNumber, QWidget* owner) {
    auto* editor = new frmEingabe2(context, owner);
    editor->Form_prepare(recordNumber);
    context.windows.showModal(editor);
}

}  // namespace kursomatik
