#include "ProgramFixture.h"

#include "PickList.h"

namespace kursomatik::testing {

std::string recordBytes(const Currency& c) {
    CurrencyRecord record;
    storeField(record, &CurrencyRecord::Bezeichnung, c.name);
    storeField(record, &CurrencyRecord::ISO, c.iso);
    storeField(record, &CurrencyRecord::Kurs, c.kurs);
    storeField(record, &CurrencyRecord::EWWU, c.ewwu);
    storeField(record, &CurrencyRecord::Datum, c.datum);
    return encodeRecord(record);
}

std::string tableBytes(const std::vector<Currency>& currencies) {
    std::string bytes;
    for (const auto& c : currencies) bytes += recordBytes(c);
    return bytes;
}

ProgramTest::ProgramTest() {
    state_.regional = RegionalSettings::german();
    state_.regional.today = [] { return CivilDate{2026, 12, 5}; };
    state_.environment.programDir = dir_.path() / "programm";
    state_.environment.systemProfile = dir_.path() / "config" / "WIN.INI";
    std::filesystem::create_directories(state_.environment.programDir);
}

ProgramTest::~ProgramTest() {
    main_.reset();
}

void ProgramTest::writeTable(const std::vector<Currency>& currencies) {
    writeFile(dir_ / kCurrencyFileName, tableBytes(currencies));
}

void ProgramTest::writeIni(const std::string& text) {
    writeFile(state_.environment.programDir / "Kursomatik.ini", text);
}

std::string ProgramTest::iniText() const {
    return readFile(state_.environment.programDir / "Kursomatik.ini");
}

std::string ProgramTest::datBytes() const {
    return readFile(dir_ / kCurrencyFileName);
}

WexlorEingabe& ProgramTest::start() {
    main_ = std::make_unique<WexlorEingabe>(state_, windows_);
    main_->Form_Load();
    return *main_;
}

QString ProgramTest::selectedName(QComboBox* box) const {
    return picklist::selectedLine(box).left(40).trimmed();
}

void ProgramTest::choose(QComboBox* box, const QString& name) {
    const int index = box->findText(name);
    ASSERT_GE(index, 0) << name.toStdString();
    box->setCurrentIndex(index);
}

void ProgramTest::typeAmount(const QString& text) {
    main_->txtWertEingabe->setText(text);
}

}  // namespace kursomatik::testing
