#include "platform/report/Picture.h"

#include "platform/report/Output.h"
#include "platform/system/FileReplacement.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <csetjmp>
#include <vector>
#include <cstdio>
#include <jpeglib.h>

namespace report {

namespace {

struct JpegError {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void onJpegError(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<JpegError*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

QString cannotRead(const QString& path) { return QStringLiteral("Nie można odczytać obrazu z pliku „%1”.").arg(path); }

// A folder, a FIFO or a device under the name is refused before it is opened: an open of a
// FIFO waits for a writer, and a device never ends.
void checkKind(const QString& path)
{
    if (const QString refusal = sys::readRefusal(path); !refusal.isEmpty())
        throw Error(refusal);
}

} // namespace

QImage decodeJpeg(const QString& path)
{
    checkKind(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Nie można otworzyć pliku „%1”.").arg(path));
    const QByteArray data = file.readAll();

    jpeg_decompress_struct cinfo;
    JpegError err;
    cinfo.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = onJpegError;
    err.message[0] = 0;
    // Everything the jump may skip is held outside (no destructors run across longjmp).
    QImage* volatile image = new QImage;
    unsigned char* volatile rowBuf = nullptr;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        delete image;
        delete[] rowBuf;
        throw Error(cannotRead(path));
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&cinfo, TRUE);
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    if (cmyk)
        cinfo.out_color_space = JCS_CMYK;
    else if (cinfo.jpeg_color_space == JCS_GRAYSCALE)
        cinfo.out_color_space = JCS_GRAYSCALE;
    else
        cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    const int w = int(cinfo.output_width), h = int(cinfo.output_height);
    const int comps = cinfo.output_components;
    *image = QImage(w, h, QImage::Format_RGB32);
    rowBuf = new unsigned char[size_t(w) * size_t(comps)];
    while (cinfo.output_scanline < cinfo.output_height) {
        const int y = int(cinfo.output_scanline);
        unsigned char* rowPtr = rowBuf;
        jpeg_read_scanlines(&cinfo, &rowPtr, 1);
        auto* out = reinterpret_cast<QRgb*>(image->scanLine(y));
        for (int x = 0; x < w; ++x) {
            const unsigned char* p = rowPtr + size_t(x) * size_t(comps);
            if (comps == 1) {
                out[x] = qRgb(p[0], p[0], p[0]);
            } else if (comps == 4) {
                // Adobe writes CMYK inverted.
                int c = p[0], m = p[1], yy = p[2], k = p[3];
                if (!cinfo.saw_Adobe_marker) {
                    c = 255 - c;
                    m = 255 - m;
                    yy = 255 - yy;
                    k = 255 - k;
                }
                out[x] = qRgb(c * k / 255, m * k / 255, yy * k / 255);
            } else {
                out[x] = qRgb(p[0], p[1], p[2]);
            }
        }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    delete[] rowBuf;
    QImage result = std::move(*image);
    delete image;
    return result;
}

QImage loadPicture(const QString& path)
{
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == u"jpg" || ext == u"jpeg")
        return decodeJpeg(path);
    if (ext != u"bmp" && ext != u"ico")
        throw Error(QStringLiteral("Nieznany rodzaj pliku obrazu (.%1): „%2”.").arg(ext, path));
    checkKind(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Nie można otworzyć pliku „%1”.").arg(path));
    QImageReader reader(&file, ext.toLatin1());
    QImage img = reader.read();
    if (img.isNull())
        throw Error(cannotRead(path));
    return img;
}

} // namespace report
