// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/icons/ProgramIcon.h"

#include <QDir>

namespace kursomatik {

QIcon programIcon() {
    // Each picture's size is in its name ("kursomatik-16.png"): given, nothing is read before a size
    // is asked for.
    QIcon icon;
    for (const QFileInfo& picture : QDir(QStringLiteral(":/icons")).entryInfoList(QDir::Files)) {
        const int side = picture.completeBaseName().section(QLatin1Char('-'), -1).toInt();
        icon.addFile(picture.filePath(), QSize(side, side));
    }
    return icon;
}

}  // namespace kursomatik
