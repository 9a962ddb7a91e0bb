#include <QApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

#include "app/main_form.h"
#include "app/ui_services.h"

int main(int argc, char** argv) {
    const bool hasDisplay = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY") ||
                            std::getenv("QT_QPA_PLATFORM");
    if (!hasDisplay) {
        std::fprintf(stderr,
                     "numerelle: no display found. Start it from a desktop session, or without a\n"
                     "screen under a virtual one:  xvfb-run -a ./build/numerelle\n");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("numerelle"));
    QApplication::setOrganizationName(QStringLiteral("numerelle"));
    QtUiServices ui;
    MainForm window(ui);
    window.show();
    return app.exec();
}
