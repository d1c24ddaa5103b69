// gen_busy: paints the pictures of the two busy panels as small PNG files
// with a transparent background.
//   connect.png (34 x 34): two discs of the game's colours linked by a dotted
//                          line with an arrow each way (placing a call)
//   pack.png    (44 x 34): an open box with discs rising out of it (loading pictures)
// Usage: gen_busy [output-folder]   (default: resources/busy)
//        gen_busy --check folder     (exit 1 unless the folder's pictures are
//                                     what this program paints)
// Pure vector drawing without text. Qt's antialiasing and gradients round a
// few edge pixels by a step or two differently on other processors, so the
// check compares pixels within a small tolerance, not the PNG bytes.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

const QColor kYellow(238, 196, 52), kYellowDark(150, 108, 10);
const QColor kGreen(46, 150, 72), kGreenDark(16, 78, 34);

QImage blank(int w, int h) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// A shaded game disc seen from above.
void disc(QPainter& p, QPointF centre, double radius, const QColor& face, const QColor& rim) {
    QRadialGradient shade(centre - QPointF(radius * 0.35, radius * 0.4), radius * 1.4);
    shade.setColorAt(0.0, face.lighter(150));
    shade.setColorAt(0.55, face);
    shade.setColorAt(1.0, rim);
    p.setPen(QPen(rim.darker(130), 1.0));
    p.setBrush(shade);
    p.drawEllipse(centre, radius, radius);
}

void arrowHead(QPainter& p, QPointF tip, double dx) {
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(tip + QPointF(-dx * 4, -3));
    head.lineTo(tip + QPointF(-dx * 4, 3));
    head.closeSubpath();
    p.fillPath(head, QColor(60, 60, 70));
}

QImage paintConnect() {
    QImage image = blank(34, 34);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    disc(p, QPointF(8.5, 9.5), 7, kYellow, kYellowDark);
    disc(p, QPointF(25.5, 24.5), 7, kGreen, kGreenDark);
    QPen dots(QColor(60, 60, 70), 1.6, Qt::DotLine, Qt::RoundCap);
    p.setPen(dots);
    p.drawLine(QPointF(17, 6), QPointF(28, 6));
    p.drawLine(QPointF(6, 28), QPointF(17, 28));
    arrowHead(p, QPointF(32, 6), 1);
    arrowHead(p, QPointF(2, 28), -1);
    return image;
}

QImage paintPack() {
    QImage image = blank(44, 34);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Discs rising out of the box, behind its front.
    disc(p, QPointF(15, 10), 6.5, kYellow, kYellowDark);
    disc(p, QPointF(28, 7.5), 6.5, kGreen, kGreenDark);
    disc(p, QPointF(22, 14), 5.5, kYellow, kYellowDark);
    // The box: front face, two open flaps.
    const QColor card(196, 150, 96), cardDark(120, 84, 44);
    QLinearGradient front(0, 18, 0, 33);
    front.setColorAt(0.0, card.lighter(112));
    front.setColorAt(1.0, card.darker(120));
    p.setPen(QPen(cardDark, 1.0));
    p.setBrush(front);
    p.drawRect(QRectF(8.5, 18.5, 27, 14));
    QPainterPath left, right;
    left.moveTo(8.5, 18.5);
    left.lineTo(2.5, 13.5);
    left.lineTo(5.5, 11.5);
    left.lineTo(12.5, 17);
    left.closeSubpath();
    right.moveTo(35.5, 18.5);
    right.lineTo(41.5, 13.5);
    right.lineTo(38.5, 11.5);
    right.lineTo(31.5, 17);
    right.closeSubpath();
    p.setBrush(card.darker(108));
    p.drawPath(left);
    p.drawPath(right);
    p.setPen(QPen(cardDark.lighter(130), 1.0));
    p.drawLine(QPointF(14, 25.5), QPointF(30, 25.5));
    return image;
}

struct Picture {
    const char* name;
    QImage image;
};

std::vector<Picture> paintAll() {
    return {{"connect.png", paintConnect()}, {"pack.png", paintPack()}};
}

// The largest difference of one channel of one pixel between two pictures,
// or -1 when their sizes differ.
int largestDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return -1;
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    int largest = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int column = 0; column < x.width(); ++column) {
            const QRgb p = x.pixel(column, row), q = y.pixel(column, row);
            largest =
                std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
        }
    return largest;
}

int check(const QString& folder) {
    constexpr int kTolerance = 8;  // of 255: rounding, never a changed drawing
    int failed = 0;
    for (const auto& [name, image] : paintAll()) {
        const QString path = QDir(folder).filePath(QString::fromLatin1(name));
        const QImage committed(path);
        const int difference = committed.isNull() ? -1 : largestDifference(image, committed);
        if (difference < 0 || difference > kTolerance) {
            std::fprintf(stderr,
                         "gen_busy: %s differs from what gen_busy paints (largest step %d); "
                         "run gen_busy on that folder and commit\n",
                         qPrintable(path), difference);
            ++failed;
        }
    }
    return failed == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc > 2 && std::strcmp(argv[1], "--check") == 0)
        return check(QString::fromLocal8Bit(argv[2]));
    const QString folder =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("resources/busy");
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "gen_busy: cannot create %s\n", qPrintable(folder));
        return 1;
    }
    for (const auto& [name, image] : paintAll()) {
        const QString path = QDir(folder).filePath(QString::fromLatin1(name));
        if (!image.convertToFormat(QImage::Format_ARGB32).save(path, "PNG")) {
            std::fprintf(stderr, "gen_busy: cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%s  %d x %d\n", qPrintable(path), image.width(), image.height());
    }
    return 0;
}
