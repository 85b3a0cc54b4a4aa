// The floor under zeptor-cli json: what the kernel needs to open, read and close the
// same files from the page cache, in a plain loop with one reused buffer. Prints the
// files per second of each pass. Usage: readloop FILE...  or  readloop --files-from LIST
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::vector<std::string> fileNames(int argc, char **argv)
{
    std::vector<std::string> names;
    if (argc == 3 && std::strcmp(argv[1], "--files-from") == 0) {
        FILE *list = std::fopen(argv[2], "r");
        char line[4096];
        while (list && std::fgets(line, sizeof line, list)) {
            line[std::strcspn(line, "\n")] = '\0';
            if (line[0])
                names.emplace_back(line);
        }
        if (list)
            std::fclose(list);
        return names;
    }
    for (int i = 1; i < argc; ++i)
        names.emplace_back(argv[i]);
    return names;
}

// One pass; `untilEnd` reads on until read() returns 0, as a reader that may meet a
// pipe must. Returns the seconds taken, or a negative value when a file failed.
double pass(const std::vector<std::string> &names, bool untilEnd)
{
    static char buffer[64 * 1024];
    const auto start = std::chrono::steady_clock::now();
    for (const std::string &name : names) {
        const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return -1;
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        while (untilEnd && n > 0)
            n = ::read(fd, buffer, sizeof buffer);
        ::close(fd);
        if (n < 0)
            return -1;
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char **argv)
{
    const std::vector<std::string> names = fileNames(argc, argv);
    if (names.empty()) {
        std::fprintf(stderr, "usage: readloop FILE... | readloop --files-from LIST\n");
        return 64;
    }
    pass(names, false); // the page cache and the dentry cache warm
    for (bool untilEnd : {false, true}) {
        double best = 1e9;
        for (int i = 0; i < 5; ++i) {
            const double seconds = pass(names, untilEnd);
            if (seconds < 0) {
                std::fprintf(stderr, "readloop: a file cannot be read\n");
                return 1;
            }
            best = std::min(best, seconds);
        }
        std::printf("%-26s %9.0f files/s\n",
            untilEnd ? "open, read to end, close" : "open, read, close", names.size() / best);
    }
    return 0;
}
