// Build step: the window's pixels prepared ahead, so that the program blits
// them at the common scales instead of laying out SVG and text as it starts.
//
//   efficiency-render-pictures icon OUTDIR ICON.svg
//       icon-16/32/48.pixels: the width and height as two 32-bit numbers,
//       then the premultiplied ARGB32 pixels; icon-16/32/48/256.png, the
//       installed icons.
//   efficiency-render-pictures window OUTFILE PICTUREDIR SCALE
//       run at that scale (QT_SCALE_FACTOR): every picture box of the window
//       composed over its back colour, and every fixed line of text over
//       what lies beneath it, each exactly its control's size (see
//       ui/prepared_pixels.h for the file's layout).
//
// Everything is in the build machine's byte order: the program reads the
// pixels where the resource holds them, with no decoding at all.
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

#include "ui/control_table.h"
#include "ui/fonts.h"
#include "ui/prepared_pixels.h"
#include "ui/window_face.h"

namespace {

bool writeIconPixels(const QImage& image, const QString& path) {
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

// The SVG drawn into transparent pixels of the given size.
QImage renderSvg(const QString& svg, QSize size) {
    QSvgRenderer renderer(svg);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (!renderer.isValid()) {
        return {};
    }
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), size));
    return image;
}

int renderIcon(const QString& out, const QString& svg) {
    for (int pixels : {16, 32, 48, 256}) {
        const QImage image = renderSvg(svg, QSize(pixels, pixels));
        const QString base = QStringLiteral("%1/icon-%2").arg(out).arg(pixels);
        if (image.isNull() || !image.save(base + QStringLiteral(".png"), "PNG") ||
            (pixels != 256 && !writeIconPixels(image, base + QStringLiteral(".pixels")))) {
            std::fprintf(stderr, "cannot render %s\n", qPrintable(svg));
            return 1;
        }
    }
    return 0;
}

// A colour as the control has it: its own, else its container's, as Qt
// hands a palette down; the application's at the top.
QRgb inherited(const ui::ControlRow& row, QRgb ui::ControlRow::*colour, QPalette::ColorRole role) {
    if (row.*colour != 0) {
        return row.*colour;
    }
    return row.container ? inherited(ui::rowOf(*row.container), colour, role)
                         : qApp->palette().color(role).rgb();
}

struct Prepared {
    const char* name;
    QImage pixels;  // Format_RGB32, at the scale
    QRgb back;
    QRgb fore;
};

// A picture box as the window paints it: its back colour, then the picture
// from the top-left corner, clipped at the box's edges.
QImage composePicture(const ui::ControlRow& row, const QString& pictureDir, qreal scale,
                      QColor back) {
    const QString svg = pictureDir + u'/' + QFileInfo(QString::fromLatin1(row.picture)).fileName();
    const QSize pictureSize = QSvgRenderer(svg).defaultSize();
    QImage picture = renderSvg(svg, pictureSize * scale);
    if (picture.isNull()) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(svg));
        return {};
    }
    picture.setDevicePixelRatio(scale);
    const QSize box = ui::toPixels(row.place).size();
    QImage composed(box * scale, QImage::Format_RGB32);
    composed.setDevicePixelRatio(scale);
    composed.fill(back);
    QPainter painter(&composed);
    painter.drawImage(QPointF(0, 0), picture);
    return composed;
}

// A fixed line of text as the window paints it: a transparent label over
// the pixels beneath it, sized to its text.
Prepared composeText(const ui::ControlRow& row, qreal scale,
                     const std::map<ui::ControlId, Prepared>& pictures) {
    QLabel label;
    label.setTextFormat(Qt::PlainText);
    label.setFont(ui::fontFor(row.font));
    label.setText(row.designText.toString());
    label.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette palette = label.palette();
    palette.setColor(
        QPalette::WindowText,
        QColor::fromRgb(inherited(row, &ui::ControlRow::foreColor, QPalette::WindowText)));
    label.setPalette(palette);
    label.adjustSize();
    const QPoint at = ui::toPixels(row.place).topLeft();
    const QRect device(at * scale, label.size() * scale);

    QImage beneath;
    QRgb back = ui::kWindowFace[0].color;
    if (row.container) {
        const Prepared& container = pictures.at(*row.container);
        beneath = container.pixels.copy(device);
        back = container.back;
    } else {
        beneath = QImage(device.size(), QImage::Format_RGB32);
        beneath.setDevicePixelRatio(scale);
        QPainter face(&beneath);
        face.translate(-at);
        ui::paintWindowFace(face);
    }
    beneath.setDevicePixelRatio(scale);
    label.render(&beneath, QPoint(), QRegion(), QWidget::DrawChildren);
    return {row.name, beneath, back, label.palette().color(QPalette::WindowText).rgb()};
}

bool writePrepared(const std::vector<Prepared>& all, const QString& path) {
    std::vector<ui::PreparedEntry> entries;
    std::uint32_t offset = sizeof(ui::PreparedHeader) +
                           static_cast<std::uint32_t>(all.size() * sizeof(ui::PreparedEntry));
    for (const Prepared& p : all) {
        ui::PreparedEntry entry{};
        std::strncpy(entry.name, p.name, sizeof entry.name - 1);
        entry.offset = offset;
        entry.width = static_cast<std::uint32_t>(p.pixels.width());
        entry.height = static_cast<std::uint32_t>(p.pixels.height());
        entry.back = p.back;
        entry.fore = p.fore;
        offset += entry.width * entry.height * 4;
        entries.push_back(entry);
    }
    const ui::PreparedHeader header{ui::kPreparedMagic, static_cast<std::uint32_t>(all.size())};
    QFile file(path);
    bool ok = file.open(QIODevice::WriteOnly) &&
              file.write(reinterpret_cast<const char*>(&header), sizeof header) == sizeof header &&
              file.write(reinterpret_cast<const char*>(entries.data()),
                         static_cast<qint64>(entries.size() * sizeof(ui::PreparedEntry))) ==
                  static_cast<qint64>(entries.size() * sizeof(ui::PreparedEntry));
    for (const Prepared& p : all) {
        for (int y = 0; ok && y < p.pixels.height(); ++y) {
            const auto bytes = static_cast<qint64>(p.pixels.width()) * 4;
            ok = file.write(reinterpret_cast<const char*>(p.pixels.constScanLine(y)), bytes) ==
                 bytes;
        }
    }
    return ok;
}

int renderWindow(const QString& out, const QString& pictureDir, qreal scale) {
    if (qApp->devicePixelRatio() != scale) {
        std::fprintf(stderr, "running at %g, not at %g: set QT_SCALE_FACTOR\n",
                     qApp->devicePixelRatio(), scale);
        return 1;
    }
    std::map<ui::ControlId, Prepared> pictures;
    std::vector<Prepared> all;
    for (const ui::ControlRow& row : ui::controlTable()) {
        if (row.kind == ui::Kind::PictureBox && row.picture != nullptr && !row.border) {
            const QColor back =
                QColor::fromRgb(inherited(row, &ui::ControlRow::backColor, QPalette::Window));
            const QImage composed = composePicture(row, pictureDir, scale, back);
            if (composed.isNull()) {
                return 1;
            }
            pictures[row.id] = {row.name, composed, back.rgb(), 0};
            all.push_back(pictures[row.id]);
        }
    }
    for (const ui::ControlRow& row : ui::controlTable()) {
        if (ui::isFixedText(row)) {
            all.push_back(composeText(row, scale, pictures));
        }
    }
    if (!writePrepared(all, out)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "icon") == 0) {
        return renderIcon(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    }
    if (argc == 5 && std::strcmp(argv[1], "window") == 0) {
        ui::installDefaultFont();
        return renderWindow(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                            QString::fromLatin1(argv[4]).toDouble());
    }
    std::fprintf(stderr,
                 "usage: efficiency-render-pictures icon OUTDIR ICON.svg\n"
                 "       efficiency-render-pictures window OUTFILE PICTUREDIR SCALE\n");
    return 2;
}
