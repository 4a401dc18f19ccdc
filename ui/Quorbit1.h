// Start-up: checks that there is a display, loads the user's language, shows the main dialog
// modally, and ends the program when it closes.
#pragma once

#include <QTranslator>

class QLocale;

namespace quorbit1 {

// The program's texts and Qt's own (standard buttons) in a language, for as long as the object
// lives. English, the language of the sources, needs no translation.
class Translations {
public:
    Translations() = default;
    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;
    ~Translations();

    // Installs the translations for the locale's user interface languages, the first that has
    // one; returns false when none has (English, or a language nobody translated yet).
    bool Install(const QLocale& locale);

private:
    void Remove();

    QTranslator m_qt;
    QTranslator m_ours;
    bool m_installed = false;
};

class CQuorbit1App {
public:
    // Returns the process's exit status.
    int InitInstance(int& argc, char** argv);
};

// True when a window system can be reached: a platform chosen in QT_QPA_PLATFORM, a Wayland
// display, or an X display whose socket exists.
bool DisplayAvailable();

}  // namespace quorbit1
