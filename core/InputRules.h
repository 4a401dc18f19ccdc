// The rules every face applies to what a user gives the calculator, before the OK command sees
// it: how long a text an expression field takes, what a batch's bytes mean (a byte-order mark,
// UTF-16), and what a variable's value may be. Each face calls these; none words them again.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "TranslatableText.h"

namespace quorbit1 {

// The longest expression an expression field takes, in characters. Far beyond any typed one,
// and short enough for a field to lay out a paste at once. The command line takes any length.
inline constexpr std::size_t kFieldLimit = 100000;

// What a field says when it is given more; %1 is kFieldLimit in the user's way of writing
// numbers. The answer, the history and the working stay as they were.
inline constexpr const char* kMsgTooLong = QT_TRANSLATE_NOOP(
    "quorbit1::Message",
    "An expression of more than %1 characters is not taken; nothing was evaluated.");

// Characters of a UTF-8 text as a person counts them: each code point one, and each byte that
// is not part of a UTF-8 sequence one too (the evaluator steps over it as one character).
std::size_t CharacterCount(std::string_view text);

// Whether an expression field takes the text.
inline bool FieldTakes(std::string_view text) {
    return text.size() <= kFieldLimit || CharacterCount(text) <= kFieldLimit;
}

// The start of a text in UTF-16, the first character of the text, in characters of that kind:
// where a face that counts in UTF-16 (Qt, JavaScript, Windows) selects the character at a byte
// offset of the UTF-8 text.
std::size_t Utf16Offset(std::string_view text, std::size_t byteOffset);

// The byte-order mark that some editors put before a UTF-8 text. It is not part of the text.
inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// How the bytes of a batch are encoded, by their first bytes: UTF-8 (with or without its mark),
// or UTF-16 with its mark in either byte order (what Windows' Notepad and PowerShell write as
// "Unicode").
enum class BatchEncoding { kUtf8, kUtf16LittleEndian, kUtf16BigEndian };
BatchEncoding DetectBatchEncoding(std::string_view firstBytes);

// UTF-16 bytes (without their mark) as UTF-8; a lone surrogate or an odd last byte becomes
// U+FFFD, which the evaluator reports as an invalid character like any other.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian);

// A variable's value as a person types it: an optional sign, decimal digits with at most one
// decimal separator ('.', or the user's own, such as ','), an optional exponent ("e-3"), blanks
// around it ignored; finite only. nullopt for anything else ("0x10", "1e400", "inf", "").
std::optional<double> ReadSlotValue(std::string_view text, std::string_view decimalSeparator = ".");

// What the Variables dialog, the page and --set say of a value that is not one; %1 is the
// letter.
inline constexpr const char* kMsgNotANumber =
    QT_TRANSLATE_NOOP("quorbit1::CVariablesDlg", "%1 is not a number.");

}  // namespace quorbit1
