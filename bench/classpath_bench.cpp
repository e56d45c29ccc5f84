// Times getDirJars against a bare opendir/readdir loop over the same folder.
//
// usage: classpath_bench DIR ROUNDS
// Prints "entries=N builder_us=T listing_us=T classpath_bytes=N", the times
// being medians over ROUNDS alternating rounds.

// The launcher's own source, with its entry points renamed out of the way.
#define main korvel_main
#define WinMain korvel_WinMain
#include "main.cpp"
#undef main
#undef WinMain

#include <algorithm>
#include <vector>

static double now_us()
{
    static LARGE_INTEGER frequency;
    if (!frequency.QuadPart) QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart * 1e6 / frequency.QuadPart;
}

// Reads what the builder reads: every entry and its name.
static size_t bareListing(const char* dir)
{
    size_t bytes = 0;
    DIR* listing = opendir(dir);
    if (!listing) return 0;
    while (struct dirent* entry = readdir(listing)) bytes += strlen(entry->d_name) + 1;
    closedir(listing);
    return bytes;
}

static size_t countEntries(const char* dir)
{
    size_t n = 0;
    DIR* listing = opendir(dir);
    if (!listing) return 0;
    while (readdir(listing)) ++n;
    closedir(listing);
    return n;
}

static double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

int main(int argc, char** argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: classpath_bench DIR ROUNDS\n");
        return 2;
    }
    const char* dir = argv[1];
    int rounds = atoi(argv[2]);
    std::vector<double> builder, listing;
    size_t classPathBytes = 0, listedBytes = 0;
    for (int i = 0; i < rounds; ++i) {
        for (int which = 0; which < 2; ++which) {
            bool builderFirst = i % 2 == 0;
            double t0 = now_us();
            if ((which == 0) == builderFirst)
                classPathBytes = getDirJars(dir).size();
            else
                listedBytes += bareListing(dir);
            double t = now_us() - t0;
            ((which == 0) == builderFirst ? builder : listing).push_back(t);
        }
    }
    printf("entries=%u builder_us=%.1f listing_us=%.1f classpath_bytes=%u\n", (unsigned)countEntries(dir),
           median(builder), median(listing), (unsigned)classPathBytes);
    return listedBytes ? 0 : 1;
}
