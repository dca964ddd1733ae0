#include "child_process.h"

#include <QProcessEnvironment>

namespace {

QString fromStd(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                           const Options& options) {
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    for (const std::string& name : options.unset) {
        variables.remove(fromStd(name));
    }
    for (const auto& [name, value] : options.set) {
        variables.insert(fromStd(name), fromStd(value));
    }
    QStringList argumentList;
    argumentList.reserve(static_cast<qsizetype>(arguments.size()));
    for (const std::string& argument : arguments) {
        argumentList.append(fromStd(argument));
    }
    m_process.setProcessEnvironment(variables);
    m_process.setStandardOutputFile(QProcess::nullDevice());
    if (!options.standardErrorFile.empty()) {
        m_process.setStandardErrorFile(fromStd(options.standardErrorFile));
    }
    if (!options.workingDirectory.empty()) {
        m_process.setWorkingDirectory(fromStd(options.workingDirectory));
    }
    m_process.start(fromStd(program), argumentList);
    if (!m_process.waitForStarted()) {
        m_stderr =
            "could not start " + program + ": " + m_process.errorString().toStdString() + "\n";
    }
}

ChildProcess::~ChildProcess() {
    stop();
}

void ChildProcess::stop() {
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished();
    }
}

std::optional<ChildProcess::Ending> ChildProcess::waitForExit(std::chrono::milliseconds timeout) {
    if (m_process.state() != QProcess::NotRunning &&
        !m_process.waitForFinished(static_cast<int>(timeout.count()))) {
        return std::nullopt;
    }
    if (m_process.error() == QProcess::FailedToStart) {
        return std::nullopt;
    }
    return Ending{m_process.exitStatus() == QProcess::NormalExit, m_process.exitCode()};
}

std::string ChildProcess::standardError() {
    m_stderr += m_process.readAllStandardError().toStdString();
    return m_stderr;
}
