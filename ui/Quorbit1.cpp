#include "Quorbit1.h"

#include "Version.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "Quorbit1Dlg.h"

namespace quorbit1 {

bool DisplayAvailable() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform != nullptr && *platform != '\0') {
        return true;  // the user chose a platform; let the toolkit use it
    }
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (wayland != nullptr && *wayland != '\0') {
        return true;
    }
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        return false;
    }
    const std::string d(display);
    if (d[0] != ':') {
        return true;  // a display on another host: only the toolkit can find out
    }
    // ":1" or ":1.0": the local server listens on /tmp/.X11-unix/X1.
    const std::string number =
        d.substr(1, d.find('.') == std::string::npos ? std::string::npos : d.find('.') - 1);
    std::error_code ec;
    return std::filesystem::exists("/tmp/.X11-unix/X" + number, ec);
}

Translations::~Translations() {
    Remove();
}

void Translations::Remove() {
    if (m_installed) {
        QCoreApplication::removeTranslator(&m_ours);
        QCoreApplication::removeTranslator(&m_qt);
        m_installed = false;
    }
}

bool Translations::Install(const QLocale& locale) {
    Remove();
    if (!m_ours.load(locale, QStringLiteral("quorbit1"), QStringLiteral("_"),
                     QStringLiteral(":/i18n"))) {
        return false;
    }
    // Qt's own texts come from Debian's qt6-translations-l10n, where it is installed.
    if (m_qt.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&m_qt);
    }
    QCoreApplication::installTranslator(&m_ours);
    m_installed = true;
    return true;
}

int CQuorbit1App::InitInstance(int& argc, char** argv) {
    if (!DisplayAvailable()) {
        std::fprintf(stderr,
                     "quorbit1: no display found (DISPLAY and WAYLAND_DISPLAY); "
                     "quorbit1-cli works without one.\n");
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorbit1"));
    QApplication::setApplicationVersion(QString::fromLatin1(kVersion));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quorbit1.Quorbit1"));
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--no-history") {
            qputenv("QUORBIT1_NO_HISTORY", "1");  // read where the dialog opens the history
        }
    }
    Translations translations;
    translations.Install(QLocale());

    CQuorbit1Dlg dlg;
    dlg.exec();  // OK or Cancel, nothing follows from either
    return 0;
}

}  // namespace quorbit1
