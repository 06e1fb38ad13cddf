#include "random_source.h"

#include <cstdlib>

void CrtRandom::Seed(unsigned int nSeed) {
    std::srand(nSeed);
}

int CrtRandom::Rand() {
    return std::rand();
}

int FixedSeedRandom::Rand() {
    m_nState = m_nState * 214013u + 2531011u;
    return static_cast<int>((m_nState >> 16) & 0x7FFF);
}

RandomSource& DefaultRandomSource() {
    static CrtRandom s_crt;
    return s_crt;
}
