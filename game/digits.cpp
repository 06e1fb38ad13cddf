#include "digits.h"

void StepDigits(DigitCounter& d) {
    d[0] += 1;
    if (d[0] >= 10) {
        d[0] -= 10;
        d[1] += 1;
    }
    if (d[1] >= 10) {
        d[1] -= 10;
        d[2] += 1;
    }
    if (d[2] >= 10) {
        d[2] -= 10;
        d[3] += 1;
    }
    if (d[3] >= 10)
        d[3] -= 10;
}

int LowDigitsValue(const DigitCounter& d) {
    return d[0] + 10 * d[1] + 100 * d[2];
}
