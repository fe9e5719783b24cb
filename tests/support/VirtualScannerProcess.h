#pragma once

#include <chrono>
#include <csignal>
#include <optional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

// Runs scanlore-vscanner for a test: reads its stdout line by line with
// time limits, and stops it (by its own process id) when the test is done.
class VirtualScannerProcess
{
public:
    VirtualScannerProcess(const std::string& program, const std::vector<std::string>& arguments)
    {
        int out[2];
        if (pipe2(out, O_CLOEXEC) != 0)
            return;
        std::vector<std::string> all{program};
        all.insert(all.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (auto& argument : all)
            argv.push_back(argument.data());
        argv.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        if (posix_spawn(&m_pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        m_out = out[0];
    }
    VirtualScannerProcess(const VirtualScannerProcess&) = delete;
    VirtualScannerProcess& operator=(const VirtualScannerProcess&) = delete;
    ~VirtualScannerProcess()
    {
        if (m_pid > 0 && !m_status) {
            kill(m_pid, SIGTERM);
            int status = 0;
            waitpid(m_pid, &status, 0);
        }
        if (m_out >= 0)
            close(m_out);
    }

    bool Started() const { return m_pid > 0; }

    // The next line of output, or nothing when none comes within the time.
    std::optional<std::string> NextLine(std::chrono::milliseconds timeout = std::chrono::seconds(10))
    {
        auto deadline = std::chrono::steady_clock::now() + timeout;
        for (;;) {
            auto end = m_buffer.find('\n');
            if (end != std::string::npos) {
                std::string line = m_buffer.substr(0, end);
                m_buffer.erase(0, end + 1);
                return line;
            }
            auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0 || m_out < 0)
                return std::nullopt;
            pollfd input{m_out, POLLIN, 0};
            if (poll(&input, 1, static_cast<int>(left.count())) <= 0)
                continue;
            if (!ReadOutput())
                return std::nullopt;
        }
    }

    // Lines up to and including the first that contains text.
    std::vector<std::string> LinesUntil(const std::string& text,
                                        std::chrono::milliseconds timeout = std::chrono::seconds(10))
    {
        std::vector<std::string> lines;
        while (auto line = NextLine(timeout)) {
            lines.push_back(*line);
            if (line->find(text) != std::string::npos)
                break;
        }
        return lines;
    }

    // The exit status, or nothing if the program is still running after the
    // time. The program's output ends when the program does, so the wait is
    // for the end of the output; what comes before it is kept for NextLine.
    std::optional<int> Wait(std::chrono::milliseconds timeout = std::chrono::seconds(10))
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!m_outputEnded && m_out >= 0) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            pollfd input{m_out, POLLIN, 0};
            if (left.count() <= 0 || poll(&input, 1, static_cast<int>(left.count())) <= 0)
                break;
            ReadOutput();
        }
        if (!m_status && m_pid > 0 && m_outputEnded) {
            int status = 0;
            if (waitpid(m_pid, &status, 0) == m_pid)
                m_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        return m_status;
    }

private:
    // Adds what the program has written to the buffer; false once its
    // output has ended.
    bool ReadOutput()
    {
        char chunk[4096];
        const ssize_t n = read(m_out, chunk, sizeof chunk);
        if (n <= 0) {
            m_outputEnded = true;
            return false;
        }
        m_buffer.append(chunk, static_cast<std::size_t>(n));
        return true;
    }

    pid_t m_pid = -1;
    int m_out = -1;
    std::string m_buffer;
    std::optional<int> m_status;
    bool m_outputEnded = false;
};
