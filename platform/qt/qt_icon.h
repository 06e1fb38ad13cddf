// Icons from icon resources (the bytes of a .ico file) as Qt pixmaps.
#pragma once

#include "platform/resources.h"

#include <QPixmap>

// The image of the icon group closest to nSize pixels square; a null pixmap when the bytes
// hold no readable icon.
QPixmap IconPixmap(const IconResource& icon, int nSize);
