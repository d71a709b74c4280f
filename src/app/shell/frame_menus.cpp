#include "app/shell/frame_menus.h"

#include "app/base/menus.h"

namespace zeph {

void BuildMenuBar(QMenuBar* bar, const CommandSink& sink) {
  auto add = [&sink](QMenu* menu, const QString& text, CommandId command) {
    QAction* item = AddMenuItem(menu, text, command);
    QObject::connect(item, &QAction::triggered, menu, [sink, command] { sink(command); });
  };
  QMenu* file = bar->addMenu(QStringLiteral("&File"));
  add(file, QStringLiteral("&New..."), CommandId::kNew);
  add(file, QStringLiteral("&Reply..."), CommandId::kReply);
  add(file, QStringLiteral("&Forward..."), CommandId::kForward);
  add(file, QStringLiteral("&Delete"), CommandId::kDelete);
  add(file, QStringLiteral("Delete &All"), CommandId::kDeleteAll);
  file->addSeparator();
  add(file, QStringLiteral("&Save Picture"), CommandId::kSavePicture);
  add(file, QStringLiteral("Add &To Contacts..."), CommandId::kAddToContacts);
  file->addSeparator();
  add(file, QStringLiteral("&Exit"), CommandId::kExit);

  QMenu* tools = bar->addMenu(QStringLiteral("&Tools"));
  add(tools, QStringLiteral("C&hat..."), CommandId::kChat);
  add(tools, QStringLiteral("&Picture Library..."), CommandId::kPictureLibrary);
  add(tools, QStringLiteral("&Tavik Zeph"), CommandId::kCardManager);
  add(tools, QStringLiteral("&Options..."), CommandId::kOptions);

  QMenu* help = bar->addMenu(QStringLiteral("&Help"));
  add(help, QStringLiteral("&Contents"), CommandId::kHelpContents);
  add(help, QStringLiteral("&Index"), CommandId::kHelpIndex);
  add(help, QStringLiteral("Club &Tavik Web Site"), CommandId::kWebSite);
  help->addSeparator();
  add(help, QStringLiteral("&About"), CommandId::kAbout);
}

}  // namespace zeph
