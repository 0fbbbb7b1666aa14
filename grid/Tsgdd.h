#pragma once
// The grid library's drag-and-drop layer: process-wide switches.

namespace grid {

// Whether dropped data may be taken as rich text (one switch for the whole process).
void SetOleDropRTFAccepted(bool Value);
bool OleDropRTFAccepted();

} // namespace grid
