#include "app/controls/message_text_control.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>

#include "app/base/asker.h"
#include "app/base/texts.h"
#include "core/codecs/error_table.h"
#include "core/codecs/gsm_text.h"
#include "core/compose/message_text_measure.h"
#include "core/devicelink/device_requests.h"
#include "core/pictures/picture_ops.h"
#include "core/util/cp1252.h"

namespace zeph {
namespace {

// A read-only text keeps its limit above anything SetText can put in.
constexpr size_t kReadOnlyCharacterLimit = kMessageTextBuffer;

bool IsLineBreak(QChar c) {
  return c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

// Characters of the edit's text as Text() gives them: a line break is a
// carriage return and a line feed, a pair of surrogates one '?'.
size_t WeightAt(const QString& raw, qsizetype i, qsizetype* step) {
  *step = 1;
  if (IsLineBreak(raw[i])) return 2;
  if (raw[i].isHighSurrogate() && i + 1 < raw.size() && raw[i + 1].isLowSurrogate()) *step = 2;
  return 1;
}

size_t TextCharacters(const QString& raw) {
  size_t count = 0;
  qsizetype step = 1;
  for (qsizetype i = 0; i < raw.size(); i += step) count += WeightAt(raw, i, &step);
  return count;
}

// The document position of the character `index` of Text().
int PositionOfCharacter(const QString& raw, size_t index) {
  size_t count = 0;
  qsizetype step = 1;
  qsizetype i = 0;
  for (; i < raw.size(); i += step) {
    const size_t weight = WeightAt(raw, i, &step);
    if (count + weight > index) break;
    count += weight;
  }
  return static_cast<int>(i);
}

// Draws into an image with `scale` x `scale` device pixels per picture
// pixel, so that a picture stays sharp at any screen scale.
class ImageSink final : public PixelSink {
 public:
  ImageSink(QImage& image, int scale) : image_(image), scale_(scale) {}
  void SetPixel(int x, int y, bool black) override {
    const QRgb colour = black ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
    for (int dy = 0; dy < scale_; ++dy) {
      auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y * scale_ + dy));
      std::fill_n(line + x * scale_, scale_, colour);
    }
  }

 private:
  QImage& image_;
  int scale_;
};

}  // namespace

QImage DrawPictureImage(const PictureImage& picture, int cell, qreal devicePixelRatio) {
  // Rounded down, so that the picture never outgrows the room the layouts
  // leave for it (at 1.25 a double-size picture is 2 device pixels a cell).
  const int scale = std::max(1, static_cast<int>(cell * devicePixelRatio + 1e-9));
  QImage image(kPictureWidth * scale, kPictureHeight * scale, QImage::Format_RGB32);
  ImageSink sink(image, scale);
  DrawPicture(sink, picture, 0, 0, 1);
  // Drawn at the painter's own ratio, each device pixel lands on one.
  image.setDevicePixelRatio(devicePixelRatio);
  return image;
}

MessageTextControl::MessageTextControl(QWidget* parent, Pipe* pipe, Asker* errors)
    : QWidget(parent),
      edit_(new QPlainTextEdit(this)),  // owned by the control
      popup_(new QMenu(this)),          // owned by the control
      savePicture_(popup_->addAction(QStringLiteral("&Save Picture"))),
      errors_(errors) {
  setObjectName(QStringLiteral("TavSMSEdit"));
  longMessages_ = pipe == nullptr || ReadLongMessageFlag(*pipe) != 0;
  characterLimit_ = InitialCharacterLimit(longMessages_);

  edit_->setFrameShape(QFrame::NoFrame);
  // The edit fills the control but for the room the picture is drawn in.
  auto* fill = new QVBoxLayout(this);  // owned by the control
  fill->setSpacing(0);
  fill->addWidget(edit_);
  edit_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  edit_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  edit_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  // Enter breaks the line; Tab leaves the field, as in any dialog.
  edit_->setTabChangesFocus(true);
  edit_->installEventFilter(this);
  setFocusProxy(edit_);
  connect(edit_->document(), &QTextDocument::contentsChange, this,
          [this](int position, int, int added) {
            if (writing_) return;
            lastInsertEnd_ = position + added;
            lastAdded_ = added;
          });
  connect(edit_, &QPlainTextEdit::textChanged, this, &MessageTextControl::TextEdited);

  savePicture_->setEnabled(false);
  connect(savePicture_, &QAction::triggered, this, &MessageTextControl::SavePictureRequested);
  PlaceEdit();
}

MessageTextControl::~MessageTextControl() = default;

void MessageTextControl::AttachPicture(const PictureImage& picture) {
  if (PictureRefusedForText(Text())) {
    ReportError(kErrorPictureTextTooLong);
    return;
  }
  picture_ = picture;
  rendered_ = QImage();
  PlaceEdit();
  characterLimit_ = kPictureTextLimit;
  savePicture_->setEnabled(true);
  repaint();
  emit Changed();
}

std::optional<PictureImage> MessageTextControl::Picture() const {
  return picture_;
}

void MessageTextControl::Clear() {
  DropPicture(true);
}

void MessageTextControl::RemovePicture() {
  DropPicture(false);
}

void MessageTextControl::DropPicture(bool emptyText) {
  picture_.reset();
  rendered_ = QImage();
  PlaceEdit();
  if (emptyText) PutText(QString());
  // The next measurement sets the limit that applies.
  characterLimit_ = readOnly_ ? kReadOnlyCharacterLimit : kLongMessageLimit;
  savePicture_->setEnabled(false);
  update();
  emit Changed();
}

void MessageTextControl::SetText(std::string_view text) {
  std::string shown(text.substr(0, std::min(text.size(), kMessageTextMaxCharacters)));
  std::replace_if(
      shown.begin(), shown.end(), [](char c) { return c == '\n' || c == '\r' || c == '\t'; }, ' ');
  PutText(FromCp1252(shown));
}

std::string MessageTextControl::Text() const {
  const QString raw = edit_->document()->toRawText();
  QString text;
  text.reserve(raw.size() + 16);
  for (QChar c : raw) {
    if (IsLineBreak(c)) {
      text += QStringLiteral("\r\n");
    } else {
      text += c;
    }
  }
  std::string bytes = ToCp1252(text);
  if (bytes.size() > kMessageTextMaxCharacters) bytes.resize(kMessageTextMaxCharacters);
  return bytes;
}

void MessageTextControl::SetPictureLayout(int layout) {
  if (layout != kLayoutBeside && layout != kLayoutAbove) return;
  layout_ = layout;
}

size_t MessageTextControl::Length() const {
  return MeasureMessageText(Text(), longMessages_, HasPicture()).length;
}

void MessageTextControl::EnforceLengthLimit() {
  const std::string text = Text();
  const TextMeasurement measured = MeasureMessageText(text, longMessages_, HasPicture());
  if (!readOnly_) characterLimit_ = measured.characterLimit;
  if (measured.keep >= text.size()) return;

  size_t keep = measured.keep;
  // Never half a line break: the carriage return goes with its line feed.
  if (keep > 0 && text[keep - 1] == '\r') --keep;
  const QString raw = edit_->document()->toRawText();
  const int selectionStart = edit_->textCursor().selectionStart();
  QTextCursor cut(edit_->document());
  cut.setPosition(PositionOfCharacter(raw, keep));
  cut.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
  writing_ = true;
  cut.removeSelectedText();
  writing_ = false;
  QTextCursor caret = edit_->textCursor();
  caret.setPosition(std::min(selectionStart, cut.position()));
  edit_->setTextCursor(caret);
}

void MessageTextControl::SetReadOnly() {
  readOnly_ = true;
  edit_->setReadOnly(true);
  characterLimit_ = kReadOnlyCharacterLimit;
  QPalette colours = edit_->palette();
  colours.setColor(QPalette::Base, Qt::white);
  colours.setColor(QPalette::Text, Qt::black);
  edit_->setPalette(colours);
}

void MessageTextControl::Cut() {
  edit_->cut();
}
void MessageTextControl::Copy() {
  edit_->copy();
}
void MessageTextControl::Paste() {
  edit_->paste();
}

void MessageTextControl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  if (!picture_) return;
  const qreal ratio = devicePixelRatioF();
  if (rendered_.isNull() || rendered_.devicePixelRatio() != ratio || renderedLayout_ != layout_) {
    rendered_ = DrawPictureImage(*picture_, layout_, ratio);
    renderedLayout_ = layout_;
  }
  painter.drawImage(QPoint(0, 0), rendered_);
}

void MessageTextControl::mousePressEvent(QMouseEvent* event) {
  // The edit has its own popup; this one is for the picture and the margins.
  if (event->button() == Qt::RightButton) {
    popup_->popup(event->globalPosition().toPoint());
    event->accept();
    return;
  }
  QWidget::mousePressEvent(event);
}

bool MessageTextControl::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edit_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    emit CloseRequested();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void MessageTextControl::PlaceEdit() {
  if (!picture_) {
    layout()->setContentsMargins(1, 1, 1, 1);
  } else if (layout_ == kLayoutAbove) {
    layout()->setContentsMargins(0, kAboveOffset, 0, 0);
  } else {
    layout()->setContentsMargins(kBesideOffset, 0, 0, 0);
  }
  // At once, also while hidden: the picture must never be drawn under the
  // edit.
  layout()->activate();
}

void MessageTextControl::ShowInsertionAsSent() {
  // An insertion into an empty document is reported one character too long
  // (the block's own end is counted as replaced).
  const int end = std::min(lastInsertEnd_, edit_->document()->characterCount() - 1);
  const int start = std::max(0, end - lastAdded_);
  const QString raw = edit_->document()->toRawText();
  QTextCursor replace(edit_->document());
  bool replaced = false;
  int removed = 0;
  for (int i = end - 1; i >= start; --i) {
    char32_t code = raw[i].unicode();
    int length = 1;
    if (raw[i].isLowSurrogate() && i > start && raw[i - 1].isHighSurrogate()) {
      code = QChar::surrogateToUcs4(raw[i - 1], raw[i]);
      --i;
      length = 2;
    }
    if (IsLineBreak(raw[i]) || Cp1252Holds(code)) continue;
    if (!replaced) replace.joinPreviousEditBlock();  // one undo step with the typing
    replaced = true;
    replace.setPosition(i);
    replace.setPosition(i + length, QTextCursor::KeepAnchor);
    writing_ = true;
    replace.insertText(QStringLiteral("?"));
    writing_ = false;
    removed += length - 1;
  }
  if (replaced) replace.endEditBlock();
  lastInsertEnd_ -= removed;
  lastAdded_ -= removed;
}

void MessageTextControl::TextEdited() {
  if (writing_) return;
  if (!readOnly_ && lastAdded_ > 0) ShowInsertionAsSent();
  // The character limit stops what the user types or pastes at the end of
  // what fits; a lower limit than the text holds keeps the text as it is
  // and only refuses more.
  if (!readOnly_ && lastAdded_ > 0) {
    const size_t characters = TextCharacters(edit_->document()->toRawText());
    if (characters > characterLimit_) {
      const int excess = static_cast<int>(
          std::min<size_t>(characters - characterLimit_, static_cast<size_t>(lastAdded_)));
      // An insertion into an empty document is reported one character too
      // long (the block's own end is counted as replaced).
      const int end = std::min(lastInsertEnd_, edit_->document()->characterCount() - 1);
      QTextCursor refuse(edit_->document());
      refuse.setPosition(std::max(0, end - excess));
      refuse.setPosition(end, QTextCursor::KeepAnchor);
      writing_ = true;
      refuse.removeSelectedText();
      writing_ = false;
    }
  }
  lastAdded_ = 0;
  emit Changed();
}

void MessageTextControl::PutText(const QString& text) {
  writing_ = true;
  edit_->setPlainText(text);
  writing_ = false;
}

void MessageTextControl::ReportError(int code) {
  if (errors_ != nullptr) {
    errors_->ShowError(code);
    return;
  }
  MessageBoxAsker box;
  box.ShowError(code);
}

QString FormatLengthCounter(MessageTextControl& control) {
  control.EnforceLengthLimit();
  return QString::fromStdString(FormatPartCounter(control.Length()));
}

}  // namespace zeph
