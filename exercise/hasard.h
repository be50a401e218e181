#pragma once

#include <random>

// Uniform reals r with 0 <= r < 1, reseeded from the time of day at each start.
class Hasard {
public:
    virtual ~Hasard() = default;
    virtual void reamorcer() = 0;
    virtual double tirer() = 0;
};

class HasardSysteme final : public Hasard {
public:
    void reamorcer() override;
    double tirer() override;

private:
    std::mt19937_64 generateur_;
};
