// refdata/configuration.h — reads "./bases/configuration.txt" into the settings.
#pragma once

// Reads the eighteen keys; a missing file leaves every setting at 0 or empty.
void load_configuration();
