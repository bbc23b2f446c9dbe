// The program's entry point: the game in its GTK window.
#include "framework/GtkBackend.h"
#include "shell/Globals.h"

#include <climits>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

// The pictures and the read-me are found beside the program, wherever it
// was started from: the directory comes from the running process itself.
void EnterProgramDirectory() {
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return;
    std::string dir(path, static_cast<size_t>(n));
    const size_t slash = dir.rfind('/');
    if (slash == std::string::npos) return;
    dir.resize(slash == 0 ? 1 : slash);
    if (chdir(dir.c_str()) != 0) std::perror("thornvale: cannot enter the program's directory");
}

}  // namespace

int main() {
    EnterProgramDirectory();
    std::string error;
    std::unique_ptr<Backend> backend = CreateGtkBackend(error);
    if (!backend) {
        std::fprintf(stderr, "thornvale: %s\n", error.c_str());
        return 1;
    }
    SetBackend(std::move(backend));
    StartThornvale();
    // The game's hook consumes every event, so this only keeps the window
    // alive; the program ends through End() in the hook.
    for (;;) WaitEvent();
}
