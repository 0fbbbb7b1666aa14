#pragma once
// Read-only edits as a screen reader tells them. Qt describes a read-only QLineEdit as both
// editable and read-only, so a reader announces a field the user cannot change as one to type
// into. Once describeLineEdits() has run, every line edit of the application is described by its
// state: a read-only one as read-only text alone (its name, its text, caret and selection for
// reading), an editable one as Qt describes it. An edit made read-only, or editable again, is
// described anew, so each window only sets the state (QLineEdit::setReadOnly).

namespace ui {

// Takes over the description of every line edit from here on, and of those already made. Called
// once, after the application object is made and before the first window (ui::Application
// does); a second call changes nothing.
void describeLineEdits();

} // namespace ui
