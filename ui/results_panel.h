// ui/results_panel.h — puts the estimates into the eighteen result labels and the style button.
#pragma once

// Writes the texts of the last evaluation into labels 1 to 18 (markup on), the style button and its picture.
void show_results();

// Evaluates the recipe from scratch, then shows the results.
void refresh_results();
