// Forking a benchmark child, reading its result lines and reporting how it ended.
#include "bench/ChildRun.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

CChildRun::SResult CChildRun::Run(unsigned timeoutSeconds, const std::function<void(FILE*)>& body) {
    SResult result;
    int fds[2];
    if (pipe(fds) != 0) {
        result.failure = std::string("pipe: ") + std::strerror(errno);
        return result;
    }
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t pid = fork();
    if (pid < 0) {
        result.failure = std::string("fork: ") + std::strerror(errno);
        close(fds[0]);
        close(fds[1]);
        return result;
    }
    if (pid == 0) {
        close(fds[0]);
        FILE* out = fdopen(fds[1], "w");
        if (!out)
            _exit(3);
        setvbuf(out, nullptr, _IOLBF, 0);
        alarm(timeoutSeconds);
        body(out);
        std::fclose(out);
        std::fflush(stderr);
        // No destructors or toolkit teardown: the child's figures are already out.
        _exit(0);
    }
    close(fds[1]);
    std::string pending;
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(fds[0], buffer, sizeof(buffer));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        pending.append(buffer, static_cast<size_t>(n));
        size_t eol;
        while ((eol = pending.find('\n')) != std::string::npos) {
            result.lines.push_back(pending.substr(0, eol));
            pending.erase(0, eol + 1);
        }
    }
    close(fds[0]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFSIGNALED(status)) {
        const int sig = WTERMSIG(status);
        result.failure = sig == SIGALRM ? "stopped after " + std::to_string(timeoutSeconds) + " s"
                                        : std::string("killed by ") + strsignal(sig);
    } else if (WIFEXITED(status) && WEXITSTATUS(status) != 0) {
        result.failure = "exited with status " + std::to_string(WEXITSTATUS(status));
    }
    return result;
}
