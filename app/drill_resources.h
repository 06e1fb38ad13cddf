// The program's resources (language 0x0411): the menu, the accelerator table, the string
// table, the about box template, the icon and the version block.
#pragma once

#include "platform/resources.h"

extern const ResourceModule g_drillResources;
