#pragma once

// The settings file lives beside the executable, so tests that touch it run from a
// private copy of their executable in a fresh temp folder. Call first thing in main:
// in the original process it runs the copy with the same arguments, removes the folder
// and returns true with the copy's exit code; in the copy it returns false.
bool RunFromPrivateCopy(int argc, char** argv, int& exitCode);

// The whole main of a test program that touches the settings file: runs the tests in
// a private copy.
int RunTestsFromPrivateCopy(int argc, char** argv);

// The folder of the running executable, without a trailing backslash.
const char* ExecutableFolder();

// The folder the test executable was built in, also when running from a private copy.
const char* OriginalFolder();

// Sets the process up for unattended tests: no error dialogs, a crash ends the
// process with a line on standard output.
void PrepareUnattendedProcess();
