#include "qt_icon.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <cstdlib>

QPixmap IconPixmap(const IconResource& icon, int nSize) {
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(icon.ico.data()),
                                                     static_cast<qsizetype>(icon.ico.size()));
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, "ico");
    QImage best;
    for (int i = 0, n = reader.imageCount(); i < n; ++i) {
        if (!reader.jumpToImage(i))
            break;
        const QImage image = reader.read();
        if (!image.isNull() &&
            (best.isNull() || std::abs(image.width() - nSize) < std::abs(best.width() - nSize)))
            best = image;
    }
    return QPixmap::fromImage(best);
}
