#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

// A program started by a test, with its stderr captured. It is killed if it is still
// running when this object goes.
class ChildProcess {
public:
    // Starts program with arguments; variables named in unset are removed from its
    // environment.
    ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                 const std::vector<std::string>& unset = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The wait status once the process has ended, or nothing if it is still running after
    // timeout.
    std::optional<int> waitForExit(std::chrono::milliseconds timeout);

    // Everything the process has written to stderr so far.
    std::string standardError();

private:
    void drainStandardError();

    pid_t m_pid = -1;
    int m_stderrPipe = -1;
    std::optional<int> m_status;
    std::string m_stderr;
};
