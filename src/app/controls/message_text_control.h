#pragma once
// The message text control (TavSMSEdit): the field in which message text is
// written or shown everywhere in the program (the Inbox and Sent messages
// previews, the message editor, the chat). It wraps one multi-line edit and
// keeps the text within the limits of one message, a long message or a
// picture message, holds at most one picture and draws it beside or above
// the text, and reports every change of its text with Changed.
//
// The length rule itself is core's (core/compose/message_text_measure.h):
// the control reads its edit's text, measures and writes back the cut.

#include <QImage>
#include <QString>
#include <QWidget>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/store/picture_image.h"

class QMenu;
class QPlainTextEdit;

namespace zeph {

class Asker;
class Pipe;

// The keys of Attach Picture and Remove Picture in the windows that write
// with a text control (the message editor, the chat).
inline constexpr QKeyCombination kAttachPictureKey = Qt::CTRL | Qt::Key_P;
inline constexpr QKeyCombination kRemovePictureKey = Qt::CTRL | Qt::SHIFT | Qt::Key_P;

class MessageTextControl final : public QWidget {
  Q_OBJECT

 public:
  // Picture layouts: natural size (72 x 28) left of the text, or double
  // size (144 x 56) above it.
  static constexpr int kLayoutBeside = 1;
  static constexpr int kLayoutAbove = 2;
  // How far the edit moves aside for a picture, in pixels.
  static constexpr int kBesideOffset = 88;
  static constexpr int kAboveOffset = 60;

  // Reads the card's long-message flag (parameter 0x510C) on `pipe`; a
  // request that fails, or no pipe, allows long messages. Error 58 goes to
  // `errors`, or to a message box when there is none.
  MessageTextControl(QWidget* parent, Pipe* pipe, Asker* errors = nullptr);
  ~MessageTextControl() override;

  // Attaches a picture unless the text has more than 121 characters: then
  // error 58 is shown and nothing changes. Changed follows an attach.
  void AttachPicture(const PictureImage& picture);
  // The attached picture, or none.
  std::optional<PictureImage> Picture() const;
  // Drops the picture and empties the text; Changed follows.
  void Clear();
  // Shows `text` (Windows-1252): at most 1599 characters, with every line
  // feed, carriage return and tab turned into a blank, so a received text
  // reads as one paragraph. Like any text put in from outside it reports
  // no change: whoever sets a text refreshes what depends on it.
  void SetText(std::string_view text);
  // The text as Windows-1252, at most 1599 characters; a line break typed
  // with Enter is a carriage return and a line feed, as the card gets it.
  std::string Text() const;
  // Drops the picture and keeps the text; Changed follows.
  void RemovePicture();
  // kLayoutBeside or kLayoutAbove (the default); other values are ignored.
  // It applies from the next attach and paint.
  void SetPictureLayout(int layout);
  // The text's length in units.
  size_t Length() const;
  // Takes the character limit that applies to the text, and cuts a text
  // that went past the unit limit (typing or pasting extension
  // characters), without a message; the caret goes where the selection
  // began. The windows that let the user type call it on every Changed
  // through their counter, so the cut follows each change.
  void EnforceLengthLimit();
  // One way: the text can be read and copied, no longer changed, and stays
  // black on white.
  void SetReadOnly();

  bool LongMessagesAllowed() const { return longMessages_; }
  bool HasPicture() const { return picture_.has_value(); }
  int PictureLayout() const { return layout_; }
  bool IsReadOnly() const { return readOnly_; }
  // The edit's limit on the characters the user can type or paste.
  size_t CharacterLimit() const { return characterLimit_; }

  void Cut();
  void Copy();
  void Paste();

  // The inner edit, which has the focus and the keyboard (the control is
  // its focus proxy). Its accessible name is the control's label.
  QPlainTextEdit* Edit() const { return edit_; }
  // The popup a right click on the picture area opens, and its one
  // command, Save Picture, enabled while a picture is attached.
  QMenu* ContextPopup() const { return popup_; }
  QAction* SavePictureAction() const { return savePicture_; }

 signals:
  // The text changed by the user, or a picture was attached or removed, or
  // the control was cleared.
  void Changed();
  // Escape in the text: the window that holds the control closes.
  void CloseRequested();
  // "&Save Picture" chosen in the context popup: the window that holds the
  // control saves the picture (a folder through the frame's Save Picture).
  void SavePictureRequested();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void PlaceEdit();
  void DropPicture(bool emptyText);
  // The user changed the text: what the card cannot carry, the character
  // limit, then Changed.
  void TextEdited();
  // Every character of the user's last insertion that Windows-1252 cannot
  // hold becomes the '?' the send makes of it, so that the field shows,
  // and the counter counts, what will be sent.
  void ShowInsertionAsSent();
  // Replaces the edit's text without reporting a change.
  void PutText(const QString& text);
  void ReportError(int code);

  QPlainTextEdit* edit_;  // owned by the control
  QMenu* popup_;          // owned by the control
  QAction* savePicture_;  // owned by the popup
  Asker* errors_;
  bool longMessages_ = true;
  std::optional<PictureImage> picture_;
  QImage rendered_;  // the picture as painted, for the layout and ratio it was made for
  int renderedLayout_ = 0;
  int layout_ = kLayoutAbove;
  bool readOnly_ = false;
  size_t characterLimit_ = 0;
  bool writing_ = false;  // the control itself is changing the edit's text
  // The end and size of the user's last insertion, for the character limit.
  int lastInsertEnd_ = 0;
  int lastAdded_ = 0;
};

// `picture` as an image of `cell` screen pixels per picture pixel for a
// screen of `devicePixelRatio`: every picture pixel is a square of whole
// device pixels, so that the picture stays sharp at any scale, and the
// image is never larger than 72 x 28 cells. Drawn through DrawPicture.
QImage DrawPictureImage(const PictureImage& picture, int cell, qreal devicePixelRatio);

// The counter shown beside an editable text: the units left in the last
// part, then the parts in brackets ("160(1)" for an empty text). Measuring
// also enforces the limits (MessageTextControl::EnforceLengthLimit).
QString FormatLengthCounter(MessageTextControl& control);

}  // namespace zeph
