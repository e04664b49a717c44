// SPDX-License-Identifier: GPL-3.0-or-later
#include "info/frmAbout.h"

#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "info/AboutContacts.h"
#include "info/LinkLabel.h"
#include "platform/ShellCodes.h"
#include "platform/qt/TwipsLayout.h"
#include "platform/qt/WindowSystem.h"

namespace kursomatik {
namespace {

template <class Widget>
Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromUtf8(name));
    return widget;
}

}  // namespace

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
    auto placed = [&layout](auto* widget, const char* name, int left, int top, int width, int height) {
        layout.place(named(widget, name), left, top, width, height);
        return widget;
    };
    auto label = [&](const QString& text, const char* name, int left, int top, int width = 4575) {
        return placed(new QLabel(text, this), name, left, top, width, 240);
    };
    lblTitle = placed(new QLabel(QStringLiteral(" Kursomatik"), this), "lblTitle", 0, 120, 3360, 360);
    QFont title = designFont(12, true);
    title.setItalic(true);
    lblTitle->setFont(title);
    cmdOK = placed(new QPushButton(QStringLiteral("&OK"), this), "cmdOK", 3480, 240, 1260, 345);
    Label3 = label(QStringLiteral("Version 1.01"), "Label3", 120, 480, 3240);
    Label1 = label(QStringLiteral("Beschreibung:"), "Label1", 120, 840);
    lblDescription =
        label(QStringLiteral("Wechselkursrechner mit der Bezugsgröße Euro."), "lblDescription", 120, 1080);
    Label4 = label(QStringLiteral("Support und Programmierung:"), "Label4", 120, 1560);
    for (QLabel* heading : {Label1, Label4}) heading->setFont(designFont(8.25, true));
    Label5 = label(kSupportPerson, "Label5", 120, 1800);
    Label12 = placed(new LinkLabel(QStringLiteral("e-mail: ") + kSupportMail, this), "Label12", 120, 2160,
                     4575, 240);
    Label13 = label(QStringLiteral("tel.: ") + kSupportPhone, "Label13", 120, 2400);
    Label14 = label(QStringLiteral("fax: ") + kSupportFax, "Label14", 120, 2640);

    Line1 = placed(new QFrame(this), "Line1", 0, 2985, 4815, 30);
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    Picture1 = placed(new QLabel(this), "Picture1", 120, 3120, 4575, 735);
    Picture1->setPixmap(QPixmap(QStringLiteral(":/kursomatik/logo.png")));
    Picture1->setAlignment(Qt::AlignCenter);
    Picture1->setAccessibleName(QStringLiteral("Logo von Kursomatik"));

    Label2 = label(kMakerLegalForm, "Label2", 2280, 3840, 2415);
    Label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label2->setFont(designFont(8.25, true));
    Label6 = label(kMakerStreet, "Label6", 120, 3960, 2100);
    Label7 = label(kMakerTown, "Label7", 120, 4200);
    Label8 = label(QStringLiteral("tel.: ") + kMakerPhone, "Label8", 120, 4680);
    Label9 = label(QStringLiteral("fax: ") + kMakerFax, "Label9", 120, 4920);
    Label10 = placed(new LinkLabel(QStringLiteral("Internet: ") + kMakerWeb, this), "Label10", 120, 5160,
                     4575, 240);
    Label11 =
        placed(new LinkLabel(QStringLiteral("e-mail: ") + kMakerMail, this), "Label11", 120, 5400, 4575, 240);

    layout.apply();
    // A link is only as wide as its text, so that the blank beside it opens nothing.
    for (LinkLabel* link : {Label12, Label10, Label11}) {
        link->setAccessibleName(link->text());
        link->resize(link->sizeHint().width(), link->height());
    }
    Label10->setAccessibleDescription(QStringLiteral("Öffnet die Internetseite im Browser."));
    Label11->setAccessibleDescription(
        QStringLiteral("Öffnet eine neue E-Mail an %1 im E-Mail-Programm.").arg(kMakerMail));
    Label12->setAccessibleDescription(
        QStringLiteral("Öffnet eine neue E-Mail an %1 im E-Mail-Programm.").arg(kSupportMail));

    cmdOK->setDefault(true);
    cmdOK->setFocus();
    setTabOrder(cmdOK, Label12);
    setTabOrder(Label12, Label10);
    setTabOrder(Label10, Label11);

    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(Label10, &LinkLabel::clicked, this, [this] { Label10_Click(); });
    connect(Label11, &LinkLabel::clicked, this, [this] { Label11_Click(); });
    connect(Label12, &LinkLabel::clicked, this, [this] { Label12_Click(); });
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

void frmAbout::Label10_Click() {
    handOver(about::kMakerWeb);
}

void frmAbout::Label11_Click() {
    handOver(QStringLiteral("mailto:") + about::kMakerMail + QStringLiteral("?Subject=Kursomatik"));
}

void frmAbout::Label12_Click() {
    handOver(QStringLiteral("mailto:") + about::kSupportMail + QStringLiteral("?Subject=Kursomatik"));
}

void frmAbout::handOver(const QString& target) {
    const int r = windows_.openUrl(target);
    if (r > 32) return;
    // The line feed comes before the carriage return, as the message has always read.
    windows_.message(this,
                     QStringLiteral("ShellExecute fehlgeschlagen! ") + QStringLiteral("\n") +
                         QStringLiteral("\r") + QStringLiteral(" Fehler: ") +
                         QString::fromStdString(GetErrorString(r)),
                     MessageButtons::Ok, MessageIcon::Stop);
}

void showAboutWindow(WindowSystem& windows, QWidget* owner) {
    windows.showModal(new frmAbout(windows, owner));
}

}  // namespace kursomatik
