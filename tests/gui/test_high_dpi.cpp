// The window on a 1600 × 1200 screen at a scale factor (QT_SCALE_FACTOR,
// 2 unless the test run sets another): it fits the screen, its boxes keep
// their borders, the cover picture has the screen's pixel density.
#include <QFile>
#include <QImage>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <iterator>

#include "app/shell_pages.h"
#include "gui_test_support.h"

namespace {

// The darkest of the pixels along one edge, two device pixels deep, that
// are not in the rounded corners.
int darkestAlongEdge(const QImage& image, int edge) {
    const int w = image.width(), h = image.height(), corner = 4;
    const bool horizontal = edge == 0 || edge == 2;
    int darkest = 255;
    for (int depth = 0; depth < 2; ++depth) {
        int lightest = 0;  // of this line: a border is dark along all of it
        for (int i = corner; i < (horizontal ? w : h) - corner; ++i) {
            const QPoint at = edge == 0   ? QPoint(i, depth)
                              : edge == 1 ? QPoint(w - 1 - depth, i)
                              : edge == 2 ? QPoint(i, h - 1 - depth)
                                          : QPoint(depth, i);
            lightest = std::max(lightest, qGray(image.pixel(at)));
        }
        darkest = std::min(darkest, lightest);
    }
    return darkest;
}

// The box's background: the commonest grey along its middle row, so a
// glyph in the middle of a centred text does not count.
int backgroundOf(const QImage& image) {
    int counts[256] = {};
    const int y = image.height() / 2;
    for (int x = 4; x < image.width() - 4; ++x) ++counts[qGray(image.pixel(x, y))];
    return int(std::max_element(std::begin(counts), std::end(counts)) - std::begin(counts));
}

}  // namespace

class HighDpiTest : public QObject {
    Q_OBJECT

private slots:
    void firstWindowFitsTheScreen() {
        struct Row {
            QSize available;
            QSize expected;
        };
        const Row rows[] = {
            {{1600, 1170}, {980, 640}},  // a desktop screen: the preferred size
            {{800, 570}, {784, 522}},    // 1600 × 1200 at scale 2, less a panel
            {{1024, 600}, {980, 552}},   // a netbook: only the height shrinks
        };
        for (const Row& row : rows) QCOMPARE(fittedWindowSize(QSize(980, 640), row.available), row.expected);

        RecordingUiServices ui;
        MainForm window(ui);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect available = window.screen()->availableGeometry();
        QVERIFY2(available.contains(window.frameGeometry()), qPrintable(QStringLiteral("%1×%2 on %3×%4")
                                                                            .arg(window.width())
                                                                            .arg(window.height())
                                                                            .arg(available.width())
                                                                            .arg(available.height())));
    }

    void coverPictureHasTheScreensPixels() {
        TestWindow t;
        auto* image = t.find<QLabel>("Image1");
        t.showTabOf(image);
        const qreal ratio = image->devicePixelRatioF();
        QVERIFY(ratio > 1);
        QVERIFY(QTest::qWaitForWindowExposed(t.window.get()));
        const QImage shown = image->grab().toImage();
        QCOMPARE(shown.size(), QSize(463, 168) * ratio);
        QCOMPARE(image->pixmap().devicePixelRatio(), ratio);
        QCOMPARE(image->pixmap().size(), QSize(463, 168) * ratio);
        if (ratio != 2) return;
        // Drawn at twice the density, not a picture of half as many pixels
        // blown up: many 2 × 2 blocks are not of one colour.
        int mixed = 0;
        for (int y = 0; y + 1 < shown.height(); y += 2)
            for (int x = 0; x + 1 < shown.width(); x += 2) {
                const QRgb p = shown.pixel(x, y);
                if (shown.pixel(x + 1, y) != p || shown.pixel(x, y + 1) != p || shown.pixel(x + 1, y + 1) != p) ++mixed;
            }
        QVERIFY2(mixed > 2000, qPrintable(QString::number(mixed)));
    }

    // Every line edit on every tab shows a border on all four sides.
    void boxesKeepTheirBorders() {
        TestWindow t;
        QTabWidget* tabs = t.window->tabs();
        int checked = 0;
        for (int tab = 0; tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
            QApplication::processEvents();
            for (QLineEdit* box : tabs->widget(tab)->findChildren<QLineEdit*>()) {
                if (!box->isVisible() || !box->hasFrame() || box->width() < 20) continue;
                const QImage shown = box->grab().toImage();
                const int inside = backgroundOf(shown);
                for (int edge = 0; edge < 4; ++edge) {
                    const int border = darkestAlongEdge(shown, edge);
                    QVERIFY2(border + 30 < inside, qPrintable(QStringLiteral("%1, edge %2: border %3, inside %4")
                                                                  .arg(box->objectName())
                                                                  .arg(edge)
                                                                  .arg(border)
                                                                  .arg(inside)));
                }
                ++checked;
            }
        }
        QVERIFY(checked > 50);
    }
};

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR")) qputenv("QT_SCALE_FACTOR", "2");
    // One offscreen screen of 1600 × 1200 device pixels.
    QTemporaryDir directory;
    const QString config = directory.filePath(QStringLiteral("screen.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly)) return 2;
    file.write(R"({"screens": [{"name": "screen", "x": 0, "y": 0, "width": 1600, "height": 1200, "logicalDpi": 96}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toLocal8Bit());
    QApplication app(argc, argv);
    HighDpiTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_high_dpi.moc"
