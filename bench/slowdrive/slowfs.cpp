// A drive that has stopped answering, as a network share does when its server
// goes away: a FUSE file system in which every request waits a long time
// (five seconds unless told) before it answers. It holds one folder, "games",
// with one file.
//
//   slowfs MOUNTPOINT [--delay-ms=N]       (stays in the foreground)
#define FUSE_USE_VERSION 31

#include <fuse.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include <sys/stat.h>

namespace {

long delayMs = 5000;

void waitALongTime()
{
    const timespec delay = {delayMs / 1000, (delayMs % 1000) * 1000000L};
    nanosleep(&delay, nullptr);
}

int slow_getattr(const char *path, struct stat *info, fuse_file_info *file)
{
    (void)file;
    waitALongTime();
    memset(info, 0, sizeof *info);
    if (strcmp(path, "/") == 0 || strcmp(path, "/games") == 0) {
        info->st_mode = S_IFDIR | 0755;
        info->st_nlink = 2;
        return 0;
    }
    if (strcmp(path, "/games/game.exe") == 0) {
        info->st_mode = S_IFREG | 0644;
        info->st_nlink = 1;
        return 0;
    }
    return -ENOENT;
}

int slow_readdir(const char *path, void *buffer, fuse_fill_dir_t fill, off_t offset,
                 fuse_file_info *file, enum fuse_readdir_flags flags)
{
    (void)offset;
    (void)file;
    (void)flags;
    waitALongTime();
    const char *entry = strcmp(path, "/") == 0        ? "games"
                        : strcmp(path, "/games") == 0 ? "game.exe"
                                                      : nullptr;
    if (!entry)
        return -ENOENT;
    fill(buffer, ".", nullptr, 0, fuse_fill_dir_flags{});
    fill(buffer, "..", nullptr, 0, fuse_fill_dir_flags{});
    fill(buffer, entry, nullptr, 0, fuse_fill_dir_flags{});
    return 0;
}

int slow_opendir(const char *path, fuse_file_info *file)
{
    (void)path;
    (void)file;
    waitALongTime();
    return 0;
}

int slow_open(const char *path, fuse_file_info *file)
{
    (void)path;
    (void)file;
    waitALongTime();
    return -EACCES;
}

fuse_operations operations()
{
    fuse_operations slow{};
    slow.getattr = slow_getattr;
    slow.open = slow_open;
    slow.opendir = slow_opendir;
    slow.readdir = slow_readdir;
    return slow;
}

} // namespace

int main(int argc, char *argv[])
{
    // Our own option first; the rest goes to FUSE, in the foreground.
    const char *args[10];
    int count = 0;
    for (int i = 0; i < argc && count < 6; ++i) {
        if (strncmp(argv[i], "--delay-ms=", 11) == 0)
            delayMs = atol(argv[i] + 11);
        else
            args[count++] = argv[i];
    }
    // Nothing cached by the kernel: every look answers late.
    args[count++] = "-o";
    args[count++] = "attr_timeout=0,entry_timeout=0,negative_timeout=0";
    args[count++] = "-f";
    args[count] = nullptr;
    const fuse_operations slow = operations();
    return fuse_main(count, const_cast<char **>(args), &slow, nullptr);
}
