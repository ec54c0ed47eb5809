// Build step: renders the window's SVG pictures to PNG at 1x and 2x, and the
// icon at its hicolor sizes, so that the program blits ready pixels at the
// common scales instead of laying out SVG text while it starts.
//
//   efficiency-render-pictures OUTDIR PICTURE.svg...
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

namespace {

bool render(const QString& svg, QSize size, const QString& png) {
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
    if (!image.save(png, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(png));
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
                ok = ok && render(svg, QSize(pixels, pixels),
                                  QStringLiteral("%1/icon-%2.png").arg(out).arg(pixels));
            }
        } else {
            for (int scale : {1, 2}) {
                ok = ok && render(svg, size * scale,
                                  QStringLiteral("%1/%2@%3x.png").arg(out, name).arg(scale));
            }
        }
        if (!ok) {
            return 1;
        }
    }
    return 0;
}
