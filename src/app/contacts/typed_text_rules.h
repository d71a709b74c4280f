#pragma once
// Rules a field applies while the user types: a phone number keeps only
// digits and plus signs, and a SIM name shows only what Windows-1252 can
// hold (the SIM stores 8-bit names, so what is shown is what is stored).
// Each rule puts the cleaned text back with the cursor and the selection
// where they were, less what was removed before them.

class QLineEdit;

namespace zeph {

// FilterPhoneNumber on every change of the field.
void FilterNumberAsTyped(QLineEdit* field);

// Every character Windows-1252 cannot hold becomes '?' on every change.
void KeepCp1252AsTyped(QLineEdit* field);

// Typing and pasting stop at `limit` characters, but a longer text the
// field holds already (a stored value) stays whole: the field takes no more
// characters than it holds until the user shortens it below the limit.
// Call it once the stored value is in.
void LimitTyping(QLineEdit* field, int limit);

}  // namespace zeph
