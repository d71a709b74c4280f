// The Picture Library, as the message editor opens it with the smiley
// chosen, and the Picture Editor half way through a drawing.

#include <QListView>
#include <memory>

#include "app/base/module_services.h"
#include "app/base/program_store.h"
#include "app/pictures/picture_editor_dialog.h"
#include "app/pictures/picture_library_dialog.h"
#include "app/shell/main_frame.h"
#include "app/tools/sample_pictures.h"
#include "app/tools/shots.h"

namespace zeph {

bool SavePicturesShots(const ShotContext& context) {
  ProgramStore& store = *context.services.store;
  PictureList& pictures = store.Lists().pictures;
  for (const PictureImage& picture : SamplePictures()) {
    pictures.Add(std::make_unique<PictureImage>(picture));
  }
  bool ok = true;
  {
    PictureLibraryDialog library(&context.frame, context.services, PictureLibraryUse::kChoose);
    library.List()->setCurrentIndex(library.List()->model()->index(1, 0));
    ok = SaveShot(library, context, "picture-library") && ok;
  }
  pictures.Add(std::make_unique<PictureImage>(HalfDrawnHouse()));
  PictureEditorDialog editor(&context.frame, pictures, store.Paths().pictures, pictures.Count() - 1,
                             *context.services.asker);
  ok = SaveShot(editor, context, "picture-editor") && ok;
  return ok;
}

}  // namespace zeph
