// Draws the window's pixel pictures (tabs, strip arrows, backgrounds) and the magnifying-glass
// icon (PNG and SVG) pixel by pixel, so every edge stays crisp, and the same glass smoothed at
// the icon theme's sizes. Re-run from the repository root:
// cmake --build build --target draw-pictures &&
//     ./build/resources/draw-pictures resources/pictures resources/icons
#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>
#include <QVector>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

const QRgb Black = qRgb(0x00, 0x00, 0x00);
const QRgb TabBlue = qRgb(0x89, 0xA4, 0xF3);
const QRgb LightBlue = qRgb(0xC0, 0xCF, 0xFA);
const QRgb WindowBeige = qRgb(0xEC, 0xE9, 0xD8);

const int TabHeight = 24;
const int CornerCut = 8;
// Side and top strokes are 2 px; the 45-degree cut takes 3 px per row so it looks as heavy.
const int Stroke = 2;
const int DiagonalStroke = 3;

enum class Part { Outside, Outline, Inside };

// The tab is open at the bottom so it joins the page below it.
Part tabPart(int x, int y, int width)
{
    const int fromLeft = x;
    const int fromRight = width - 1 - x;
    const int nearest = std::min(fromLeft, fromRight);
    if (nearest + y < CornerCut)
        return Part::Outside;
    if (y < Stroke || nearest < Stroke || nearest + y < CornerCut + DiagonalStroke)
        return Part::Outline;
    return Part::Inside;
}

QImage drawTab(int width, QRgb fill)
{
    QImage image(width, TabHeight, QImage::Format_RGB888);
    for (int y = 0; y < TabHeight; ++y) {
        for (int x = 0; x < width; ++x) {
            switch (tabPart(x, y, width)) {
            case Part::Outside:
                image.setPixel(x, y, WindowBeige);
                break;
            case Part::Outline:
                image.setPixel(x, y, Black);
                break;
            case Part::Inside:
                image.setPixel(x, y, fill);
                break;
            }
        }
    }
    return image;
}

// A solid triangle 15 px high with 45-degree sides, centred in the space below the top stroke.
QImage drawArrow(bool pointsLeft)
{
    const int width = 36;
    QImage image = drawTab(width, TabBlue);
    const int halfHeight = 7;
    const int centreY = (Stroke + TabHeight) / 2;
    const int firstX = (width - (halfHeight + 1)) / 2;
    for (int step = 0; step <= halfHeight; ++step) {
        const int x = pointsLeft ? firstX + step : firstX + halfHeight - step;
        for (int y = centreY - step; y <= centreY + step; ++y)
            image.setPixel(x, y, Black);
    }
    return image;
}

QImage drawSolid(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(colour);
    return image;
}

// Icon geometry in pixel units, shared by the PNG and the SVG so the two stay alike.
const double LensCentre = 12.5;
// Just under 10 so the rim has no one-pixel bumps at its four extremes.
const double RimOuter = 9.8;
const double RimInner = 7.5;
const double HandleEnd = 28.5;
const double HandleHalfWidth = 2.3;
// A short pale arc in the upper left of the lens reads as glass at small sizes.
const double GlintRadius = 5.0;
const double GlintHalfWidth = 0.75;
const double GlintFrom = 3.3; // radians, measured with y pointing down
const double GlintTo = 4.5;

enum IconIndex { Clear, IconBlack, IconWhite, IconGlint };

double distanceToHandle(double px, double py)
{
    // The handle lies on the diagonal from the lens centre to its end.
    const double along = ((px - LensCentre) + (py - LensCentre)) / std::sqrt(2.0);
    const double length = (HandleEnd - LensCentre) * std::sqrt(2.0);
    const double across = std::abs((px - LensCentre) - (py - LensCentre)) / std::sqrt(2.0);
    if (along < 0)
        return HUGE_VAL;
    if (along > length)
        return std::hypot(along - length, across);
    return across;
}

// Which part of the icon a point lies in, in the 32-unit design space.
IconIndex iconPart(double px, double py)
{
    const double r = std::hypot(px - LensCentre, py - LensCentre);
    if (r < RimInner) {
        const double angle = std::atan2(py - LensCentre, px - LensCentre) + 2 * std::numbers::pi;
        const bool onArc = angle >= GlintFrom && angle <= GlintTo;
        return onArc && std::abs(r - GlintRadius) <= GlintHalfWidth ? IconGlint : IconWhite;
    }
    if (r <= RimOuter || distanceToHandle(px, py) <= HandleHalfWidth)
        return IconBlack;
    return Clear;
}

QVector<QRgb> iconColours()
{
    QVector<QRgb> table(16, qRgb(0x80, 0x80, 0x80));
    table[Clear] = qRgba(0, 0, 0, 0);
    table[IconBlack] = Black;
    table[IconWhite] = qRgb(0xFF, 0xFF, 0xFF);
    table[IconGlint] = LightBlue;
    return table;
}

QImage drawIconPixels()
{
    const int size = 32;
    QImage image(size, size, QImage::Format_Indexed8);
    image.setColorTable(iconColours());
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x)
            image.setPixel(x, y, uint(iconPart(x + 0.5, y + 0.5)));
    }
    return image;
}

// The same glass at another size for the desktop's icon theme. Each pixel averages a grid of
// samples of the design, so curves keep smooth edges at any size instead of stair steps.
QImage drawIconSmooth(int size)
{
    const int grid = 8;
    const double unit = 32.0 / size;
    const QVector<QRgb> colours = iconColours();
    QImage image(size, size, QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            // Premultiplied sums, so transparent samples do not darken the edge.
            int red = 0, green = 0, blue = 0, alpha = 0;
            for (int sy = 0; sy < grid; ++sy) {
                for (int sx = 0; sx < grid; ++sx) {
                    const double px = (x + (sx + 0.5) / grid) * unit;
                    const double py = (y + (sy + 0.5) / grid) * unit;
                    const QRgb c = colours[iconPart(px, py)];
                    const int a = qAlpha(c);
                    red += qRed(c) * a;
                    green += qGreen(c) * a;
                    blue += qBlue(c) * a;
                    alpha += a;
                }
            }
            const int samples = grid * grid;
            image.setPixel(x, y,
                           alpha == 0
                               ? qRgba(0, 0, 0, 0)
                               : qRgba(red / alpha, green / alpha, blue / alpha, alpha / samples));
        }
    }
    return image;
}

QByteArray drawIconSvg()
{
    const double diagonal = 1.0 / std::sqrt(2.0);
    const double handleStart = LensCentre + (RimInner + RimOuter) / 2 * diagonal;
    const double rimMiddle = (RimInner + RimOuter) / 2;
    const double glintX1 = LensCentre + GlintRadius * std::cos(GlintFrom);
    const double glintY1 = LensCentre + GlintRadius * std::sin(GlintFrom);
    const double glintX2 = LensCentre + GlintRadius * std::cos(GlintTo);
    const double glintY2 = LensCentre + GlintRadius * std::sin(GlintTo);
    const auto n = [](double v) { return QString::number(v, 'f', 2); };

    QString svg;
    svg += QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    svg += QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"32\" height=\"32\" "
                          "viewBox=\"0 0 32 32\">\n");
    svg += QStringLiteral("  <line x1=\"%1\" y1=\"%1\" x2=\"%2\" y2=\"%2\" stroke=\"#000000\" "
                          "stroke-width=\"%3\" stroke-linecap=\"round\"/>\n")
               .arg(n(handleStart), n(HandleEnd), n(HandleHalfWidth * 2));
    svg += QStringLiteral("  <circle cx=\"%1\" cy=\"%1\" r=\"%2\" fill=\"#FFFFFF\" "
                          "stroke=\"#000000\" stroke-width=\"%3\"/>\n")
               .arg(n(LensCentre), n(rimMiddle), n(RimOuter - RimInner));
    svg += QStringLiteral("  <path d=\"M %1 %2 A %3 %3 0 0 1 %4 %5\" fill=\"none\" "
                          "stroke=\"#C0CFFA\" stroke-width=\"%6\" stroke-linecap=\"round\"/>\n")
               .arg(n(glintX1), n(glintY1), n(GlintRadius), n(glintX2), n(glintY2),
                    n(GlintHalfWidth * 2));
    svg += QStringLiteral("</svg>\n");
    return svg.toUtf8();
}

bool saveImage(const QImage &image, const QDir &folder, const char *name)
{
    const QString path = folder.filePath(QString::fromLatin1(name));
    if (!image.save(path)) {
        std::fprintf(stderr, "draw-pictures: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

bool saveText(const QByteArray &text, const QDir &folder, const char *name)
{
    QFile file(folder.filePath(QString::fromLatin1(name)));
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) {
        std::fprintf(stderr, "draw-pictures: cannot write %s\n", qPrintable(file.fileName()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s PICTURES-FOLDER [ICONS-FOLDER]\n",
                     argc > 0 ? argv[0] : "draw-pictures");
        return 2;
    }
    const auto makeFolder = [](const char *path, QDir &folder) {
        folder.setPath(QString::fromLocal8Bit(path));
        if (folder.mkpath(QStringLiteral(".")))
            return true;
        std::fprintf(stderr, "draw-pictures: cannot create %s\n", path);
        return false;
    };
    QDir folder;
    if (!makeFolder(argv[1], folder))
        return 1;

    bool ok = true;
    ok &= saveImage(drawTab(122, TabBlue), folder, "tab.bmp");
    ok &= saveImage(drawTab(122, LightBlue), folder, "tab-current.bmp");
    ok &= saveImage(drawArrow(true), folder, "arrow-left.bmp");
    ok &= saveImage(drawArrow(false), folder, "arrow-right.bmp");
    ok &= saveImage(drawSolid(66, 33, LightBlue), folder, "background-blue.bmp");
    ok &= saveImage(drawSolid(46, 42, WindowBeige), folder, "background-main.bmp");
    ok &= saveImage(drawIconPixels(), folder, "icon.png");
    ok &= saveText(drawIconSvg(), folder, "icon.svg");

    // The sizes a desktop's icon theme looks for.
    QDir icons;
    if (argc == 3) {
        if (!makeFolder(argv[2], icons))
            return 1;
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            const QByteArray name = "icon-" + QByteArray::number(size) + ".png";
            ok &= saveImage(drawIconSmooth(size), icons, name.constData());
        }
    }
    return ok ? 0 : 1;
}
