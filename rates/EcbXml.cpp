// SPDX-License-Identifier: GPL-3.0-or-later
#include "rates/ReferenceRates.h"

#include <QByteArray>
#include <QXmlStreamReader>
#include <optional>
#include <vector>

#include "rates/RateFields.h"

namespace kursomatik {
namespace {

using namespace ratefields;

class XmlReader {
  public:
    XmlReader(std::string_view bytes, const std::string& fileName, const std::string& where)
        : xml_(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()))),
          fileName_(fileName),
          where_(where) {}

    Result<ReferenceHistory> read() {
        while (!xml_.atEnd()) {
            const auto token = xml_.readNext();
            if (token == QXmlStreamReader::EndElement && --depth_ < dayDepth_) dayDepth_ = 0;
            if (token != QXmlStreamReader::StartElement) continue;
            ++depth_;
            if (xml_.name() != QLatin1String("Cube")) continue;
            cubes_ = true;
            const auto attributes = xml_.attributes();
            Status read = Status::ok();
            if (attributes.hasAttribute(QLatin1String("time"))) {
                read = day(attributes.value(QLatin1String("time")).toString().toStdString());
            } else if (attributes.hasAttribute(QLatin1String("currency"))) {
                read = rate(attributes.value(QLatin1String("currency")).toString().toStdString(),
                            attributes.value(QLatin1String("rate")).toString().toStdString());
            }
            if (!read) return read;
        }
        if (xml_.hasError()) {
            return importError(fileName_, where_ + "Zeile " + std::to_string(xml_.lineNumber()),
                               "Die Datei ist kein wohlgeformtes XML");
        }
        if (!cubes_)
            return importError(fileName_, where_ + "Zeile 1", "Die Datei enthält keine <Cube>-Elemente");
        if (days_.empty())
            return importError(fileName_, where_ + "<Cube time>", "Die Datei enthält kein Datum");
        return std::move(days_);
    }

  private:
    Status fail(const std::string& element, const std::string& cause) const {
        return importError(fileName_, where_ + element + " in Zeile " + std::to_string(xml_.lineNumber()),
                           cause);
    }

    Status day(const std::string& time) {
        const auto date = parseShortDate(time, "yyyy-MM-dd");
        if (!date) return fail("<Cube time='" + time + "'>", quotedText(time) + " ist kein Datum");
        dayDepth_ = depth_;
        days_.push_back(ReferenceRates{*date, {}});
        return Status::ok();
    }

    Status rate(const std::string& code, const std::string& text) {
        const auto failed = [&](const std::string& cause) {
            return fail("<Cube currency='" + code + "'>", cause);
        };
        if (dayDepth_ == 0) return failed("Der Kurs steht in keinem <Cube time>-Element mit Datum");
        if (!isCurrencyCode(code))
            return failed(quotedText(code) + " ist kein Währungscode aus drei Buchstaben");
        // Each code once a day: the day on which a code was seen last, by the code's number.
        int& seen =
            seenOnDay_[static_cast<std::size_t>(((code[0] - 'A') * 26 + code[1] - 'A') * 26 + code[2] - 'A')];
        if (seen == static_cast<int>(days_.size()))
            return failed("Die Währung steht an diesem Tag zweimal da");
        seen = static_cast<int>(days_.size());
        if (!isRate(text)) return failed(quotedText(text) + " ist kein Kurs größer null");
        days_.back().rates.push_back({code, *parseRate(text)});
        return Status::ok();
    }

    QXmlStreamReader xml_;
    const std::string& fileName_;
    const std::string& where_;
    int depth_ = 0;
    int dayDepth_ = 0;  // depth of the <Cube time> element we are in, 0 outside one
    bool cubes_ = false;
    std::vector<int> seenOnDay_ = std::vector<int>(26 * 26 * 26, 0);
    ReferenceHistory days_;
};

}  // namespace

Result<ReferenceHistory> parseEcbXml(std::string_view bytes, const std::string& fileName,
                                     const std::string& where) {
    return XmlReader(bytes, fileName, where).read();
}

}  // namespace kursomatik
