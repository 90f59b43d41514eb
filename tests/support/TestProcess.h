#pragma once
#include <string>

// Sets the process up for unattended tests: no error dialogs, a crash ends the
// process with a line on standard output.
void PrepareUnattendedProcess();

// The folder of the running test executable, without a trailing backslash.
const char* ExecutableFolder();

// The folder this test program's settings file lives in: a fresh one of its own, or the
// one named by --settings-folder=FOLDER (a volume the full-disk case may fill).
const std::string& SettingsFolder();

// The whole main of every test program: its windows on a desktop of its own, the settings
// file in a folder of its own, removed at the end.
int RunTests(int argc, char** argv);
