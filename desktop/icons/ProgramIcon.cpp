// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/icons/ProgramIcon.h"

#include <QDir>

namespace kursomatik {

QIcon programIcon() {
    QIcon icon;
    for (const QFileInfo& picture : QDir(QStringLiteral(":/icons")).entryInfoList(QDir::Files)) {
        icon.addFile(picture.filePath());
    }
    return icon;
}

}  // namespace kursomatik
