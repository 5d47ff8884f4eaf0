// calc/grain_kind.h — what kind of grain a mashed line is, and the share of the grist brewers give that kind.
#pragma once

#include <string>

// Base grains make the bulk of a grist; crystal (caramel) and other speciality grains and roasted grains
// only a part of it.
enum class GrainKind { base, crystal, roasted };

// The kind of a grain from its name and its colour in EBC: roasted from 500 EBC, or when its name says
// chocolat, noir, torréfié, carafa, black or roast; crystal from 40 EBC below that, or when its name says
// cara, crystal, cristal, caramel or special b; base otherwise.
GrainKind grain_kind(const std::string& designation, double colour_ebc);

// The largest share of the grist (a fraction of the grain weight) that brewers usually give a kind:
// 0.20 for crystal and speciality grains, 0.10 for roasted ones, 1 for base grains.
double usual_share(GrainKind kind);

// "malts caramel", "malts torréfiés" or "malts de base".
std::string kind_name(GrainKind kind);
