#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <string>
#include <string_view>
#include <vector>

#include "support/fixture_server.h"

extern char** environ;

namespace orvanix::test {

// What one run of a program gave.
struct CliRun {
    int status = -1;  // exit status; -1 when it did not exit normally
    std::string out;
    std::string err;
};

// Runs `program` with `args`, ORVANIX_ENDPOINTS set to `endpointsFile` and the
// rest of this process's environment; its output goes through files in `workDir`.
inline CliRun runProgram(std::string program, const std::vector<std::string>& args,
                         const std::string& endpointsFile, const std::string& workDir) {
    std::vector<std::string> env{"ORVANIX_ENDPOINTS=" + endpointsFile};
    for (char** e = environ; *e; ++e) {
        if (std::string_view(*e).rfind("ORVANIX_ENDPOINTS=", 0) != 0) env.emplace_back(*e);
    }
    std::vector<char*> envp, argv{program.data()};
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::vector<std::string> owned(args);
    for (auto& a : owned) argv.push_back(a.data());
    argv.push_back(nullptr);

    const std::string outPath = workDir + "/out.txt", errPath = workDir + "/err.txt";
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&files, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    pid_t pid = 0;
    CliRun result;
    if (posix_spawn(&pid, program.c_str(), &files, nullptr, argv.data(), envp.data()) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&files);
    result.out = readWholeFile(outPath).value_or("");
    result.err = readWholeFile(errPath).value_or("");
    return result;
}

}  // namespace orvanix::test
