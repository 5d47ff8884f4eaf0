// ui/main.cpp — the program entry: keep the "C" locale, start GTK, build the window, run the main loop.
#include "ui/startup.h"

#include <gtk/gtk.h>

int main()
{
    // Numbers are read and written with a decimal point whatever the user's locale says.
    gtk_disable_setlocale();
    gtk_init(nullptr, nullptr);
    start_up();
    gtk_main();
    return 0;
}
