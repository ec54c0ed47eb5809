#include "prepared_pixels.h"

#include <QResource>
#include <cstring>

namespace ui {

std::optional<PreparedPixels> preparedPixels(const char* control, qreal ratio) {
    if (ratio != 1.0 && ratio != 2.0) {
        return std::nullopt;
    }
    const int scale = static_cast<int>(ratio);
    // Uncompressed, so that the bytes are read where the program holds them.
    static const QResource resources[] = {QResource(QStringLiteral(":/rendered/prepared@1x.bin")),
                                          QResource(QStringLiteral(":/rendered/prepared@2x.bin"))};
    const QResource& resource = resources[scale - 1];
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression ||
        resource.size() < static_cast<qint64>(sizeof(PreparedHeader))) {
        return std::nullopt;
    }
    const uchar* data = resource.data();
    PreparedHeader header{};
    std::memcpy(&header, data, sizeof header);
    if (header.magic != kPreparedMagic ||
        resource.size() <
            static_cast<qint64>(sizeof header + header.count * sizeof(PreparedEntry))) {
        return std::nullopt;
    }
    for (std::uint32_t i = 0; i < header.count; ++i) {
        PreparedEntry entry{};
        std::memcpy(&entry, data + sizeof header + i * sizeof entry, sizeof entry);
        if (std::strncmp(entry.name, control, sizeof entry.name) != 0) {
            continue;
        }
        const qint64 bytes = static_cast<qint64>(entry.width) * entry.height * 4;
        if (entry.offset + bytes > resource.size()) {
            return std::nullopt;
        }
        const QImage pixels(data + entry.offset, static_cast<int>(entry.width),
                            static_cast<int>(entry.height), static_cast<qsizetype>(entry.width) * 4,
                            QImage::Format_RGB32);
        return PreparedPixels{pixels, scale, entry.back, entry.fore};
    }
    return std::nullopt;
}

void paintPrepared(QPainter& painter, const PreparedPixels& prepared) {
    // In device pixels: the image keeps no ratio of its own, since setting
    // one would copy the bytes out of the resource.
    painter.save();
    painter.scale(1.0 / prepared.scale, 1.0 / prepared.scale);
    painter.drawImage(QPointF(0, 0), prepared.pixels);
    painter.restore();
}

}  // namespace ui
