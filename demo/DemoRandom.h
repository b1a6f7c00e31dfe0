#pragma once

#include <QtGlobal>

/// A small deterministic random source (splitmix64): the same seed gives the same data on every
/// machine and library, which the standard distributions do not promise.
class DemoRandom
{
public:
    explicit DemoRandom(quint64 seed);

    quint64 next();
    /// A whole number in [0, bound); bound must be positive.
    int below(int bound);
    /// A whole number in [low, high].
    qint64 between(qint64 low, qint64 high);
    /// True about once in `oneIn` draws.
    bool chance(int oneIn);

private:
    quint64 m_state;
};
