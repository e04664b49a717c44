// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the program's artwork from the one icon drawing desktop/kursomatik.svg.
//   kursomatik-artwork icons <kursomatik.svg> <folder> <size>...  kursomatik-<size>.png for each size
//   kursomatik-artwork logo <kursomatik.svg> <logo.png>             the about window's logo (committed)
// The build renders the icons; run the logo command again only to change the logo.
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>
#include <cstring>

namespace {

const QColor kDeepBlue(0x1b, 0x4f, 0x8c);
const QColor kLightBlue(0x2f, 0x86, 0xd6);

QFont boldFont(int pixels) {
    QFont font;
    font.setFamilies(
        {QStringLiteral("DejaVu Sans"), QStringLiteral("Nimbus Sans"), QStringLiteral("Liberation Sans")});
    font.setPixelSize(pixels);
    font.setBold(true);
    return font;
}

QImage transparentImage(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

bool writeIcons(QSvgRenderer& drawing, const QString& folder, const QStringList& sizes) {
    bool ok = !sizes.isEmpty();
    for (const QString& text : sizes) {
        const int size = text.toInt();
        if (size < 1 || size > 1024) return false;
        QImage image = transparentImage(size, size);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        drawing.render(&painter, QRectF(0, 0, size, size));
        painter.end();
        ok = image.save(QStringLiteral("%1/kursomatik-%2.png").arg(folder).arg(size)) && ok;
    }
    return ok;
}

bool writeLogo(QSvgRenderer& drawing, const QString& file) {
    QImage image = transparentImage(300, 45);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawing.render(&p, QRectF(2, 1, 43, 43));
    p.setPen(kDeepBlue);
    p.setFont(boldFont(27));
    p.drawText(QRectF(54, 0, 246, 34), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Kursomatik"));
    QFont small = boldFont(10);
    small.setBold(false);
    small.setLetterSpacing(QFont::AbsoluteSpacing, 1.2);
    p.setFont(small);
    p.setPen(kLightBlue);
    p.drawText(QRectF(56, 31, 244, 14), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("WECHSELKURSRECHNER \u00B7 EURO"));
    p.end();
    return image.save(file);
}

}  // namespace

int main(int argc, char** argv) {
    // The build runs this without a display; only the logo's text needs fonts.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const bool icons = argc >= 4 && std::strcmp(argv[1], "icons") == 0;
    const bool logo = argc == 4 && std::strcmp(argv[1], "logo") == 0;
    if (!icons && !logo) {
        std::fprintf(stderr,
                     "usage: kursomatik-artwork icons <svg> <folder> <size>... | logo <svg> <logo.png>\n");
        return 2;
    }
    QSvgRenderer drawing(QString::fromLocal8Bit(argv[2]));
    if (!drawing.isValid()) {
        std::fprintf(stderr, "kursomatik-artwork: %s is no drawing that can be read\n", argv[2]);
        return 1;
    }
    const QString target = QString::fromLocal8Bit(argv[3]);
    const bool ok = icons ? writeIcons(drawing, target, QCoreApplication::arguments().mid(4))
                          : writeLogo(drawing, target);
    if (!ok) std::fprintf(stderr, "kursomatik-artwork: an image could not be written to %s\n", argv[3]);
    return ok ? 0 : 1;
}
