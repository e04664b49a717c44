// SPDX-License-Identifier: GPL-3.0-or-later
// The floor of start-up: a plain Qt main window with the visible controls of Kursomatik's main window,
// built the simplest way (a menu bar with its four menus, a line, labels, two drop-down lists, four
// text boxes, a button and a line of text below), started and ended exactly as the program's probe.
// Given a file of names, one a line, both lists hold them, as the program's lists hold its currencies.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

#include "bench/StartupMeasure.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Kursomatik"));
    const auto menu = [&](const char* title,
                          std::initializer_list<std::pair<const char*, QKeySequence>> items) {
        QMenu* added = window.menuBar()->addMenu(QString::fromUtf8(title));
        for (const auto& [caption, keys] : items)
            added->addAction(QString::fromUtf8(caption))->setShortcut(keys);
    };
    menu("&Datei", {{"Beenden", {}}});
    menu("&Bearbeiten", {{"Währungen &tauschen", QKeySequence(QStringLiteral("Ctrl+T"))},
                         {"Ergebnis &kopieren", QKeySequence(QStringLiteral("Ctrl+Shift+C"))}});
    menu("&Einstellungen", {{"Optionen", QKeySequence(QStringLiteral("Ctrl+O"))},
                            {"Wechselkurse", QKeySequence(QStringLiteral("Ctrl+W"))}});
    menu("&?", {{"Info", QKeySequence(QStringLiteral("Ctrl+I"))}, {"Hilfe", {}}});
    auto* client = new QWidget(&window);
    auto* grid = new QGridLayout(client);
    auto* line = new QFrame(client);
    line->setFrameShape(QFrame::HLine);
    grid->addWidget(line, 0, 0, 1, 3);
    auto* input = new QComboBox(client);
    auto* output = new QComboBox(client);
    grid->addWidget(new QLabel(QStringLiteral(" Eingabewährung..."), client), 1, 0);
    grid->addWidget(new QLabel(QStringLiteral(" Betrag..."), client), 1, 1);
    grid->addWidget(input, 2, 0);
    grid->addWidget(new QLineEdit(QStringLiteral("0"), client), 2, 1);
    grid->addWidget(new QLineEdit(client), 2, 2);
    grid->addWidget(new QLabel(QStringLiteral(" Ausgabewährung..."), client), 3, 0);
    grid->addWidget(new QLabel(QStringLiteral(" Ergebnis:"), client), 3, 1);
    grid->addWidget(output, 4, 0);
    grid->addWidget(new QLineEdit(QStringLiteral("0,00"), client), 4, 1);
    grid->addWidget(new QLineEdit(client), 4, 2);
    grid->addWidget(new QPushButton(QStringLiteral("Be&rechnen"), client), 5, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Kurs USD vom 06.02.2026"), client), 6, 0, 1, 3);
    window.setCentralWidget(client);
    if (argc > 1) {
        QFile names(QString::fromLocal8Bit(argv[1]));
        if (!names.open(QIODevice::ReadOnly)) return 1;
        QStringList entries;
        while (!names.atEnd()) entries << QString::fromUtf8(names.readLine()).trimmed();
        input->addItems(entries);
        output->addItems(entries);
    }
    window.show();
    while (window.windowHandle() == nullptr || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    kursomatik::bench::reportShown();
    std::_Exit(0);
}
