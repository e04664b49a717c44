// SPDX-License-Identifier: GPL-3.0-or-later
// kursomatik-tabelle SOURCE.csv KURSOMATIK.DAT: builds the shipped currency table from its source.
#include <fstream>
#include <iostream>
#include <sstream>

#include "data/CurrencyTableSource.h"
#include "store/RecordFile.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "Aufruf: kursomatik-tabelle QUELLE.csv " << kursomatik::kCurrencyFileName << "\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "Die Datei " << argv[1] << " kann nicht gelesen werden.\n";
        return 1;
    }
    std::stringstream source;
    source << in.rdbuf();
    const auto table = kursomatik::buildCurrencyTable(source.str());
    if (!table) {
        std::cerr << argv[1] << ": " << table.error() << '\n';
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << *table;
    if (!out.flush()) {
        std::cerr << "Die Datei " << argv[2] << " kann nicht geschrieben werden.\n";
        return 1;
    }
    return 0;
}
