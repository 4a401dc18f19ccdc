// The window's texts in the user's language: the translations of the Qt dialog and the page
// (ui/translations/*.ts), compiled into the program by make_translations.py, looked up by
// context and English source as Qt looks them up.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>

namespace quorbit1::windows {

inline constexpr std::size_t kLanguageCount = 2;  // one per .ts file

struct TranslationEntry {
    const char* key;                                // "context|source"
    std::array<const char*, kLanguageCount> texts;  // nullptr where a language has none
};

extern const std::array<const char*, kLanguageCount> kLanguages;  // "de", "fr"
extern const std::span<const TranslationEntry> kTranslations;     // sorted by key

// The language of the user's Windows, where the translations have it; else English.
void ChooseLanguage();
// The language chosen: a code of kLanguages, or "en".
const char* LanguageCode();

// The text in the chosen language, UTF-8; the source itself where there is no translation.
std::string Tr(const char* context, const char* source);
std::wstring TrW(const char* context, const char* source);

}  // namespace quorbit1::windows
