// Where the letters come from. The game seeds once with the calendar time and draws with
// rand() % 26; a replay installs a source of its own so a game can be played again.
#pragma once

class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void Seed(unsigned int nSeed) = 0;
    // A value from 0 to at least 32767, as the C runtime's rand() gives.
    virtual int Rand() = 0;
};

// The C runtime's srand() and rand(): the game's own generator.
class CrtRandom : public RandomSource {
public:
    void Seed(unsigned int nSeed) override;
    int Rand() override;
};

// The linear congruential generator of the classic Windows runtime (0 to 32767), started
// from a fixed seed: the same letters on every platform. The calendar seed is ignored,
// so a replay starts alike whatever the time.
class FixedSeedRandom : public RandomSource {
public:
    explicit FixedSeedRandom(unsigned int nSeed) : m_nState(nSeed) {}
    void Seed(unsigned int /*nSeed*/) override {}
    int Rand() override;

private:
    unsigned int m_nState;
};

// The generator of a view made without one: CrtRandom.
RandomSource& DefaultRandomSource();
