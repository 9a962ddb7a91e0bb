#include <QApplication>
#include <QDirIterator>
#include <QGuiApplication>
#include <QIcon>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/main_form.h"
#include "app/toolkit_translation.h"
#include "widgets/long_work.h"
#include "widgets/ui_services.h"

namespace {

// The icon in every size the build rendered, for the window list and the dock.
QIcon applicationIcon() {
    QIcon icon;
    QDirIterator sizes(QStringLiteral(":/icons"), {QStringLiteral("*.png")}, QDir::Files, QDirIterator::Subdirectories);
    while (sizes.hasNext()) icon.addFile(sizes.next());
    return icon;
}

}  // namespace

int main(int argc, char** argv) {
    // Answered before any display is needed, as a terminal user expects.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("numerelle %s\n", NUMERELLE_VERSION);
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::printf(
                "用法：numerelle [Qt 的选项]\n"
                "Numerelle 数学计算器的窗口。\n"
                "  --version   显示版本\n"
                "  --help      显示这段说明\n"
                "命令行上的同样工具：numerelle-cli --help\n");
            return 0;
        }
    }
    const bool hasDisplay = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY") || std::getenv("QT_QPA_PLATFORM");
    if (!hasDisplay) {
        std::fprintf(stderr,
                     "numerelle：找不到显示器。请在桌面环境里启动它；没有屏幕时可以用虚拟屏幕：\n"
                     "  xvfb-run -a %s\n",
                     argv[0]);
        return 1;
    }
    QApplication app(argc, argv);
    // The organisation and application names place the saved matrices
    // (~/.local/share/numerelle/numerelle); the desktop file name lets docks
    // match the window to its menu entry and icon.
    QApplication::setApplicationName(QStringLiteral("numerelle"));
    QApplication::setOrganizationName(QStringLiteral("numerelle"));
    QApplication::setApplicationDisplayName(QStringLiteral("Numerelle"));
    QApplication::setApplicationVersion(QStringLiteral(NUMERELLE_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.numerelle"));
    QApplication::setWindowIcon(applicationIcon());
    installToolkitTranslation(app);
    QtUiServices ui;
    MainForm window(ui);
    window.show();
    const int status = app.exec();
    // Closing stops a running computation, but one step of the core (a single
    // multiplication of tens of millions of digits) cannot be interrupted.
    // Its result is not wanted and it holds nothing to save: do not let the
    // closed window wait for it.
    if (window.longWork().busy()) {
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}
