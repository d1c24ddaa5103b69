// Drawing of the intro's pictures. Text is drawn with the DejaVu fonts of the
// system, antialiased, into greyscale images.
#include "IntroPictures.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

#include <QBuffer>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include "IntroCharset.h"

using namespace reversi::intro;

namespace {

QFont GlyphFont(int pixelSize, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// Greyscale picture (top-down) to bytes with rows bottom-up.
std::vector<std::uint8_t> BottomUp(const QImage& grey) {
    std::vector<std::uint8_t> out;
    out.reserve(static_cast<std::size_t>(grey.width()) * grey.height());
    for (int y = grey.height() - 1; y >= 0; --y) {
        const uchar* row = grey.constScanLine(y);
        out.insert(out.end(), row, row + grey.width());
    }
    return out;
}

QImage Paper(int width, int height) {
    QImage image(width, height, QImage::Format_Grayscale8);
    image.fill(255);
    return image;
}

}  // namespace

std::vector<std::uint8_t> MakeIntroFont() {
    QImage strip = Paper(FontWidth, FontHeight);
    const QFont font = GlyphFont(15, true);
    int pen = 7;  // columns 0-6: the space
    for (std::size_t i = 1; i < IntroCharset.size(); ++i) {
        QImage cell = Paper(40, FontHeight);
        {
            QPainter p(&cell);
            p.setFont(font);
            p.setPen(Qt::black);
            p.drawText(QPointF(8, 15), QString(QChar(IntroCharset[i])));
        }
        int first = -1, last = -1;
        for (int x = 0; x < cell.width(); ++x) {
            for (int y = 0; y < FontHeight; ++y) {
                if (cell.constScanLine(y)[x] != 255) {
                    if (first < 0) first = x;
                    last = x;
                    break;
                }
            }
        }
        if (first < 0) throw std::runtime_error("a glyph without ink");
        for (int x = first; x <= last; ++x) {
            bool ink = false;
            for (int y = 0; y < FontHeight; ++y) {
                const uchar v = cell.constScanLine(y)[x];
                strip.scanLine(y)[pen + x - first] = v;
                ink = ink || v != 255;
            }
            // A gap inside a glyph (the two marks of '"') gets a faint dot in
            // the bottom row, so that the strip scan keeps the glyph whole.
            if (!ink) strip.scanLine(FontHeight - 1)[pen + x - first] = 254;
        }
        pen += last - first + 2;
    }
    if (pen > FontWidth) throw std::runtime_error("the glyphs do not fit the strip");
    return BottomUp(strip);
}

std::vector<std::uint8_t> MakeIntroFront() {
    QImage front = Paper(FrameWidth, FrameHeight);
    QPainter p(&front);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(Qt::black);
    p.setFont(GlyphFont(26, true));
    p.drawText(QRect(0, 2, FrameWidth, 34), Qt::AlignCenter, QStringLiteral("Zorel Reversi 4.00"));
    p.setFont(GlyphFont(14, true));
    p.drawText(QRect(0, 176, FrameWidth, 22), Qt::AlignCenter,
               QStringLiteral("against the computer or a friend"));
    p.setPen(QColor(90, 90, 90));
    p.setFont(GlyphFont(13, false));
    p.drawText(QRect(0, 200, FrameWidth, 20), Qt::AlignCenter, QStringLiteral("Quenwick"));
    p.end();
    return BottomUp(front);
}

std::vector<std::uint8_t> MakeIntroBackground() {
    std::vector<std::uint8_t> out(PaletteBytes + TextureSize * TextureSize);
    // Colours: deep green felt through teal to a pale edge.
    for (int i = 0; i < 256; ++i) {
        const double t = i / 255.0;
        const double r = 10 + 60 * t * t;
        const double g = 40 + 120 * t;
        const double b = 35 + 80 * t + 40 * t * t * t;
        out[4 * i + 0] = static_cast<std::uint8_t>(std::lround(b));
        out[4 * i + 1] = static_cast<std::uint8_t>(std::lround(g));
        out[4 * i + 2] = static_cast<std::uint8_t>(std::lround(r));
        out[4 * i + 3] = 0;
    }
    // Four by four board squares with a shaded disc each, light and dark
    // discs alternating; whole periods of 256, so the texture tiles.
    constexpr double Pi = std::numbers::pi;
    for (int u = 0; u < TextureSize; ++u) {
        for (int v = 0; v < TextureSize; ++v) {
            const int cu = u / 64, cv = v / 64;
            const double du = (u % 64) - 31.5, dv = (v % 64) - 31.5;
            const double radius = std::sqrt(du * du + dv * dv);
            double value = 70 + 12 * std::sin(2 * Pi * u / 64) * std::sin(2 * Pi * v / 64);
            if (std::abs(du) > 30.5 || std::abs(dv) > 30.5) value = 30;  // grid line
            if (radius < 24) {
                const bool light = (cu + cv) % 2 == 0;
                const double shade = 1 - radius / 24 * 0.5 + (du + dv) / 96;
                value = (light ? 200 : 120) * std::clamp(shade, 0.3, 1.2);
            } else if (radius < 26) {
                value = 40;  // the disc's rim shadow
            }
            out[PaletteBytes + u * TextureSize + v] =
                static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
        }
    }
    return out;
}

QByteArray MakeStartUpLogo() {
    QImage logo(254, 127, QImage::Format_RGB32);
    QPainter p(&logo);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 127);
    sky.setColorAt(0, QColor(18, 70, 52));
    sky.setColorAt(1, QColor(6, 30, 22));
    p.fillRect(logo.rect(), sky);
    p.setPen(QPen(QColor(230, 210, 150), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(4, 4, 246, 119));
    // Two discs, the one the other's colour.
    const auto disc = [&](QPointF centre, QColor face, QColor edge) {
        QRadialGradient g(centre - QPointF(6, 6), 26);
        g.setColorAt(0, face.lighter(130));
        g.setColorAt(1, face);
        p.setPen(QPen(edge, 2));
        p.setBrush(g);
        p.drawEllipse(centre, 22, 22);
    };
    disc(QPointF(40, 50), QColor(235, 225, 120), QColor(120, 100, 30));
    disc(QPointF(66, 74), QColor(40, 150, 60), QColor(10, 60, 20));
    p.setPen(QColor(240, 225, 170));
    p.setFont(GlyphFont(24, true));
    p.drawText(QRect(96, 26, 150, 34), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Zorel"));
    p.drawText(QRect(96, 56, 150, 34), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Reversi"));
    p.setFont(GlyphFont(12, false));
    p.setPen(QColor(200, 200, 180));
    p.drawText(QRect(96, 92, 150, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("version 4.00 - loading..."));
    p.end();
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    if (!logo.save(&buffer, "JPG", 90)) throw std::runtime_error("cannot write the logo JPEG");
    return jpeg;
}
