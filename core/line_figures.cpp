// core/line_figures.cpp — reads a recipe line's texts into numbers by the table of core/line_figures.h.
#include "core/line_figures.h"

#include "core/quantity.h"
#include "core/text.h"

// Sets the amount, and the weight it stands for in the line's unit.
static void set_amount(LineFigures& f, double amount)
{
    f.amount = amount;
    f.litres = f.unit == Unit::litre ? amount : f.unit == Unit::millilitre ? litres_of_ml(amount) : 0;
    // Both weights come from the one number written, so that neither is rounded from the other.
    switch (f.unit) {
    case Unit::kilogram:
        f.kg = amount;
        f.grams = grams_of_kg(amount);
        break;
    case Unit::gram:
        f.grams = amount;
        f.kg = kg_of_grams(amount);
        break;
    default:
        f.kg = 0;
        f.grams = 0;
        break;
    }
}

LineFigures with_amount(LineFigures f, double amount)
{
    set_amount(f, amount);
    return f;
}

LineFigures with_quantity(LineFigures f, const std::string& quantity)
{
    f.unit = unit_of(quantity);
    set_amount(f, text_to_number(quantity));
    return f;
}

// True when the table reads the line's time.
static bool has_minutes(Category category, Step step)
{
    return is_hop(category) || category == Category::other_addition || category == Category::other ||
           is_boil_step(step);
}

LineFigures brewing_figures_of(const RecipeLine& line)
{
    LineFigures f;
    f.category = category_of(line.category);
    f.step = step_of(line.step);
    f.unit = unit_of(line.quantity);
    set_amount(f, text_to_number(line.quantity));
    const bool fermentable = is_fermentable(f.category);
    const bool hop = is_hop(f.category);
    f.colour_ebc = fermentable ? text_to_number(line.value) : 0;
    f.alpha_percent = hop ? text_to_number(line.value) : 0;
    f.extract_percent = fermentable ? text_to_number(line.yield) : 0;
    f.attenuation_percent = f.category == Category::yeast ? text_to_number(line.yield) : 0;
    f.minutes = has_minutes(f.category, f.step) ? text_to_number(line.time) : 0;
    f.price_unit = Unit::none;
    f.price = 0;
    return f;
}

LineFigures figures_of(const RecipeLine& line)
{
    LineFigures f = brewing_figures_of(line);
    f.price_unit = unit_of(line.price);
    f.price = text_to_number(line.price);
    return f;
}
