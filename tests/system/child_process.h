#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <QProcess>

// Changes to the environment the program inherits, and where it runs.
struct ChildProcessOptions {
    std::vector<std::string> unset{};
    std::vector<std::pair<std::string, std::string>> set{};
    std::string workingDirectory{};  // the test's own if empty
    std::string standardErrorFile{}; // for a chatty program; then nothing is captured
};

// A program started by a test, with its stderr captured. It is killed if it is still
// running when this object goes. A program that cannot be started says so in its stderr.
class ChildProcess {
public:
    using Options = ChildProcessOptions;

    // How the program ended: by exit with a status, or by a signal.
    struct Ending {
        bool exited = false;
        int code = 0; // the exit status, or the signal
    };

    ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                 const Options& options = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Kills the process if it is still running, and waits for it to end.
    void stop();

    // How the process ended, or nothing if it is still running after timeout.
    std::optional<Ending> waitForExit(std::chrono::milliseconds timeout);

    // Everything the process has written to stderr so far.
    std::string standardError();

    long long processId() const { return m_process.processId(); }
    bool running() const { return m_process.state() != QProcess::NotRunning; }

private:
    QProcess m_process;
    std::string m_stderr;
};
