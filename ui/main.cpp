// ui/main.cpp — the program entry: French messages with "C" numbers, start GTK, build the window, run.
#include "ui/french_messages.h"
#include "ui/startup.h"

#include <gtk/gtk.h>

int main(int argc, char** argv)
{
    // Numbers are read and written with a decimal point whatever the user's locale says: only the messages
    // category follows the user (or French), so GTK's own buttons and choosers speak French.
    gtk_disable_setlocale();
    use_french_messages();
    gtk_init(&argc, &argv);
    start_up();
    // "cuvelo FILE", as the desktop entry starts it for a file opened from the file manager.
    if (argc > 1)
        open_file_at_start(argv[1]);
    gtk_main();
    return 0;
}
