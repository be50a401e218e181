#pragma once

#include <cstdint>

// The local date and time, in whole seconds. Only differences of two readings are used.
class Horloge {
public:
    virtual ~Horloge() = default;
    virtual std::int64_t maintenant() const = 0;
};

class HorlogeSysteme final : public Horloge {
public:
    std::int64_t maintenant() const override;
};
