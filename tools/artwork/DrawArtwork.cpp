// Draws the program's own artwork: the logo of the about window and the desktop icons.
//   kursomatik-artwork <logo.png> <icon folder>
// The images are committed; run this again only to change them.
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdio>

namespace {

const QColor kDeepBlue(0x1b, 0x4f, 0x8c);
const QColor kLightBlue(0x2f, 0x86, 0xd6);
const QColor kGold(0xf2, 0xc1, 0x2e);

QFont boldFont(double pixels) {
    QFont font;
    font.setFamilies(
        {QStringLiteral("DejaVu Sans"), QStringLiteral("Nimbus Sans"), QStringLiteral("Liberation Sans")});
    font.setPixelSize(static_cast<int>(std::lround(pixels)));
    font.setBold(true);
    return font;
}

// An arc of the exchange circle with an arrow head at its end.
void arrowArc(QPainter& p, const QRectF& circle, double startDegrees, double spanDegrees, double width) {
    const QColor colour = p.brush().color();
    QPainterPath arc;
    arc.arcMoveTo(circle, startDegrees);
    arc.arcTo(circle, startDegrees, spanDegrees);
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);

    const double end = (startDegrees + spanDegrees) * M_PI / 180.0;
    const QPointF centre = circle.center();
    const double r = circle.width() / 2;
    const QPointF tip(centre.x() + r * std::cos(end), centre.y() - r * std::sin(end));
    // The tangent in the direction of travel (counter-clockwise on screen for a positive span).
    const double sign = spanDegrees > 0 ? 1.0 : -1.0;
    const QPointF along(-std::sin(end) * sign, -std::cos(end) * sign);
    const QPointF across(std::cos(end), -std::sin(end));
    const double head = width * 1.6;
    QPolygonF triangle{tip + along * head, tip + across * head, tip - across * head};
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(triangle);
}

void drawIcon(QPainter& p, const QRectF& box) {
    const double s = box.width();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(box.topLeft(), box.bottomRight());
    fill.setColorAt(0, kLightBlue);
    fill.setColorAt(1, kDeepBlue);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(box.adjusted(s * 0.02, s * 0.02, -s * 0.02, -s * 0.02), s * 0.2, s * 0.2);

    const QRectF circle = box.adjusted(s * 0.2, s * 0.2, -s * 0.2, -s * 0.2);
    p.setBrush(kGold);
    arrowArc(p, circle, 100, 130, s * 0.07);
    p.setBrush(kGold);
    arrowArc(p, circle, 280, 130, s * 0.07);

    p.setPen(Qt::white);
    p.setFont(boldFont(s * 0.42));
    p.drawText(box, Qt::AlignCenter, QStringLiteral("\u20AC"));
}

QImage icon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    drawIcon(p, QRectF(0, 0, size, size));
    return image;
}

QImage logo() {
    QImage image(300, 45, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    drawIcon(p, QRectF(2, 1, 43, 43));
    p.setPen(kDeepBlue);
    p.setFont(boldFont(27));
    const QRectF text(54, 0, 246, 34);
    p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Kursomatik"));
    QFont small = boldFont(10);
    small.setBold(false);
    small.setLetterSpacing(QFont::AbsoluteSpacing, 1.2);
    p.setFont(small);
    p.setPen(kLightBlue);
    p.drawText(QRectF(56, 31, 244, 14), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("WECHSELKURSRECHNER \u00B7 EURO"));
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: kursomatik-artwork <logo.png> <icon folder>\n");
        return 2;
    }
    bool ok = logo().save(QString::fromLocal8Bit(argv[1]));
    const QDir icons(QString::fromLocal8Bit(argv[2]));
    for (int size : {48, 256}) {
        ok = icon(size).save(icons.filePath(QStringLiteral("kursomatik-%1.png").arg(size))) && ok;
    }
    if (!ok) std::fprintf(stderr, "kursomatik-artwork: an image could not be written\n");
    return ok ? 0 : 1;
}
