// Registration of the built-in pictures (app/pictures/pictures.qrc).
#include "app/Pictures.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void InitPictures()
{
    Q_INIT_RESOURCE(pictures);
}

void UsePictureResources()
{
    static const bool done = (InitPictures(), true);
    (void)done;
}
