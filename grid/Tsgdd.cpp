#include "grid/Tsgdd.h"

namespace grid {

namespace {
bool gDropRTF = false;
}

void SetOleDropRTFAccepted(bool Value) { gDropRTF = Value; }
bool OleDropRTFAccepted() { return gDropRTF; }

} // namespace grid
