#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QtEndian>

// Looks inside the chart's vector files: which drawing they hold, and that no
// picture of pixels is among it.
namespace testsupport {

// The decoded content of every stream of a PDF file, compressed or not.
inline QByteArrayList pdfStreams(const QByteArray& pdf) {
    QByteArrayList streams;
    qsizetype from = 0;
    while (true) {
        const qsizetype keyword = pdf.indexOf("stream\n", from);
        if (keyword < 0) {
            break;
        }
        const qsizetype start = keyword + 7;
        const qsizetype end = pdf.indexOf("endstream", start);
        if (end < 0) {
            break;
        }
        const QByteArray data = pdf.mid(start, end - start);
        const qsizetype dictionary = pdf.lastIndexOf("<<", keyword);
        if (pdf.mid(dictionary, keyword - dictionary).contains("/FlateDecode")) {
            // qUncompress wants zlib's data behind a 4-byte size hint.
            QByteArray framed(4, '\0');
            qToBigEndian<quint32>(static_cast<quint32>(data.size() * 20), framed.data());
            streams.append(qUncompress(framed + data));
        } else {
            streams.append(data);
        }
        from = end + 9;
    }
    return streams;
}

}  // namespace testsupport
