#include "app/contacts/typed_text_rules.h"

#include <QLineEdit>
#include <algorithm>
#include <vector>

#include "app/base/texts.h"
#include "core/codecs/phone_number.h"

namespace zeph {
namespace {

// Puts `cleaned` back into the field. `position[i]` is where position i of
// the text as typed lies in `cleaned` (one entry more than the typed text
// has characters). The new text raises textChanged again, which finds
// nothing more to clean; every other listener so sees the cleaned text last.
void PutBack(QLineEdit* field, const QString& cleaned, const std::vector<int>& position) {
  auto moved = [&position](int at) {
    return position[static_cast<size_t>(std::clamp(at, 0, static_cast<int>(position.size()) - 1))];
  };
  const int cursor = moved(field->cursorPosition());
  const bool selected = field->hasSelectedText();
  const int start = moved(field->selectionStart());
  const int end = moved(field->selectionStart() + field->selectionLength());
  const bool cursorAtStart = field->cursorPosition() == field->selectionStart();
  field->setText(cleaned);
  if (!selected) {
    field->setCursorPosition(cursor);
  } else if (cursorAtStart) {
    field->setSelection(end, start - end);  // a selection made leftwards keeps its cursor
  } else {
    field->setSelection(start, end - start);
  }
}

void FilterNumber(QLineEdit* field, const QString& text) {
  const std::string typed = ToCp1252(text);
  const FilteredNumber filtered = FilterPhoneNumber(typed);
  if (!filtered.changed) return;
  // Numbers are ASCII: one character of the field is one byte here.
  std::vector<int> position(static_cast<size_t>(text.size()) + 1);
  int kept = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    position[static_cast<size_t>(i)] = kept;
    if (text[i].unicode() < 0x80 &&
        kPhoneNumberCharacters.find(static_cast<char>(text[i].unicode())) != std::string::npos) {
      ++kept;
    }
  }
  position.back() = kept;
  PutBack(field, FromCp1252(filtered.text), position);
}

void KeepCp1252(QLineEdit* field, const QString& text) {
  const QString stored = FromCp1252(ToCp1252(text));
  if (stored == text) return;
  // A character beyond the 16-bit range takes two positions of the typed
  // text and becomes one '?'.
  std::vector<int> position(static_cast<size_t>(text.size()) + 1);
  int at = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    position[static_cast<size_t>(i)] = at;
    if (!(text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())) {
      ++at;
    }
  }
  position.back() = at;
  PutBack(field, stored, position);
}

}  // namespace

void FilterNumberAsTyped(QLineEdit* field) {
  QObject::connect(field, &QLineEdit::textChanged, field,
                   [field](const QString& text) { FilterNumber(field, text); });
}

void KeepCp1252AsTyped(QLineEdit* field) {
  QObject::connect(field, &QLineEdit::textChanged, field,
                   [field](const QString& text) { KeepCp1252(field, text); });
}

void LimitTyping(QLineEdit* field, int limit) {
  // A limit below the text's length would cut it: the field's own limit
  // follows the text down to `limit`, never below what it holds.
  auto fit = [field, limit](const QString& text) {
    const int allowed = std::max(limit, static_cast<int>(text.size()));
    if (allowed == field->maxLength()) return;
    const int cursor = field->cursorPosition();
    field->setMaxLength(allowed);  // puts the text back, the cursor at its end
    field->setCursorPosition(cursor);
  };
  fit(field->text());
  QObject::connect(field, &QLineEdit::textChanged, field, fit);
}

}  // namespace zeph
