#include "Translations.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "WideText.h"

namespace quorbit1::windows {

namespace {
int g_language = -1;  // an index into kLanguages, or -1 for English
}  // namespace

void ChooseLanguage() {
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    const LANGID ui = GetUserDefaultUILanguage();
    if (GetLocaleInfoW(MAKELCID(ui, SORT_DEFAULT), LOCALE_SISO639LANGNAME, name,
                       LOCALE_NAME_MAX_LENGTH) == 0) {
        return;
    }
    const std::string code = Narrow(name);
    for (std::size_t i = 0; i < kLanguages.size(); ++i) {
        if (code == kLanguages[i]) {
            g_language = static_cast<int>(i);
        }
    }
}

const char* LanguageCode() {
    return g_language < 0 ? "en" : kLanguages[static_cast<std::size_t>(g_language)];
}

std::string Tr(const char* context, const char* source) {
    if (g_language < 0 || source == nullptr || *source == '\0') {
        return source == nullptr ? std::string() : std::string(source);
    }
    std::string key = std::string(context) + '|' + source;
    const auto it = std::lower_bound(kTranslations.begin(), kTranslations.end(), key,
                                     [](const TranslationEntry& e, const std::string& k) {
                                         return std::strcmp(e.key, k.c_str()) < 0;
                                     });
    if (it == kTranslations.end() || key != it->key) {
        return source;
    }
    const char* text = it->texts[static_cast<std::size_t>(g_language)];
    return text != nullptr ? text : source;
}

std::wstring TrW(const char* context, const char* source) {
    return Wide(Tr(context, source));
}

}  // namespace quorbit1::windows
