#include "InputRules.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "Utf8.h"

namespace quorbit1 {

std::size_t CharacterCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++count) {
        const std::size_t n = Utf8SequenceLength(text, i);
        i += n == 0 ? 1 : n;
    }
    return count;
}

std::size_t Utf16Offset(std::string_view text, std::size_t byteOffset) {
    std::size_t units = 0;
    for (std::size_t i = 0; i < text.size() && i < byteOffset;) {
        const std::size_t n = Utf8SequenceLength(text, i);
        units += n == 4 ? 2 : 1;
        i += n == 0 ? 1 : n;
    }
    return units;
}

BatchEncoding DetectBatchEncoding(std::string_view firstBytes) {
    if (firstBytes.starts_with("\xFF\xFE")) {
        return BatchEncoding::kUtf16LittleEndian;
    }
    if (firstBytes.starts_with("\xFE\xFF")) {
        return BatchEncoding::kUtf16BigEndian;
    }
    return BatchEncoding::kUtf8;
}

namespace {

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    constexpr char32_t kReplacement = 0xFFFD;
    const std::size_t units = bytes.size() / 2;
    const auto unit = [&](std::size_t k) {
        const auto a = static_cast<unsigned char>(bytes[2 * k]);
        const auto b = static_cast<unsigned char>(bytes[2 * k + 1]);
        return static_cast<char32_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    };
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t k = 0; k < units; ++k) {
        const char32_t u = unit(k);
        if (u >= 0xD800 && u <= 0xDBFF && k + 1 < units && unit(k + 1) >= 0xDC00 &&
            unit(k + 1) <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (unit(k + 1) - 0xDC00));
            ++k;
        } else {
            AppendUtf8(out, u >= 0xD800 && u <= 0xDFFF ? kReplacement : u);
        }
    }
    if (bytes.size() % 2 != 0) {
        AppendUtf8(out, kReplacement);
    }
    return out;
}

std::optional<double> ReadSlotValue(std::string_view text, std::string_view decimalSeparator) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    // The numeral in the C form, checked as it is copied: sign, digits, one point, exponent.
    std::string numeral;
    std::size_t i = 0;
    // from_chars takes no '+'.
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') {
            numeral += '-';
        }
        ++i;
    }
    std::size_t digits = 0;
    bool point = false;
    while (i < text.size()) {
        if (IsDigit(text[i])) {
            numeral += text[i++];
            ++digits;
        } else if (!point && text[i] == '.') {
            numeral += text[i++];
            point = true;
        } else if (!point && !decimalSeparator.empty() &&
                   text.substr(i).starts_with(decimalSeparator)) {
            numeral += '.';
            i += decimalSeparator.size();
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0) {
        return std::nullopt;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        numeral += text[i++];
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            numeral += text[i++];
        }
        std::size_t exponentDigits = 0;
        while (i < text.size() && IsDigit(text[i])) {
            numeral += text[i++];
            ++exponentDigits;
        }
        if (exponentDigits == 0) {
            return std::nullopt;
        }
    }
    if (i != text.size()) {
        return std::nullopt;
    }
    // from_chars reads the C form whatever the locale (a Qt program runs in the user's, where
    // strtod may want a comma); the WebAssembly toolchain's library lacks it, and there the
    // locale is always "C".
    double value = 0.0;
#if defined(__cpp_lib_to_chars)
    const auto [end, error] =
        std::from_chars(numeral.data(), numeral.data() + numeral.size(), value);
    if (error != std::errc() || end != numeral.data() + numeral.size()) {
        return std::nullopt;
    }
#else
    value = std::strtod(numeral.c_str(), nullptr);
    // As from_chars does: a value too small to be anything but zero is out of range.
    const std::size_t mantissaEnd = numeral.find_first_of("eE");
    if (value == 0.0 &&
        numeral.substr(0, mantissaEnd).find_first_of("123456789") != std::string::npos) {
        return std::nullopt;
    }
#endif
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace quorbit1
