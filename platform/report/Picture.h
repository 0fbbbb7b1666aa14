#pragma once
// Pictures for report images, by the file name's extension: "jpg"/"jpeg" through libjpeg,
// "bmp" and "ico" through Qt. Throws report::Error (Output.h) with a message naming the file
// for an unknown extension, a file that cannot be opened, or one that cannot be decoded; a
// folder, a FIFO or a device under the name is refused before anything is opened.
#include <QImage>
#include <QString>

namespace report {

QImage loadPicture(const QString& path);
// A JPEG file through libjpeg; throws report::Error.
QImage decodeJpeg(const QString& path);

} // namespace report
