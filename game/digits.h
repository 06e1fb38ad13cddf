// The four-digit decimal counters of hits and misses: digits units first, each 0 to 9,
// wrapping from 9999 to 0000.
#pragma once

#include <array>

using DigitCounter = std::array<int, 4>;

// Adds one to the counter, carrying upwards; the thousands digit wraps without carry.
void StepDigits(DigitCounter& d);
// The value of the three low digits (the thousands digit counts for nothing): 1003 is 3.
int LowDigitsValue(const DigitCounter& d);
