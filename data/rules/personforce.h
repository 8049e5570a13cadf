#pragma once

#include "data/format/indices.h"

#include <cstdint>

namespace veldor {

// A person's force is not stored: it is the owner of the city he stands in. `personCity` is
// the person's City, `cityForc` the owners of the 50 cities (the store's or a working copy's).
// Returns kNone when he stands in no city or his city has no owner. Standing (Degree) plays no
// part here; lists that count only members of a force test it themselves.
inline uint16_t PersonForce(uint16_t personCity, const uint16_t (&cityForc)[kCities])
{
    if (!isCity(personCity) || !isForce(cityForc[personCity]))
        return kNone;
    return cityForc[personCity];
}

inline bool PersonBelongsToForce(uint16_t personCity, const uint16_t (&cityForc)[kCities],
                                 int force)
{
    return isForce(uint16_t(force)) && PersonForce(personCity, cityForc) == force;
}

} // namespace veldor
