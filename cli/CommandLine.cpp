// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CommandLine.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "conversion/Decimals.h"
#include "platform/SystemError.h"
#include "settings/Locations.h"
#include "store/RecordFile.h"

namespace kursomatik {

std::string rechnerHilfe() {
    const std::string table = kCurrencyFileName;
    const std::string settings = kSettingsFileName;
    return R"(Aufruf: kursomatik-rechner [OPTIONEN] BETRAG VON NACH
        kursomatik-rechner [OPTIONEN] --alle BETRAG VON
        kursomatik-rechner [OPTIONEN] --liste
        kursomatik-rechner [OPTIONEN] --import DATEI [--ueberschreiben]
        kursomatik-rechner [OPTIONEN] --aktualisieren [--ueberschreiben]
        kursomatik-rechner [OPTIONEN] --datum JJJJ-MM-TT BETRAG VON NACH
        kursomatik-rechner [OPTIONEN] --verlauf VON NACH [--von JJJJ-MM-TT] [--bis JJJJ-MM-TT]

Rechnet BETRAG von der Währung VON über den Euro in die Währung NACH um, mit denselben
Kursen, Stellen und Zahlenformaten wie das Hauptfenster von Kursomatik, und gibt das
Ergebnis so aus, wie das Fenster es zeigt. VON und NACH sind die ISO-Codes der
Währungstabelle (DEM, FRF, EUR, ...); Groß- und Kleinschreibung zählt nicht. Den Betrag
schreibt man wie im Fenster, mit den Trennzeichen der Ländereinstellungen (deutsch: 1.234,56).

Optionen:
  --alle              BETRAG von VON in jede Währung der Tabelle umrechnen, mit dem Datum
                      jedes Kurses und ⚠ bei Kursen, die älter sind als kursalter Tage
  --liste             alle Währungen mit Code, Kurs je Euro, Datum und EWWU-Mitgliedschaft
  --import DATEI      die Referenzkurse der EZB aus DATEI in die Währungstabelle übernehmen
                      (eurofxref-daily.xml, eurofxref-hist.xml, eurofxref.csv,
                      eurofxref-hist.csv oder eine .zip-Datei der EZB); Festkurse der EWWU
                      bleiben, Kurse mit neuerem Datum als die Datei auch; jeder Tag der
                      Datei kommt außerdem in den Kursverlauf )" +
           std::string(kHistoryFileName) + R"(
                      neben der Tabelle (eurofxref-hist.zip: alle Tage seit 1999)
  --aktualisieren     die Referenzkurse des Tages aus dem Netz holen (die Adresse nennt
                      kursquelle in den Einstellungen, sonst die tägliche Datei der EZB) und
                      wie mit --import übernehmen; nichts Neues ändert nichts
  --ueberschreiben    mit --import oder --aktualisieren: auch die neueren Kurse überschreiben
  --datum JJJJ-MM-TT  mit den Referenzkursen dieses Tages aus dem Kursverlauf umrechnen; an
                      einem Tag ohne Kurse gilt der letzte höchstens 4 Tage davor, und eine
                      Zeile auf stderr nennt seinen Tag; Festkurse der EWWU ab ihrem Stichtag
  --verlauf           den Kurs von NACH je 1 VON für jeden Tag des Kursverlaufs ausgeben, als
                      CSV (Tag nach ISO 8601;Kurs in den Ländereinstellungen) oder mit --json
                      als JSON-Array; --von und --bis JJJJ-MM-TT begrenzen die Tage
  --json              die Umrechnung als JSON-Objekt ausgeben, mit --liste oder --alle als
                      JSON-Array (Datumsangaben nach ISO 8601: 2024-06-28)
  --tabelle DATEI     diese Währungstabelle benutzen
  --euro-stellen 3|4  Nachkommastellen des Euro-Zwischenergebnisses (statt der Einstellung)
  --stellen 2|3|4     Nachkommastellen des Ergebnisses (statt der Einstellung)
  -h, --help          diese Hilfe
  --version           die Version von Kursomatik

Die Währungstabelle ist )" +
           table + R"( im aktuellen Ordner, sonst im Datenordner von
Kursomatik ($XDG_DATA_HOME/Kursomatik, sonst ~/.local/share/Kursomatik); --import nennt sie
mit vollem Pfad und sagt, wenn es beide gibt, welche es ändert. Die Einstellungen kommen aus
derselben Datei )" +
           settings + R"( wie beim Programm.

Rückgabewert: 0 bei Erfolg; 1 bei falscher Eingabe (unbekannter Code, Betrag keine Zahl,
unbrauchbarer Kurs, falsche Option, fehlende Einstellung oder eine Referenzkursdatei, die
fehlt, nicht gelesen werden kann, unvollständig oder keine der EZB ist oder Kurse nach morgen
hat, oder ein Tag ohne Kurs im Kursverlauf); 2, wenn die Währungstabelle fehlt, nicht gelesen oder beim Import nicht neu geschrieben
werden kann (sie bleibt dann, wie sie war); 3, wenn --aktualisieren die Kurse nicht aus dem
Netz holen kann (keine Verbindung, Name unbekannt, Zertifikat, Zeit abgelaufen, HTTP-Fehler);
4, wenn der Import die Tabelle geschrieben hat, den Kursverlauf aber nicht.
)";
}

namespace {

// "-100" and "-,5" are negative amounts, not options.
bool isOption(const std::string& arg) {
    return arg.size() > 1 && arg[0] == '-' && !(arg[1] >= '0' && arg[1] <= '9') && arg[1] != ',' &&
           arg[1] != '.';
}

// The choices as the user names them: "2, 3 oder 4".
template <std::size_t N>
std::string wording(const std::array<Decimals, N>& choices) {
    std::string text;
    for (std::size_t k = 0; k < N; ++k)
        text += (k == 0 ? "" : k + 1 == N ? " oder " : ", ") + std::to_string(choices[k].places);
    return text;
}

// The number of decimals the user names, as the rounding factor of the settings.
template <std::size_t N>
Status takeDecimals(std::optional<double>& factor, const std::string& option, const std::string& value,
                    const std::array<Decimals, N>& choices) {
    for (const Decimals& choice : choices) {
        if (value == std::to_string(choice.places)) {
            factor = choice.factor;
            return Status::ok();
        }
    }
    return Status::fail("Die Option " + option + " erlaubt " + wording(choices) + ", nicht " +
                        inQuotes(value) + ".");
}

Status takeDay(std::optional<CivilDate>& day, const std::string& option, const std::string& value) {
    day = parseShortDate(value, "yyyy-MM-dd");
    if (!day || value.size() != 10)
        return Status::fail("Die Option " + option + " braucht einen Tag als JJJJ-MM-TT, nicht " +
                            inQuotes(value) + ".");
    return Status::ok();
}

Status takeValue(RechnerOptions& o, const std::string& option, const std::string& value) {
    if (option == "--datum") return takeDay(o.datum, option, value);
    if (option == "--von") return takeDay(o.seit, option, value);
    if (option == "--bis") return takeDay(o.bis, option, value);
    if (option == "--tabelle" || option == "--import") {
        if (value.empty()) return Status::fail("Die Option " + option + " braucht einen Dateinamen.");
        (option == "--tabelle" ? o.tabelle : o.import) = value;
        return Status::ok();
    }
    if (option == "--euro-stellen") return takeDecimals(o.dStellen1, option, value, kEuroDecimals);
    return takeDecimals(o.dStellen2, option, value, kResultDecimals);
}

// Options that take a value, as "--stellen 3" or "--stellen=3".
constexpr std::array<std::string_view, 7> kValueOptions = {
    "--tabelle", "--euro-stellen", "--stellen", "--import", "--datum", "--von", "--bis"};

Status takeOption(RechnerOptions& o, const std::vector<std::string>& args, std::size_t& i) {
    const std::string& arg = args[i];
    const std::size_t equals = arg.find('=');
    const std::string option = arg.substr(0, equals);
    const bool takesValue =
        std::find(kValueOptions.begin(), kValueOptions.end(), option) != kValueOptions.end();
    if (takesValue) {
        if (equals != std::string::npos) return takeValue(o, option, arg.substr(equals + 1));
        if (i + 1 >= args.size()) return Status::fail("Die Option " + option + " braucht einen Wert.");
        return takeValue(o, option, args[++i]);
    }
    if (option == "--liste" || option == "--alle" || option == "--json" || option == "--ueberschreiben" ||
        option == "--aktualisieren" || option == "--verlauf" || option == "--help" || option == "-h" ||
        option == "--version") {
        if (equals != std::string::npos) return Status::fail("Die Option " + option + " hat keinen Wert.");
        if ((option == "--liste" && o.mode == RechnerOptions::Mode::All) ||
            (option == "--alle" && o.mode == RechnerOptions::Mode::List))
            return Status::fail("--alle und --liste gehen nicht zusammen.");
        if (option == "--json") o.json = true;
        if (option == "--ueberschreiben") o.ueberschreiben = true;
        if (option == "--aktualisieren") o.aktualisieren = true;
        if (option == "--verlauf") o.verlauf = true;
        if (option == "--liste" && o.mode == RechnerOptions::Mode::Convert)
            o.mode = RechnerOptions::Mode::List;
        if (option == "--alle" && o.mode == RechnerOptions::Mode::Convert) o.mode = RechnerOptions::Mode::All;
        if (option == "--version" && o.mode != RechnerOptions::Mode::Help)
            o.mode = RechnerOptions::Mode::Version;
        if (option == "--help" || option == "-h") o.mode = RechnerOptions::Mode::Help;
        return Status::ok();
    }
    return Status::fail("Unbekannte Option " + inQuotes(arg) + ".");
}

}  // namespace

Result<RechnerOptions> parseCommandLine(const std::vector<std::string>& args) {
    RechnerOptions o;
    std::vector<std::string> operands;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (optionsEnded || !isOption(args[i])) {
            operands.push_back(args[i]);
        } else if (args[i] == "--") {
            optionsEnded = true;
        } else if (Status taken = takeOption(o, args, i); !taken) {
            return taken;
        }
    }
    if (o.mode == RechnerOptions::Mode::Help || o.mode == RechnerOptions::Mode::Version) return o;
    if (o.ueberschreiben && !o.import && !o.aktualisieren)
        return Status::fail("--ueberschreiben gilt nur zusammen mit --import DATEI oder --aktualisieren.");
    if (o.import && o.aktualisieren)
        return Status::fail("--import und --aktualisieren gehen nicht zusammen.");
    if ((o.seit || o.bis) && !o.verlauf)
        return Status::fail("--von und --bis gelten nur zusammen mit --verlauf.");
    const bool daily = o.datum || o.verlauf;
    if (daily && (o.import || o.aktualisieren || o.mode != RechnerOptions::Mode::Convert))
        return Status::fail(
            "--datum und --verlauf gehen nicht mit --import, --aktualisieren, --liste oder --alle.");
    if (o.datum && o.verlauf) return Status::fail("--datum und --verlauf gehen nicht zusammen.");
    if (o.verlauf) {
        if (operands.size() != 2)
            return Status::fail(
                "--verlauf nimmt zwei Währungscodes, zum Beispiel: kursomatik-rechner --verlauf USD CHF");
        if (o.seit && o.bis && *o.bis < *o.seit) return Status::fail("--bis liegt vor --von.");
        o.mode = RechnerOptions::Mode::Series;
        o.von = operands[0];
        o.nach = operands[1];
        return o;
    }
    if (o.import || o.aktualisieren) {
        const char* option = o.import ? "--import" : "--aktualisieren";
        if (o.mode != RechnerOptions::Mode::Convert || o.json || !operands.empty())
            return Status::fail(
                std::string(option) +
                " nimmt keinen Betrag, keine Währungen und kein --liste, --alle oder --json.");
        o.mode = o.import ? RechnerOptions::Mode::Import : RechnerOptions::Mode::Update;
        return o;
    }
    if (o.mode == RechnerOptions::Mode::List) {
        if (!operands.empty()) return Status::fail("--liste nimmt keinen Betrag und keine Währungen.");
        return o;
    }
    if (o.mode == RechnerOptions::Mode::All) {
        if (operands.size() != 2)
            return Status::fail(
                "--alle nimmt einen Betrag und einen Währungscode, zum Beispiel: "
                "kursomatik-rechner --alle 100 DEM");
        o.betrag = operands[0];
        o.von = operands[1];
        return o;
    }
    if (operands.size() != 3) {
        return Status::fail(
            "Erwartet werden ein Betrag und zwei Währungscodes, zum Beispiel: "
            "kursomatik-rechner 100 DEM FRF");
    }
    o.betrag = operands[0];
    o.von = operands[1];
    o.nach = operands[2];
    if (o.datum) o.mode = RechnerOptions::Mode::OnDay;
    return o;
}

}  // namespace kursomatik
