// The program icon (icon group 128) as the bytes of app/morvane.ico, built into the program.
#pragma once

#include <cstdint>
#include <span>

std::span<const std::uint8_t> IconFileBytes();
