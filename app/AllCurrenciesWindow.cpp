// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AllCurrenciesWindow.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "platform/qt/Controls.h"
#include "platform/qt/WindowSystem.h"

namespace kursomatik {

AllCurrenciesWindow::AllCurrenciesWindow(WindowSystem& windows, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAlleWaehrungen"));
    setWindowTitle(QStringLiteral("In allen Währungen"));
    setProperty("helpTopic", 12);
    Controls make(this);
    grdAlle = make.add(new QTableWidget(0, 5, this),
                       {"grdAlle", "Der Betrag in jeder Währung der Tabelle, mit dem Datum ihres Kurses."});
    lblBetrag = make.label("lblBetrag", {}, {}, grdAlle);
    grdAlle->setHorizontalHeaderLabels({QStringLiteral("ISO"), QStringLiteral("Bezeichnung"),
                                        QStringLiteral("Ergebnis"), QStringLiteral("Kurs vom"), QString()});
    grdAlle->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdAlle->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdAlle->setTabKeyNavigation(false);
    grdAlle->verticalHeader()->hide();
    grdAlle->horizontalHeader()->setStretchLastSection(true);
    auto* cmdKopieren = make.button({"cmdKopieren", "Die ganze Liste als Text mit Tabulatoren kopieren."},
                                    QStringLiteral("Alles &kopieren"));
    auto* cmdHilfe = make.button({"cmdHilfe", {}, QStringLiteral("Hilfe")}, QStringLiteral("&?"));
    auto* cmdSchliessen = make.button({"cmdSchliessen"}, QStringLiteral("&Schließen"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdKopieren);
    buttons->addWidget(cmdHilfe);
    buttons->addStretch();
    buttons->addWidget(cmdSchliessen);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblBetrag);
    layout->addWidget(grdAlle);
    layout->addLayout(buttons);
    resize(560, 420);
    chainTabs({grdAlle, cmdKopieren, cmdHilfe, cmdSchliessen});

    connect(cmdKopieren, &QPushButton::clicked, this,
            [this] { QGuiApplication::clipboard()->setText(QString::fromStdString(tabSeparated(rows_))); });
    connect(cmdHilfe, &QPushButton::clicked, this, [&windows] { windows.postF1(); });
    connect(cmdSchliessen, &QPushButton::clicked, this, &QDialog::close);
}

void AllCurrenciesWindow::fill(const QString& caption, const std::vector<AllCurrenciesRow>& rows) {
    rows_ = rows;
    lblBetrag->setText(caption);
    grdAlle->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < grdAlle->rowCount(); ++r) {
        const AllCurrenciesRow& row = rows[static_cast<std::size_t>(r)];
        int column = 0;
        for (const std::string& text : {row.iso, row.name, row.result, row.date, row.mark()}) {
            auto* cell = new QTableWidgetItem(QString::fromStdString(text));
            if (column == 2) cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grdAlle->setItem(r, column++, cell);
        }
    }
    grdAlle->resizeColumnsToContents();
}

}  // namespace kursomatik
