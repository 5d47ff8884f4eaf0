// recipe/formats/beerxml_brewtarget.cpp — Brewtarget's own reading of its BeerXML figures. It takes YIELD as
// the dry grain's and counts the extract of YIELD × (1 − MOISTURE); it counts its density, colour and
// bitterness over the wort at the end of the boil, which BATCH_SIZE leaves short by the trub and chiller
// loss. Cuvelo's final volume is that end-of-boil wort, and its yields are the grain as it is weighed.
#include "recipe/formats/beerxml_brewtarget.h"

#include "core/text.h"

#include <glib.h>

#include <cmath>

namespace
{

const XmlNode* child(const XmlNode& node, const char* tag)
{
    for (const XmlNode& c : node.children)
        if (c.tag == tag)
            return &c;
    return nullptr;
}

// The litres an element of the equipment states, a plain decimal as Brewtarget writes them; 0 when it is
// missing, unreadable or out of reason.
double equipment_litres(const XmlNode& recipe_node, const char* tag)
{
    const XmlNode* equipment = child(recipe_node, "EQUIPMENT");
    const XmlNode* element = equipment ? child(*equipment, tag) : nullptr;
    if (!element)
        return 0;
    const char* start = element->text.c_str();
    char* end = nullptr;
    const double litres = g_ascii_strtod(start, &end);
    if (end == start || !std::isfinite(litres))
        return 0;
    return litres > 0 && litres < 1e4 ? litres : 0;
}

} // namespace

bool written_by_brewtarget(const XmlNode& recipe_node)
{
    const XmlNode* signature = child(recipe_node, "ASST_BREWER");
    if (!signature)
        return false;
    const char* text = signature->text.c_str();
    while (g_ascii_isspace(*text))
        text++;
    return g_ascii_strncasecmp(text, "Brewtarget", 10) == 0;
}

void read_brewtarget_figures(const XmlNode& recipe_node, ForeignRecipe& recipe)
{
    size_t moist = 0;
    for (ForeignFermentable& f : recipe.fermentables) {
        if (f.moisture > 0 && f.moisture < 100) {
            f.yield *= 1 - f.moisture / 100;
            moist++;
        }
    }
    if (moist > 0)
        add_correction(
            recipe.corrections, recipe.more_corrections,
            "fichier de Brewtarget : rendement de " + std::to_string(moist) +
                " malt(s) et sucre(s) diminué de leur humidité (MOISTURE), comme Brewtarget compte "
                "leur extrait");
    const double loss = equipment_litres(recipe_node, "TRUB_CHILLER_LOSS");
    if (loss > 0 && recipe.batch_size > 0) {
        const double batch = recipe.batch_size;
        recipe.batch_size = batch + loss;
        add_correction(recipe.corrections, recipe.more_corrections,
                       "fichier de Brewtarget : volume final de " + format_decimals(recipe.batch_size, 2) +
                           " L, BATCH_SIZE " + format_decimals(batch, 2) + " L et TRUB_CHILLER_LOSS " +
                           format_decimals(loss, 2) +
                           " L : le moût en fin d'ébullition, sur lequel Brewtarget compte ses estimations");
    }
}
