#pragma once
// Read-only edits as a screen reader tells them. Qt describes a read-only QLineEdit as both
// editable and read-only, so a reader announces a field the user cannot change as one to type
// into; an edit made read-only here is described as read-only alone.
class QLineEdit;

namespace ui {

// Makes `edit` read-only for good (a field the program fills and the user reads: a document's
// number, a result), described to screen readers as read-only text: its name, its text and its
// caret and selection for reading, no editable state. Call it before the edit is first shown.
void makeReadOnly(QLineEdit* edit);

} // namespace ui
