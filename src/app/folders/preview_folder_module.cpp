#include "app/folders/preview_folder_module.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

#include "app/base/control_id.h"
#include "app/base/dialog_fonts.h"
#include "app/base/folder_actions.h"
#include "app/base/program_store.h"
#include "app/base/texts.h"
#include "app/base/user_saves.h"
#include "app/controls/message_text_control.h"
#include "app/folders/folder_list_view.h"
#include "app/folders/record_texts.h"

namespace zeph {
namespace {

// What a chat opened on a message starts from: the message's first number,
// flags, time, text and picture (only with MRF_PICTURE).
std::unique_ptr<MessageRecord> ChatSeedOf(const MessageRecord& message) {
  auto seed = CreateMessageRecord();
  AddNumber(*seed, FirstNumber(message));
  seed->flags = message.flags;
  seed->time = message.time;
  seed->text = TextOf(message);
  if (message.flags & MRF_PICTURE) seed->picture = message.picture;
  return seed;
}

}  // namespace

PreviewFolderModule::PreviewFolderModule(int index, const ModuleServices& services,
                                         MessageFolderSetup setup, PreviewLabels labels,
                                         SourceFolder source, QWidget* parent)
    : MessageFolderModule(index, services, std::move(setup), parent),
      source_(source),
      caption_(new QLabel(QString::fromLatin1(labels.caption), this)),  // owned by the module
      value_(new QLabel(this)),                                         // owned by the module
      date_(new QLabel(this)),                                          // owned by the module
      // No pipe: a preview is read-only and never asks the card whether
      // long messages are allowed.
      preview_(new MessageTextControl(this, nullptr, services.asker)) {  // owned by the module
  SetControlId(caption_, labels.captionId);
  SetControlId(value_, labels.valueId);
  SetControlId(date_, ControlId::kCentreNumberOrDate);
  SetControlId(preview_, ControlId::kPreviewOrChatText);
  SetDialogItemFont(this, labels.captionId, 1);
  date_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  // The labels keep room for a long date and a long number from the
  // start, so that a selected message does not make the module wider.
  const RecordTime longDate{
      .year = 2026, .month = 12, .dayOfWeek = 3, .day = 30, .hour = 23, .minute = 59};
  date_->setMinimumWidth(date_->fontMetrics().horizontalAdvance(FolderDateText(longDate)));
  value_->setMinimumWidth(value_->fontMetrics().horizontalAdvance(QStringLiteral("+000000000000")));
  value_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  // Below the list: the labels in a row, then the preview, which shares
  // the height with the list.
  auto* labelRow = new QHBoxLayout;  // owned by the column
  labelRow->addWidget(caption_);
  labelRow->addWidget(value_, 1);
  labelRow->addWidget(date_);
  Column()->addLayout(labelRow);
  Column()->addWidget(preview_, 1);
  preview_->Clear();
  preview_->SetReadOnly();
  preview_->Edit()->setAccessibleName(Text(Row().name));
  // The preview's own popup offers Save Picture, which takes the menu's way.
  connect(preview_, &MessageTextControl::SavePictureRequested, this,
          [this] { Services().actions->savePicture->trigger(); });
}

void PreviewFolderModule::Command(FolderCommand command) {
  switch (command) {
    case FolderCommand::kNew:
      WriteNew();
      break;
    case FolderCommand::kReply:
      Reply();
      break;
    case FolderCommand::kForward:
      ForwardSelected();
      break;
    case FolderCommand::kDelete:
      DeleteSelected();
      break;
    case FolderCommand::kChat:
      ChatWithSelected();
      break;
  }
}

void PreviewFolderModule::SavePicture() {
  std::optional<PictureImage> picture;
  Folder().WithList([&](const MessageList& list) {
    const MessageRecord* record = list.GetAt(SelectedKey());
    if (record != nullptr && (record->flags & MRF_PICTURE) && record->picture) {
      picture = record->picture;
    }
  });
  if (picture) SavePictureToLibrary(*Services().store, *Services().asker, *picture);
}

void PreviewFolderModule::DeleteAll() {
  preview_->Clear();
  Folder().WithList([](MessageList& list) { static_cast<void>(list.RemoveAll()); });  // always 1
  Folder().Save();
  Refresh(RefreshReason::kReload);
  value_->clear();
  date_->clear();
}

void PreviewFolderModule::DeleteSelected() {
  std::vector<int> keys = List()->SelectedKeys();
  if (keys.empty()) return;
  ClearPreview();
  // From the last to the first, so that each key still names its record.
  std::sort(keys.begin(), keys.end(), std::greater<>());
  Folder().WithList([&keys](MessageList& list) {
    for (int key : keys) static_cast<void>(list.RemoveAt(key));  // 0: gone already
  });
  Folder().Save();
  Refresh(RefreshReason::kReload);
}

void PreviewFolderModule::ForwardSelected() {
  const int key = SelectedKey();
  std::unique_ptr<MessageRecord> scratch;
  Folder().WithList([&](const MessageList& list) {
    if (const MessageRecord* record = list.GetAt(key)) scratch = ForwardScratch(*record);
  });
  if (!scratch) return;
  emit OpenEditor(EditorRequest{EditorMode::kForward, scratch.get(), source_, key});
}

void PreviewFolderModule::ChatWithSelected() {
  std::unique_ptr<MessageRecord> seed;
  Folder().WithList([&](const MessageList& list) {
    if (const MessageRecord* record = list.GetAt(SelectedKey())) seed = ChatSeedOf(*record);
  });
  if (seed) emit OpenChat(*seed);
}

void PreviewFolderModule::WriteNew() {
  emit OpenEditor(EditorRequest{});
}

void PreviewFolderModule::RowsSelected(const std::vector<int>& keys) {
  const int key = keys.back();
  bool picture = false;
  Folder().WithList([&](const MessageList& list) {
    const MessageRecord* record = list.GetAt(key);
    if (record == nullptr) return;
    // The picture goes in first: the control refuses a picture beside a
    // text too long for a picture message, and a message being looked at
    // is no place for that box.
    preview_->Clear();
    picture = (record->flags & MRF_PICTURE) && record->picture;
    if (picture) preview_->AttachPicture(*record->picture);
    preview_->SetText(TextOf(*record));
    value_->setText(NumberNameText(*record, Services().store->Lists().contacts));
    date_->setText(FolderDateText(record->time));
  });
  EnableSavePicture(picture);
}

void PreviewFolderModule::FinishRefresh(RefreshReason reason) {
  preview_->Clear();
  MessageFolderModule::FinishRefresh(reason);
}

void PreviewFolderModule::ClearPreview() {
  preview_->Clear();
  value_->clear();
  date_->clear();
}

}  // namespace zeph
