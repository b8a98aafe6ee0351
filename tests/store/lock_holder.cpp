// A second process for the lock tests: locks a whole file the way another
// program on the network would, says "locked", and keeps the lock until a line
// arrives on stdin (or 60 s pass, so a store call that waits for the lock
// instead of failing shows up as a wrong result, not as a hung test).
//
//   store_lock_holder <path> ofd-read|ofd-write|posix-read|posix-write

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <path> ofd-read|ofd-write|posix-read|posix-write\n", argv[0]);
        return 2;
    }
    const std::string mode = argv[2];
    const bool ofd = mode.rfind("ofd-", 0) == 0;
    const bool write = mode.size() > 5 && mode.compare(mode.size() - 5, 5, "write") == 0;
    if (!ofd && mode.rfind("posix-", 0) != 0) {
        std::fprintf(stderr, "unknown mode %s\n", mode.c_str());
        return 2;
    }

    const int fd = ::open(argv[1], write ? O_RDWR : O_RDONLY);
    if (fd < 0) {
        std::fprintf(stderr, "open %s: %s\n", argv[1], std::strerror(errno));
        return 1;
    }
    struct flock fl { };
    fl.l_type = write ? F_WRLCK : F_RDLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = 0;
    fl.l_len = 0;
    if (::fcntl(fd, ofd ? F_OFD_SETLK : F_SETLK, &fl) != 0) {
        std::fprintf(stderr, "lock %s: %s\n", argv[1], std::strerror(errno));
        return 1;
    }
    std::fputs("locked\n", stdout);
    std::fflush(stdout);

    pollfd in{STDIN_FILENO, POLLIN, 0};
    ::poll(&in, 1, 60000);
    ::close(fd);
    return 0;
}
