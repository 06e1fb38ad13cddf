// Writes a program's resources, as the window layer holds them, as a Windows resource script:
// the one place the menus, accelerators, strings, dialogs, icons and version block are written
// down is the C++ table, and the Windows program's resource script is made from it at build
// time, so the two can never differ.
#pragma once

#include "platform/resources.h"

#include <ostream>
#include <span>
#include <string>

// nIconFiles[i] names the .ico file of module.icons[i] (the script refers to icons by file).
void WriteResourceScript(std::ostream& out, const ResourceModule& module,
                         std::span<const std::string> iconFiles);
