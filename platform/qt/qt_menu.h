// The menu bar of a frame, built from its menu resource; choosing an item calls back with
// the item's command id.
#pragma once

#include "platform/resources.h"

#include <functional>

class QMenuBar;

void BuildMenuBar(QMenuBar& bar, const MenuResource& menu, const std::function<void(UINT)>& onCommand);
