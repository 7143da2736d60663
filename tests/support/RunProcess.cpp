#include "tests/support/RunProcess.h"

#include "tests/support/TempDir.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace kilosynth::test {

namespace {

std::string readText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

std::string shellQuote(const std::string& word) {
    std::string quoted = "'";
    for (const char c : word) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

ProcessResult runProcess(const std::string& program, const std::vector<std::string>& arguments) {
    const TempDir capture;
    std::string command = shellQuote(program);
    // Appended piece by piece: `" " + word` trips a false -Wrestrict in GCC 12 at -O3.
    for (const auto& argument : arguments) {
        command += ' ';
        command += shellQuote(argument);
    }
    const auto outPath = capture / "stdout";
    const auto errPath = capture / "stderr";
    command += " >";
    command += shellQuote(outPath.string());
    command += " 2>";
    command += shellQuote(errPath.string());
    command += " </dev/null";

    ProcessResult result;
    const int status = std::system(command.c_str());
    if (status != -1 && WIFEXITED(status)) {
        result.exitStatus = WEXITSTATUS(status);
    }
    result.out = readText(outPath);
    result.err = readText(errPath);
    return result;
}

} // namespace kilosynth::test
