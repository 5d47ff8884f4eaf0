// ui/water_commands.h — the function-menu commands of the water and the mash pH.
#pragma once

// Asks a mash pH and sets the acid (or acid malt) that reaches it, as one undoable step.
void aim_mash_ph_command();

// Asks the name of a bundled water profile and sets the mash salts that come nearest it, as one undoable
// step.
void aim_water_profile_command();

// Asks the mash pH the brewer measured, keeps it with the recipe, shows the difference from the prediction,
// and offers to keep the mean difference of the brewery's measurements as its correction.
void measured_ph_command();
