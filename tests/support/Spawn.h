#pragma once

// Starting another program from a test or a benchmark, its arguments and environment
// given as strings. It gets this process's environment with the given variables
// ("NAME=value") in place of those of the same name: a shell or a script that reads
// its environment sees the value given, not the one this process had.
//
//     const pid_t pid = SpawnProgram({ program }, { "DISPLAY=" + server.display });
//     const bool clicked = RunProgram({ "xdotool", "click", "1" }, { "DISPLAY=:5" });

#include <spawn.h>
#include <string>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

// This process's environment with the variables given set.
inline std::vector<std::string> EnvironmentWith(const std::vector<std::string>& variables)
{
    std::vector<std::string> environment = variables;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('=') + 1);
        bool given = false;
        for (const std::string& variable : variables)
            given = given || variable.compare(0, name.size(), name) == 0;
        if (!given)
            environment.push_back(entry);
    }
    return environment;
}

// Starts args[0] (looked up on the path unless it names a file) with the rest as its
// arguments; its process id, or -1 when it could not be started. actions may set up its
// standard files.
inline pid_t SpawnProgram(std::vector<std::string> args, const std::vector<std::string>& variables = {},
    const posix_spawn_file_actions_t* actions = nullptr)
{
    if (args.empty())
        return -1;
    std::vector<std::string> environment = EnvironmentWith(variables);
    std::vector<char*> argv, envp;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    for (std::string& e : environment)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_t pid = -1;
    return posix_spawnp(&pid, argv[0], actions, nullptr, argv.data(), envp.data()) == 0 ? pid : -1;
}

// Runs the program to its end; true when it exited with 0.
inline bool RunProgram(const std::vector<std::string>& args, const std::vector<std::string>& variables = {})
{
    const pid_t pid = SpawnProgram(args, variables);
    int status = 0;
    return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
