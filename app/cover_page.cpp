#include <QEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <QPixmap>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/shell_pages.h"
#include "pages/pages.h"
#include "widgets/ui_services.h"

namespace {

const QColor kLinkBlue(0, 0, 255);
const QColor kLinkRed(255, 0, 0);

void setLabelColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

// Turns a link blue while the pointer is on it, red when the pointer moves
// over the rest of the tab area, and opens its address on a click.
class CoverLinks final : public QObject {
public:
    CoverLinks(QObject* parent, QLabel* mail, QLabel* home, UiServices& ui)
        : QObject(parent), mail_(mail), home_(home), ui_(ui) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
            // A move over a link is consumed there, so that it does not also
            // reach the page beneath and turn the link red again.
            if (watched == mail_ || watched == home_) {
                setLabelColour(static_cast<QLabel*>(watched), kLinkBlue);
                return event->type() == QEvent::MouseMove;
            } else {
                setLabelColour(mail_, kLinkRed);
                setLabelColour(home_, kLinkRed);
            }
        } else if (event->type() == QEvent::MouseButtonRelease) {
            if (watched == mail_) ui_.openAddress(QStringLiteral("mailto:") + QString::fromUtf8(kContactAddress));
            else if (watched == home_) ui_.openAddress(QString::fromUtf8(kHomePage));
        }
        return false;
    }

private:
    QLabel* mail_;
    QLabel* home_;
    UiServices& ui_;
};

// Image1: the cover picture, drawn again when the window shows on a screen
// of another pixel density.
class CoverImage final : public QLabel {
public:
    CoverImage() {
        setPixmap(coverPicture(devicePixelRatioF()));
        setFixedSize(463, 168);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        if (pixmap().devicePixelRatio() != devicePixelRatioF()) setPixmap(coverPicture(devicePixelRatioF()));
        QLabel::paintEvent(event);
    }
};

}  // namespace

QPixmap coverPicture(double devicePixelRatio) {
    // Drawn in device pixels with the picture's own coordinates, so that a
    // high-density screen gets as many pixels as it shows.
    QPixmap picture(QSize(463, 168) * devicePixelRatio);
    picture.setDevicePixelRatio(devicePixelRatio);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 463, 168);
    sky.setColorAt(0, QColor(18, 52, 110));
    sky.setColorAt(1, QColor(64, 140, 200));
    painter.fillRect(QRect(0, 0, 463, 168), sky);
    // A faint grid and a sine curve: the program's subject in one glance.
    painter.setPen(QPen(QColor(255, 255, 255, 40), 1));
    for (int x = 0; x < 463; x += 24) painter.drawLine(x, 0, x, 168);
    for (int y = 0; y < 168; y += 24) painter.drawLine(0, y, 463, y);
    painter.setPen(QPen(QColor(255, 210, 90), 3));
    QPainterPath curve;
    for (int x = 0; x <= 463; x += 3) {
        const double y = 120 - 28 * std::sin(x / 40.0);
        if (x == 0) curve.moveTo(x, y);
        else curve.lineTo(x, y);
    }
    painter.drawPath(curve);
    painter.setPen(Qt::white);
    QFont title = painter.font();
    title.setPointSize(30);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(QRect(0, 14, 463, 60), Qt::AlignCenter, QStringLiteral("Numerelle"));
    QFont subtitle = painter.font();
    subtitle.setPointSize(13);
    subtitle.setBold(false);
    painter.setFont(subtitle);
    painter.drawText(QRect(0, 66, 463, 30), Qt::AlignCenter, QStringLiteral("∑  ∫  √  π  ——  数学多功能计算器"));
    return picture;
}

QPixmap coverIcon() {
    QPixmap icon(16, 16);
    icon.fill(QColor(18, 52, 110));
    QPainter painter(&icon);
    painter.setPen(QColor(255, 210, 90));
    QFont font = painter.font();
    font.setPixelSize(13);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(icon.rect(), Qt::AlignCenter, QStringLiteral("N"));
    return icon;
}

QWidget* buildCoverPage(PageContext& context, QTabWidget* tabs) {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tabCover"));
    auto* layout = new QVBoxLayout(page);

    auto* image = new CoverImage;
    image->setObjectName(QStringLiteral("Image1"));

    auto* designer = new QLabel(QStringLiteral("设计：") + QString::fromUtf8(kDesignerName));
    designer->setObjectName(QStringLiteral("Label64"));

    auto* mail = new QLabel(QString::fromUtf8(kContactAddress));
    mail->setObjectName(QStringLiteral("Label53"));
    auto* home = new QLabel(QString::fromUtf8(kHomePage));
    home->setObjectName(QStringLiteral("Label54"));
    for (QLabel* link : {mail, home}) {
        link->setCursor(Qt::PointingHandCursor);
        link->setMouseTracking(true);
        setLabelColour(link, kLinkRed);
    }

    layout->addStretch(1);
    layout->addWidget(image, 0, Qt::AlignHCenter);
    layout->addSpacing(12);
    layout->addWidget(designer, 0, Qt::AlignHCenter);
    layout->addWidget(mail, 0, Qt::AlignHCenter);
    layout->addWidget(home, 0, Qt::AlignHCenter);
    layout->addStretch(2);

    auto* links = new CoverLinks(page, mail, home, context.ui);
    page->setMouseTracking(true);
    tabs->tabBar()->setMouseTracking(true);
    for (QObject* watched : std::initializer_list<QObject*>{mail, home, page, tabs->tabBar()})
        watched->installEventFilter(links);
    return page;
}
