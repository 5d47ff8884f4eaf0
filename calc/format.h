// calc/format.h — the beer colour scale, the style range colours, rounding to 0-3 decimals, tanh.
#pragma once

#include <string>

// "#RRGGBB" of the 42-colour scale for a colour in EBC (index = EBC × 0.508 rounded); "" below 0.
std::string ebc_to_colour(int ebc);

// "#000" inside [min, max], "#" + COULEUR_MIN below (or undefined), "#" + COULEUR_MAX above.
std::string range_colour(double x, double min, double max);

// Rounds half up to d decimals (0 when d is above 3) and writes it without trailing zeros; "" for d < 0.
std::string format_decimals(double x, int d);

// (e^x − e^−x) / (e^x + e^−x), the exponentials in extended precision.
double hyperbolic_tangent(double x);
