// Build step: renders the window's SVG pictures at 1x and 2x, and the icon at
// its sizes, so that the program blits ready pixels at the common scales
// instead of laying out SVG text while it starts.
//
//   efficiency-render-pictures OUTDIR PICTURE.svg...
//
// NAME@1x.pixels and NAME@2x.pixels (and icon-16/32/48.pixels) hold the width
// and height as two 32-bit numbers, then the premultiplied ARGB32 pixels, all
// in the build machine's byte order: the program copies them into an image
// with no decoding at all. icon-16/32/48/256.png are the installed icons.
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdint>
#include <cstdio>

namespace {

bool writePixels(const QImage& image, const QString& path) {
    QFile file(path);
    const std::uint32_t size[2] = {static_cast<std::uint32_t>(image.width()),
                                   static_cast<std::uint32_t>(image.height())};
    bool ok = file.open(QIODevice::WriteOnly) &&
              file.write(reinterpret_cast<const char*>(size), sizeof size) == sizeof size;
    for (int y = 0; ok && y < image.height(); ++y) {
        const auto bytes = static_cast<qint64>(image.width()) * 4;
        ok = file.write(reinterpret_cast<const char*>(image.constScanLine(y)), bytes) == bytes;
    }
    return ok;
}

bool render(const QString& svg, QSize size, const QString& out, bool png) {
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(svg));
        return false;
    }
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), size));
    painter.end();
    if (!(png ? image.save(out, "PNG") : writePixels(image, out))) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: efficiency-render-pictures OUTDIR PICTURE.svg...\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const QString svg = QString::fromLocal8Bit(argv[i]);
        const QString name = QFileInfo(svg).completeBaseName();
        const QSize size = QSvgRenderer(svg).defaultSize();
        bool ok = true;
        if (name == QLatin1String("icon")) {
            for (int pixels : {16, 32, 48, 256}) {
                const QSize square(pixels, pixels);
                const QString base = QStringLiteral("%1/icon-%2").arg(out).arg(pixels);
                ok =
                    ok && render(svg, square, base + QStringLiteral(".png"), true) &&
                    (pixels == 256 || render(svg, square, base + QStringLiteral(".pixels"), false));
            }
        } else {
            for (int scale : {1, 2}) {
                ok = ok &&
                     render(svg, size * scale,
                            QStringLiteral("%1/%2@%3x.pixels").arg(out, name).arg(scale), false);
            }
        }
        if (!ok) {
            return 1;
        }
    }
    return 0;
}
