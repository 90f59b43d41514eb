#pragma once
#include <string>

// Registers extension (".tav") in the test prefix as a file type whose "open" and "edit"
// verbs run program with the verb and the quoted file: "program" open "file". Left
// registered afterwards: suites run side by side in one prefix.
bool RegisterVerbsFileType(const std::string& extension, const std::string& program);
