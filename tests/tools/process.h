// SPDX-License-Identifier: Apache-2.0
// Runs a program as a child process with a pipe on its standard input and its
// standard output and error captured in files.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <signal.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace streamtest {

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class Process {
  public:
    // `env` entries of the form NAME=VALUE are added to the environment;
    // NAME= with an empty value removes NAME.
    Process(const std::vector<std::string>& argv, const std::vector<std::string>& env,
            const std::string& outDir)
        : m_out(outDir + "/stdout"), m_err(outDir + "/stderr") {
        int in[2];
        if (pipe(in) != 0)
            std::abort();
        m_pid = fork();
        if (m_pid == 0) {
            dup2(in[0], 0);
            close(in[0]);
            close(in[1]);
            int out = open(m_out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            int err = open(m_err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            dup2(out, 1);
            dup2(err, 2);
            for (const std::string& entry : env) {
                std::size_t eq = entry.find('=');
                std::string name = entry.substr(0, eq);
                std::string value = entry.substr(eq + 1);
                if (value.empty())
                    unsetenv(name.c_str());
                else
                    setenv(name.c_str(), value.c_str(), 1);
            }
            std::vector<char*> args;
            for (const std::string& arg : argv)
                args.push_back(const_cast<char*>(arg.c_str()));
            args.push_back(nullptr);
            execv(args[0], args.data());
            _exit(127);
        }
        close(in[0]);
        m_stdin = in[1];
    }

    ~Process() {
        closeInput();
        if (m_pid > 0 && !m_waited) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
    }

    // Writes to the child's standard input; false when the child stopped reading.
    bool write(const void* data, std::size_t size) {
        signal(SIGPIPE, SIG_IGN);
        const char* p = static_cast<const char*>(data);
        while (size > 0) {
            ssize_t n = ::write(m_stdin, p, size);
            if (n <= 0)
                return false;
            p += n;
            size -= std::size_t(n);
        }
        return true;
    }

    pid_t pid() const { return m_pid; }

    void closeInput() {
        if (m_stdin >= 0)
            close(m_stdin);
        m_stdin = -1;
    }

    // Exit status, or 128 + signal number.
    int wait() {
        closeInput();
        int status = 0;
        waitpid(m_pid, &status, 0);
        m_waited = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    std::string out() const { return readFile(m_out); }
    std::string err() const { return readFile(m_err); }

  private:
    pid_t m_pid = -1;
    int m_stdin = -1;
    bool m_waited = false;
    std::string m_out;
    std::string m_err;
};

struct Result {
    int status;
    std::string out;
    std::string err;
};

inline Result run(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                  const std::string& outDir, const std::string& input = std::string()) {
    Process process(argv, env, outDir);
    process.write(input.data(), input.size());
    int status = process.wait();
    return {status, process.out(), process.err()};
}

} // namespace streamtest
