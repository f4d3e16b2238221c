#include "ui/pictures.h"

#include <QtCore/qresource.h>

static void InitTrivaneResource() { Q_INIT_RESOURCE(trivane); }

namespace trivane {
void LoadPictures() { InitTrivaneResource(); }
}  // namespace trivane
