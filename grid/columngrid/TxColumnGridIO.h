#pragma once
// The column set of a column grid as bytes: the carrier TTxColumnGridIO and its format.
//
//   "TXCG"              4 bytes
//   version             quint16, big-endian (1 or 2; this program writes 2)
//   payload length      quint32, big-endian
//   payload             QDataStream (Qt 6.0 encoding): quint32 item count, then per item
//                       the settings TGridColumnItem::Fields lists for the version
//   checksum            quint16, big-endian: qChecksum (CRC-16, ISO 3309) of the payload
//
// A reader refuses a wrong mark, an unknown version, a short or overlong payload, a wrong
// checksum and values outside their range, before it changes anything.
#include "grid/columngrid/TxColumnGrid.h"

class QIODevice;

namespace grid {

class TTxColumnGridIO {
public:
    static constexpr quint16 kVersion = 2;
    static constexpr int kMaxItems = 4096;

    // Items reach no grid; Grid only gives new items their font and colour.
    explicit TTxColumnGridIO(TTxColumnGrid* Grid) : Items(Grid, false) {}

    TGridColumnCollection Items;

    // Writes Items in format Version (from the device's current position). A failed write
    // raises EInOutError.
    void Write(QIODevice& Device, quint16 Version = kVersion) const;
    // Replaces Items with the set read from the device, or raises ETxGridError with
    // Message and leaves Items as they were.
    void Read(QIODevice& Device, const QString& Message);
};

} // namespace grid
