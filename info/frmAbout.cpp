// SPDX-License-Identifier: GPL-3.0-or-later
#include "info/frmAbout.h"

#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <vector>

#include "info/AboutContacts.h"
#include "info/LinkLabel.h"
#include "platform/ShellCodes.h"
#include "platform/Version.h"
#include "platform/qt/Controls.h"
#include "platform/qt/TwipsLayout.h"
#include "platform/qt/WindowSystem.h"

namespace kursomatik {
frmAbout::frmAbout(WindowSystem& windows, QWidget* parent) : QDialog(parent), windows_(windows) {
    build();
}

void frmAbout::build() {
    using namespace about;
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("Kursomatik"));
    setProperty("helpTopic", 11);
    setFont(designFont());
    TwipsLayout layout(this, 4815, 5670);
    Controls make(this, &layout);
    auto label = [&make](const char* name, const QString& text, int left, int top, int width = 4575) {
        return make.label(name, text, {left, top, width, 240});
    };
    // A contact that the desktop opens; a screen reader speaks its text and says what it opens.
    std::vector<LinkLabel*> links;
    auto link = [&](const char* name, const QString& text, int top, const QString& target,
                    const QString& opens) {
        auto* link = make.add(new LinkLabel(text, this), {name, {}, text}, {120, top, 4575, 240});
        link->setAccessibleDescription(opens);
        connect(link, &LinkLabel::clicked, this, [this, target] { handOver(target); });
        links.push_back(link);
        return link;
    };
    const auto mail = [&link](const char* name, const QString& address, int top) {
        return link(name, QStringLiteral("e-mail: ") + address, top,
                    QStringLiteral("mailto:%1?Subject=Kursomatik").arg(address),
                    QStringLiteral("Öffnet eine neue E-Mail an %1 im E-Mail-Programm.").arg(address));
    };

    QFont title = designFont(12, true);
    title.setItalic(true);
    make.label("lblTitle", QStringLiteral(" Kursomatik"), {0, 120, 3360, 360})->setFont(title);
    auto* cmdOK = make.add(new QPushButton(QStringLiteral("&OK"), this), {"cmdOK"}, {3480, 240, 1260, 345});
    label("Label3", QStringLiteral("Version ") + QString::fromLatin1(kVersion), 120, 480, 3240);
    label("Label1", QStringLiteral("Beschreibung:"), 120, 840)->setFont(designFont(8.25, true));
    label("lblDescription", QStringLiteral("Wechselkursrechner mit der Bezugsgröße Euro."), 120, 1080);
    label("Label4", QStringLiteral("Support und Programmierung:"), 120, 1560)
        ->setFont(designFont(8.25, true));
    label("Label5", kSupportPerson, 120, 1800);
    LinkLabel* Label12 = mail("Label12", kSupportMail, 2160);
    label("Label13", QStringLiteral("tel.: ") + kSupportPhone, 120, 2400);
    label("Label14", QStringLiteral("fax: ") + kSupportFax, 120, 2640);

    make.line("Line1", {0, 2985, 4815, 30});
    auto* Picture1 =
        make.add(new QLabel(this), {"Picture1", {}, "Logo von Kursomatik"}, {120, 3120, 4575, 735});
    Picture1->setPixmap(QPixmap(QStringLiteral(":/kursomatik/logo.png")));
    Picture1->setAlignment(Qt::AlignCenter);

    QLabel* Label2 = label("Label2", kMakerLegalForm, 2280, 3840, 2415);
    Label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label2->setFont(designFont(8.25, true));
    label("Label6", kMakerStreet, 120, 3960, 2100);
    label("Label7", kMakerTown, 120, 4200);
    label("Label8", QStringLiteral("tel.: ") + kMakerPhone, 120, 4680);
    label("Label9", QStringLiteral("fax: ") + kMakerFax, 120, 4920);
    LinkLabel* Label10 = link("Label10", QStringLiteral("Internet: ") + kMakerWeb, 5160, kMakerWeb,
                              QStringLiteral("Öffnet die Internetseite im Browser."));
    LinkLabel* Label11 = mail("Label11", kMakerMail, 5400);

    layout.apply();
    // A link is only as wide as its text, so that the blank beside it opens nothing.
    for (LinkLabel* shown : links) shown->resize(shown->sizeHint().width(), shown->height());
    cmdOK->setDefault(true);
    cmdOK->setFocus();
    chainTabs({cmdOK, Label12, Label10, Label11});
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
}

void frmAbout::cmdOK_Click() {
    if (closing_) return;
    closing_ = true;
    done(QDialog::Accepted);
    deleteLater();
}

void frmAbout::reject() {
    cmdOK_Click();
}

void frmAbout::handOver(const QString& target) {
    // The failure may come when the window is gone: it is told over the window that opened it then.
    windows_.openUrl(target, [&windows = windows_, about = QPointer<QWidget>(this),
                              owner = QPointer<QWidget>(parentWidget())](int r) {
        if (r > 32) return;
        // The line feed comes before the carriage return, as the message has always read.
        windows.message(about && about->isVisible() ? about.data() : owner.data(),
                        QStringLiteral("ShellExecute fehlgeschlagen! \n\r Fehler: ") +
                            QString::fromStdString(GetErrorString(r)),
                        MessageButtons::Ok, MessageIcon::Stop);
    });
}

void showAboutWindow(WindowSystem& windows, QWidget* owner) {
    windows.showModal(new frmAbout(windows, owner));
}

}  // namespace kursomatik
