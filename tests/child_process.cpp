#include "child_process.h"

#include <array>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                           const std::vector<std::string>& unset) {
    std::vector<std::string> environment;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string entry(*variable);
        const std::string name = entry.substr(0, entry.find('='));
        bool keep = true;
        for (const std::string& removed : unset) {
            keep = keep && name != removed;
        }
        if (keep) {
            environment.push_back(entry);
        }
    }
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    argv.reserve(arguments.size() + 2);
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    std::vector<char*> envp;
    envp.reserve(environment.size() + 1);
    for (std::string& entry : environment) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);

    std::array<int, 2> pipeEnds{};
    if (pipe2(pipeEnds.data(), O_CLOEXEC) != 0) {
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDERR_FILENO);
    if (posix_spawn(&m_pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0) {
        m_pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    m_stderrPipe = pipeEnds[0];
    // Read while waiting, so that a chatty program never blocks on a full pipe.
    fcntl(m_stderrPipe, F_SETFL, O_NONBLOCK);
}

ChildProcess::~ChildProcess() {
    if (m_pid > 0 && !m_status) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
    if (m_stderrPipe >= 0) {
        close(m_stderrPipe);
    }
}

std::optional<int> ChildProcess::waitForExit(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (m_pid > 0 && !m_status) {
        drainStandardError();
        int status = 0;
        if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_status = status;
        } else if (std::chrono::steady_clock::now() > deadline) {
            break;
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    return m_status;
}

void ChildProcess::drainStandardError() {
    std::array<char, 4096> buffer{};
    ssize_t got = 0;
    while (m_stderrPipe >= 0 && (got = read(m_stderrPipe, buffer.data(), buffer.size())) > 0) {
        m_stderr.append(buffer.data(), static_cast<std::size_t>(got));
    }
}

std::string ChildProcess::standardError() {
    drainStandardError();
    return m_stderr;
}
