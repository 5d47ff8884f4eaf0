// ui/main.cpp — the program entry: keep the "C" locale, start GTK, build the window, run the main loop.
#include "ui/startup.h"

#include <gtk/gtk.h>

int main(int argc, char** argv)
{
    // Numbers are read and written with a decimal point whatever the user's locale says.
    gtk_disable_setlocale();
    gtk_init(&argc, &argv);
    start_up();
    // "cuvelo FILE", as the desktop entry starts it for a file opened from the file manager.
    if (argc > 1)
        open_file_at_start(argv[1]);
    gtk_main();
    return 0;
}
