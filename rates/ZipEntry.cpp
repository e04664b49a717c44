// SPDX-License-Identifier: GPL-3.0-or-later
#include "rates/ZipEntry.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <optional>

#include "platform/SystemError.h"

// The ECB packs one CSV file into a .zip. What is read here is the format's plain core: the end record,
// the central directory, the local header, and an entry stored or deflated (zlib, which Qt loads
// anyway). Anything beyond that (encryption, other methods, ZIP64) is refused with a message.

namespace kursomatik {
namespace {

constexpr std::uint32_t kLocalHeader = 0x04034b50;
constexpr std::uint32_t kCentralHeader = 0x02014b50;
constexpr std::uint32_t kEndRecord = 0x06054b50;
constexpr std::size_t kEndRecordSize = 22;
constexpr std::size_t kCentralHeaderSize = 46;
constexpr std::size_t kLocalHeaderSize = 30;

// Little-endian numbers at a position of the archive; empty past its end.
class Bytes {
  public:
    explicit Bytes(std::string_view bytes) : bytes_(bytes) {}
    std::optional<std::uint32_t> number(std::size_t at, std::size_t width) const {
        if (at > bytes_.size() || width > bytes_.size() - at) return std::nullopt;
        std::uint32_t value = 0;
        for (std::size_t i = width; i-- > 0;) value = value << 8 | static_cast<unsigned char>(bytes_[at + i]);
        return value;
    }
    std::optional<std::string_view> part(std::size_t at, std::size_t size) const {
        if (at > bytes_.size() || size > bytes_.size() - at) return std::nullopt;
        return bytes_.substr(at, size);
    }
    std::size_t size() const { return bytes_.size(); }

  private:
    std::string_view bytes_;
};

struct Entry {
    std::string name;
    std::uint32_t flags = 0;
    std::uint32_t method = 0;
    std::uint32_t crc = 0;
    std::uint32_t packedSize = 0;
    std::uint32_t size = 0;
    std::uint32_t localHeader = 0;
};

// `suffix` in lower case.
bool endsWithCaseless(std::string_view name, std::string_view suffix) {
    return name.size() >= suffix.size() &&
           std::equal(suffix.begin(), suffix.end(), name.end() - suffix.size(),
                      [](char s, char n) { return (n | 0x20) == s; });
}

// The end record: the last one of the archive, with at most 65535 bytes of comment after it.
std::optional<std::size_t> findEndRecord(const Bytes& zip) {
    if (zip.size() < kEndRecordSize) return std::nullopt;
    const std::size_t last = zip.size() - kEndRecordSize;
    const std::size_t first = last > 0xFFFF ? last - 0xFFFF : 0;
    for (std::size_t at = last + 1; at-- > first;) {
        if (zip.number(at, 4) == kEndRecord && zip.number(at + 20, 2) == zip.size() - kEndRecordSize - at)
            return at;
    }
    return std::nullopt;
}

// The reference-rate file's entry: the first .csv or .xml of the central directory.
std::optional<std::optional<Entry>> chooseEntry(const Bytes& zip) {
    const auto end = findEndRecord(zip);
    if (!end) return std::nullopt;
    const auto count = zip.number(*end + 10, 2);
    const auto directory = zip.number(*end + 16, 4);
    std::size_t at = *directory;
    for (std::uint32_t i = 0; i < *count; ++i) {
        if (zip.number(at, 4) != kCentralHeader) return std::nullopt;
        const auto nameSize = zip.number(at + 28, 2);
        const auto extraSize = zip.number(at + 30, 2);
        const auto commentSize = zip.number(at + 32, 2);
        const auto name = nameSize ? zip.part(at + kCentralHeaderSize, *nameSize) : std::nullopt;
        if (!name || !extraSize || !commentSize) return std::nullopt;
        if (endsWithCaseless(*name, ".csv") || endsWithCaseless(*name, ".xml")) {
            return Entry{std::string(*name),      *zip.number(at + 8, 2),  *zip.number(at + 10, 2),
                         *zip.number(at + 16, 4), *zip.number(at + 20, 4), *zip.number(at + 24, 4),
                         *zip.number(at + 42, 4)};
        }
        at += kCentralHeaderSize + *nameSize + *extraSize + *commentSize;
    }
    return std::optional<Entry>();
}

// At most limit + 1 bytes of a raw deflate stream; empty when the stream is broken or cut short.
std::optional<std::string> inflated(std::string_view packed, std::size_t limit) {
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return std::nullopt;
    std::string out(std::min<std::size_t>(limit + 1, std::max<std::size_t>(packed.size() * 4, 4096)), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    stream.avail_in = static_cast<uInt>(packed.size());
    int result = Z_OK;
    while (result == Z_OK) {
        if (stream.total_out == out.size()) {
            if (out.size() > limit) break;
            out.resize(std::min<std::size_t>(limit + 1, out.size() * 2));
        }
        stream.next_out = reinterpret_cast<Bytef*>(out.data() + stream.total_out);
        stream.avail_out = static_cast<uInt>(out.size() - stream.total_out);
        result = inflate(&stream, Z_NO_FLUSH);
    }
    const bool whole = result == Z_STREAM_END || (result == Z_OK && stream.total_out > limit);
    out.resize(stream.total_out);
    inflateEnd(&stream);
    if (!whole) return std::nullopt;
    return out;
}

}  // namespace

bool looksLikeZip(std::string_view bytes) {
    return bytes.starts_with(std::string_view("PK\x03\x04", 4)) ||
           bytes.starts_with(std::string_view("PK\x05\x06", 4));
}

Result<ZipEntry> unpackReferenceFile(std::string_view bytes, const std::string& fileName, std::size_t limit) {
    const auto failed = [&](const std::string& cause) {
        return Status::fail(fileNamed(fileName) + " " + cause);
    };
    const Bytes zip(bytes);
    const auto chosen = chooseEntry(zip);
    if (!chosen) return failed("ist kein lesbares ZIP-Archiv.");
    if (!*chosen) return failed("enthält keine Referenzkursdatei (.csv oder .xml).");
    const Entry& entry = **chosen;
    const std::string limitText = std::to_string(limit >> 20) + " MiB";
    const auto tooLarge = [&] {
        return failed("enthält " + inQuotes(entry.name) + " mit mehr als " + limitText +
                      "; das ist keine Referenzkursdatei.");
    };
    const auto broken = [&] {
        return failed("ist beschädigt: " + inQuotes(entry.name) + " kann nicht entpackt werden.");
    };
    if (entry.size > limit && entry.size != 0xFFFFFFFF) return tooLarge();
    // Encrypted, packed by another method than storing or deflating, or sizes only ZIP64 knows.
    if ((entry.flags & 1) != 0 || (entry.method != 0 && entry.method != 8) || entry.size == 0xFFFFFFFF ||
        entry.packedSize == 0xFFFFFFFF) {
        return failed("ist verschlüsselt, mit einem unbekannten Verfahren gepackt oder beschädigt: " +
                      inQuotes(entry.name) + " kann nicht entpackt werden.");
    }
    const std::size_t local = entry.localHeader;
    const auto nameSize = zip.number(local + 26, 2);
    const auto extraSize = zip.number(local + 28, 2);
    if (zip.number(local, 4) != kLocalHeader || !nameSize || !extraSize) return broken();
    const auto packed = zip.part(local + kLocalHeaderSize + *nameSize + *extraSize, entry.packedSize);
    if (!packed) return broken();
    // The sizes in the archive may lie: unpacking stops one byte beyond the limit.
    auto content = entry.method == 0 ? std::optional<std::string>(*packed) : inflated(*packed, limit);
    if (!content) return broken();
    if (content->size() > limit) return tooLarge();
    const auto crc =
        crc32(0, reinterpret_cast<const Bytef*>(content->data()), static_cast<uInt>(content->size()));
    if (content->size() != entry.size || crc != entry.crc) return broken();
    return ZipEntry{entry.name, std::move(*content)};
}

}  // namespace kursomatik
