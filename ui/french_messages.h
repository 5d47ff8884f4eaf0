// ui/french_messages.h — GTK's own texts (choosers, stock buttons) in French, numbers kept to the "C" rules.
#pragma once

#include <string>

// Sets only the messages category of the locale: the environment's when it is French, else the first French
// locale installed, else the environment's. Numbers, dates and the rest stay "C". Call before gtk_init, after
// gtk_disable_setlocale. Gives the locale taken ("" when none could be set).
std::string use_french_messages();
