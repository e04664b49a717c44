// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QLabel>
#include <QSpinBox>

#include "app/RateAgeLine.h"
#include "tests/gui/ProgramTest.h"

namespace kursomatik::testsupport {
namespace {

const Currency kFranken{"Schweizer Franken", "CHF", "917500", "0", "21.10.2026"};  // 45 days before today

QPalette darkPalette() {
    QPalette dark;
    for (const auto& [role, colour] : {std::pair{QPalette::Window, QColor(0x2d, 0x2d, 0x2d)},
                                       {QPalette::WindowText, QColor(0xee, 0xee, 0xee)},
                                       {QPalette::Base, QColor(0x1e, 0x1e, 0x1e)},
                                       {QPalette::Text, QColor(0xee, 0xee, 0xee)}})
        dark.setColor(role, colour);
    return dark;
}

// Every grey from black to white, and the windows of common light and dark themes, where the
// warning stays red.
TEST(AgeLineColour, KeepsAContrastOfAtLeast4To5OnEveryBackground) {
    for (int grey = 0; grey <= 255; ++grey) {
        const QColor background(grey, grey, grey);
        EXPECT_GE(contrastRatio(warningColour(background), background), 4.5) << grey;
    }
    for (const char* name : {"#efefef", "#ffffff", "#fdf6e3", "#ffd0d0", "#dcdad5", "#353535", "#2d2d2d",
                             "#000000", "#002b36", "#1e1e2e", "#400000", "#3c3f41"}) {
        const QColor background(QString::fromLatin1(name));
        const QColor warning = warningColour(background);
        SCOPED_TRACE(background.name().toStdString() + " -> " + warning.name().toStdString());
        EXPECT_GE(contrastRatio(warning, background), 4.5);
        EXPECT_TRUE(warning.red() > warning.green() + 40 && warning.red() > warning.blue() + 40);
    }
    // The formula's corners: black on white is 21, a colour on itself 1.
    EXPECT_NEAR(contrastRatio(Qt::black, Qt::white), 21.0, 1e-9);
    EXPECT_NEAR(contrastRatio(QColor(0x77, 0x10, 0x10), QColor(0x77, 0x10, 0x10)), 1.0, 1e-9);
}

class AgeLine : public ProgramTest {
  protected:
    QLabel* line() const { return find<QLabel>("lblKursalter"); }
    void chooseDollarAndFranken() {
        choose(find<QComboBox>("txtEingabe"), QStringLiteral("US-Dollar"));
        choose(find<QComboBox>("txtAusgabe"), QStringLiteral("Schweizer Franken"));
    }
};

// Both rates old: the whole text does not fit, so the short form shows, never cut, in a colour that
// reads on a light and on a dark palette; the whole text is in the tooltip and for the screen reader.
TEST_F(AgeLine, TwoOldRatesShowTheShortFormReadablyOnLightAndDarkPalettes) {
    const QPalette light = QApplication::palette();
    for (const QPalette& palette : {light, darkPalette()}) {
        QApplication::setPalette(palette);
        start({kDeutscheMark, kEuro, kDollar, kFranken}, kStartIni);
        chooseDollarAndFranken();
        const std::string full =
            "Kurs USD vom 06.02.2026 – 302 Tage alt; Kurs CHF vom 21.10.2026 – 45 Tage alt";
        EXPECT_EQ(line()->text().toStdString(), "\u26a0 USD 302 Tage, CHF 45 Tage alt");
        EXPECT_LE(line()->fontMetrics().horizontalAdvance(line()->text()), line()->width());
        EXPECT_EQ(line()->toolTip().toStdString(), "\u26a0 " + full);
        EXPECT_EQ(line()->accessibleDescription(), line()->toolTip());
        EXPECT_EQ(line()->accessibleName().toStdString(), "Warnung: " + full);
        const QPalette shown = line()->palette();
        EXPECT_GE(contrastRatio(shown.color(QPalette::WindowText), shown.color(QPalette::Window)), 4.5);
    }
    QApplication::setPalette(light);
}

// "Warnung bei Kursen älter als [n] Tagen" in the options dialog: written at once, taken by OK.
TEST_F(AgeLine, TheOptionsDialogSetsTheAgeLimit) {
    start({kDeutscheMark, kEuro, kDollar, kFranken}, kStartIni);
    chooseDollarAndFranken();
    trigger("Optionen");
    auto* dialog = find<QDialog>("frmOptionen");
    auto* days = child<QSpinBox>(dialog, "txtkursalter");
    ASSERT_NE(days, nullptr);
    EXPECT_EQ(days->value(), 30);
    EXPECT_FALSE(days->accessibleName().isEmpty());
    for (const auto& [limit, shown] : {std::pair{100, "\u26a0 USD 302 Tage alt, CHF vom 21.10.2026"},
                                       {400, "Kurs USD vom 06.02.2026; Kurs CHF vom 21.10.2026"},
                                       {0, "Kurs USD vom 06.02.2026; Kurs CHF vom 21.10.2026"}}) {
        trigger("Optionen");
        days->setValue(limit);
        EXPECT_NE(readFile(iniPath()).find("kursalter=" + std::to_string(limit) + "\n"), std::string::npos);
        press(dialog, "cmdOK");
        const QString text = line()->text();
        EXPECT_TRUE(text == QString::fromUtf8(shown) || line()->toolTip().endsWith(text))
            << text.toStdString();
        EXPECT_EQ(line()->font().bold(), limit == 100) << limit;
    }
    // A limit written by hand shows in the box after OK, without being written again.
    writeIni(kStartIni + "kursalter=7\n");
    trigger("Optionen");
    press(dialog, "cmdOK");
    EXPECT_EQ(days->value(), 7);
    EXPECT_EQ(readFile(iniPath()), kStartIni + "kursalter=7\n");
}

}  // namespace
}  // namespace kursomatik::testsupport
