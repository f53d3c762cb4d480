// The chordal deviation that the outline service is given for a stored one. Pure: no Win32
// types, so it is tested natively too.
#pragma once

// The finest deviation worth asking for, in ems: one design unit of the finest grid a TrueType
// font may have (16384 units per em). A finer one buys nothing the font can show, and the
// outline service keeps halving curves until it is met: 1e-15 would never end.
constexpr float FinestOutlineDeviation = 1.0f / 16384.0f;

// What the outline call gets: the stored deviation from FinestOutlineDeviation up (the infinity
// included: each curve becomes one segment); a positive one finer than that as
// FinestOutlineDeviation; zero, a negative one or NaN as 0, which the service documents as one
// design unit of the font, the default.
float OutlineDeviation(float stored);
