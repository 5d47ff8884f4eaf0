// core/brewing_units.cpp — the one conversion of brewing units that is more than a product.
#include "core/brewing_units.h"

#include <cmath>

double density_of_points(double points)
{
    return std::floor(259 / (259.12955 - points) * 100000) / 100;
}
