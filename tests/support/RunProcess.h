#pragma once

#include <string>
#include <vector>

namespace kilosynth::test {

struct ProcessResult {
    int exitStatus = -1; // -1 when the process did not exit normally
    std::string out;
    std::string err;
};

// Runs a program with arguments (each quoted for the shell), capturing its
// exit status, standard output and standard error.
ProcessResult runProcess(const std::string& program, const std::vector<std::string>& arguments);

// Quotes a word for the POSIX shell.
std::string shellQuote(const std::string& word);

} // namespace kilosynth::test
