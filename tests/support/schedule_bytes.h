#pragma once

// Schedule file bytes put together from the documented layout, independently of the code under test.

#include <bit>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace vistrel::testing_support {

using Bytes = std::vector<std::uint8_t>;

/// Little-endian IEEE 754 image of a time.
inline Bytes le_double(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    Bytes bytes(8);
    for (unsigned i = 0; i < 8; ++i) {
        bytes[i] = static_cast<std::uint8_t>((bits >> (8 * i)) & 0xFF);
    }
    return bytes;
}

/// Writes raw bytes at an offset, growing the buffer with zero bytes where needed.
inline void put(Bytes& bytes, std::size_t offset, std::string_view raw) {
    if (bytes.size() < offset + raw.size()) {
        bytes.resize(offset + raw.size(), 0);
    }
    for (std::size_t i = 0; i < raw.size(); ++i) {
        bytes[offset + i] = static_cast<std::uint8_t>(raw[i]);
    }
}

inline void put(Bytes& bytes, std::size_t offset, const Bytes& raw) {
    put(bytes, offset, std::string_view(reinterpret_cast<const char*>(raw.data()), raw.size()));
}

inline Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes bytes;
    for (const Bytes& part : parts) {
        bytes.insert(bytes.end(), part.begin(), part.end());
    }
    return bytes;
}

/// "ZQ" at 0, "Vistrel" at 10, "1.0" at 25, zero elsewhere, then the two counts.
inline Bytes standard_header(std::uint8_t rests, std::uint8_t tasks) {
    Bytes bytes(37, 0);
    put(bytes, 0, "ZQ");
    put(bytes, 10, "Vistrel");
    put(bytes, 25, "1.0");
    bytes[35] = rests;
    bytes[36] = tasks;
    return bytes;
}

/// 32 bytes: links and reserved zero, time at 16, flags 0 at 24, minutes at 25.
inline Bytes rest_record(const Bytes& time, std::uint8_t minutes) {
    Bytes record(32, 0);
    put(record, 16, time);
    record[25] = minutes;
    return record;
}

/// 232 bytes: time at 16, flags at 24, the text from 25.
inline Bytes reminder_record(const Bytes& time, std::uint8_t flags, std::string_view text) {
    Bytes record(232, 0);
    put(record, 16, time);
    record[24] = flags;
    put(record, 25, text);
    return record;
}

/// 232 bytes: time at 16, flags at 24, run mode at 25, path from 26, arguments from 126.
inline Bytes program_record(const Bytes& time,
                            std::uint8_t flags,
                            std::uint8_t run_mode,
                            std::string_view path,
                            std::string_view arguments) {
    Bytes record(232, 0);
    put(record, 16, time);
    record[24] = flags;
    record[25] = run_mode;
    put(record, 26, path);
    put(record, 126, arguments);
    return record;
}

}  // namespace vistrel::testing_support
