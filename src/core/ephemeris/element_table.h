#pragma once

#include <array>

#include "core/ephemeris/body_position.h"

namespace velmarin {

// Mean elements of one orbit at the epoch kElementEpochJd. Angles in degrees.
struct OrbitalElements {
    double semiMajorAxis;       // a, AU
    double eccentricity;        // e
    double inclination;         // i, degrees
    double ascendingNode;       // Omega, degrees
    double perihelion;          // longitude of perihelion, degrees
    double mass;                // solar masses
    double meanLongitude;       // L0 at the epoch, degrees
    double diameterKm;          // D
    double magnitudeBase;       // V0
    double magnitudePhase1;     // c1, per 100 degrees of phase angle
    double magnitudePhase2;     // c2, per (100 degrees)^2
};

inline constexpr double kElementEpochJd = 2449150.5;

// Row 0 is the Earth's orbit (the Sun is derived from it, D is the Sun's
// diameter); row 8 is the outermost orbit, whose radius vector the Moon's
// magnitude uses.
inline constexpr std::array<OrbitalElements, kBodyCount> ElementTable{{
    {1.0, 0.0167, -0.00083, 178.9101, 102.8658, 3.037e-06, 260.4238, 1392000, 0, 0, 0},
    {0.387099, 0.20563, 7.00538, 48.3389, 77.4441, 1.666e-07, 173.147, 4892, -0.42, 1.815, 1.023},
    {0.72333, 0.00678, 3.39463, 76.6972, 131.8074, 2.475e-06, 305.678, 12112, -4.4, 1.322, 0.4247},
    {1.523672, 0.09342, 1.8503, 49.4749, 336.0685, 3.232e-07, 180.6484, 6794, -1.52, 1.486, 0},
    {5.202921, 0.04831, 1.3046, 100.4696, 15.6799, 0.0009596, 195.4149, 142796, -9.4, 0, 0},
    {9.528347, 0.05358, 2.4867, 113.6697, 93.2727, 0.0002874, 329.8096, 120000, -8.88, 0, 0},
    {19.227757, 0.04748, 0.77237, 74.03, 173.4465, 4.394e-05, 285.0005, 50800, -7.19, 0, 0},
    {30.125149, 0.00667, 1.77188, 131.7539, 37.3042, 5.202e-05, 290.3558, 49000, -6.87, 0, 0},
    {39.792648, 0.25463, 17.13747, 110.3048, 224.0323, 1.201e-08, 229.3225, 2700, 0, 0, 0},
}};

}  // namespace velmarin
