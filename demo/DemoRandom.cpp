#include "demo/DemoRandom.h"

DemoRandom::DemoRandom(quint64 seed) : m_state(seed) {}

quint64 DemoRandom::next()
{
    m_state += 0x9E3779B97F4A7C15ULL;
    quint64 z = m_state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

int DemoRandom::below(int bound)
{
    return static_cast<int>(next() % static_cast<quint64>(bound));
}

qint64 DemoRandom::between(qint64 low, qint64 high)
{
    const quint64 span = static_cast<quint64>(high - low) + 1;
    return low + static_cast<qint64>(next() % span);
}

bool DemoRandom::chance(int oneIn)
{
    return below(oneIn) == 0;
}
