// GlypheryConvert's list, extract and check: the icons and cursors of files
// read with the suite's own readers, printed in columns or as JSON.
#pragma once

// True for the words that name one of these commands.
bool IsToolboxCommand(const char *word);
// Runs the command argv[1] with the words after it; returns the exit code.
int RunToolbox(int argc, char **argv);
// The converter's --help adds what the other commands are.
void PrintToolboxCommands();
