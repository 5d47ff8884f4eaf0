// ui/french_messages.cpp — the messages locale alone: GTK's texts in French, decimal points untouched.
#include "ui/french_messages.h"

#include <clocale>
#include <glib.h>

static std::string try_messages_locale(const char* name)
{
    const char* set = std::setlocale(LC_MESSAGES, name);
    return set ? set : "";
}

static bool is_french(const std::string& locale)
{
    return locale.compare(0, 2, "fr") == 0;
}

std::string use_french_messages()
{
    // The environment's choice first (LC_ALL, LC_MESSAGES, LANG), as setlocale reads it.
    const std::string from_environment = try_messages_locale("");
    if (is_french(from_environment))
        return from_environment;
    for (const char* french : {"fr_FR.UTF-8", "fr_FR.utf8", "fr_BE.UTF-8", "fr_CA.UTF-8", "fr_CH.UTF-8",
                               "fr_LU.UTF-8", "fr_FR", "fr_FR@euro"}) {
        const std::string set = try_messages_locale(french);
        if (!set.empty())
            return set;
    }
    return try_messages_locale("");
}
