// Strings and arrays against plain baselines measured in the same run. Each
// figure is the best of several runs of the library's operation divided by
// the best of several runs of the baseline: 1.0 is as fast as the baseline.
#include <TqCommon.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

const int kRuns = 16;
const int kFileRuns = 40;  // the system's file work varies more from run to run

double Seconds()
{
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Time(const std::function<void()>& run)
{
    const double start = Seconds();
    run();
    return Seconds() - start;
}

// Keeps results alive so that no work is optimised away.
volatile unsigned long long g_sink;

// The two are run in turns, each going first every other time, so that a
// busy moment of the machine (or the system still writing out the other's
// file) falls on both alike; the best time of each is kept.
void Report(const char* name, double limit, const std::function<void()>& library,
            const std::function<void()>& baseline, int runs = kRuns)
{
    double libraryTime = 1e30;
    double baselineTime = 1e30;
    for (int i = 0; i < runs; ++i) {
        if (i % 2)
            libraryTime = (std::min)(libraryTime, Time(library));
        baselineTime = (std::min)(baselineTime, Time(baseline));
        if (i % 2 == 0)
            libraryTime = (std::min)(libraryTime, Time(library));
    }
    const double ratio = libraryTime / baselineTime;
    std::printf("%-44s %8.3f ms vs %8.3f ms  ratio %5.2f (limit %.1f) %s\n", name,
                libraryTime * 1e3, baselineTime * 1e3, ratio, limit,
                ratio <= limit ? "ok" : "OVER");
}

// 1 MiB of varied single-byte text.
std::string MegabyteText()
{
    std::string text(1u << 20, ' ');
    unsigned int state = 12345;
    for (char& c : text) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>('a' + (state >> 16) % 26);
    }
    return text;
}

void Appending()
{
    const char* pieces[] = {"ab", "cde", "f", "ghij"};
    const int count = 1000000;
    Report(
        "+= of 10^6 short pieces / std::string", 1.3,
        [&] {
            CTqString s;
            for (int i = 0; i < count; ++i)
                s += pieces[i & 3];
            g_sink = g_sink + s.GetSize();
        },
        [&] {
            std::string s;
            for (int i = 0; i < count; ++i)
                s += pieces[i & 3];
            g_sink = g_sink + s.size();
        });
}

void Searching()
{
    std::string text = MegabyteText();
    const char needle[] = "needle!";
    text.replace(text.size() - 100, sizeof needle - 1, needle);
    const CTqString s(text.c_str());
    const auto baseline = [&] {
        g_sink = g_sink + static_cast<unsigned long long>(std::strstr(text.c_str(), needle) - text.c_str());
    };
    Report("Find of a late match in 1 MiB / strstr", 1.5,
           [&] { g_sink = g_sink + s.Find(needle, 0, 0); }, baseline);
    Report("FindSB of a late match in 1 MiB / strstr", 1.5,
           [&] { g_sink = g_sink + s.FindSB(needle, 0); }, baseline);
}

void Replacing()
{
    std::string text = MegabyteText();
    for (size_t i = 0; i + 2 < text.size(); i += 16)
        text.replace(i, 2, "ab");
    const char find[] = "ab";
    const char replace[] = "xyz";
    Report(
        "ReplaceStr of all matches in 1 MiB / loop", 1.5,
        [&] {
            CTqString s(text.c_str());
            g_sink = g_sink + s.ReplaceStr(find, replace, 1, 0);
        },
        [&] {
            std::string s(text);
            std::string out;
            size_t last = 0;
            for (size_t i = s.find(find); i != std::string::npos; i = s.find(find, last)) {
                out.append(s, last, i - last);
                out += replace;
                last = i + 2;
            }
            out.append(s, last, std::string::npos);
            s = out;
            g_sink = g_sink + s.size();
        });
}

void ReadingValues()
{
    std::string text;
    for (int i = 0; i < 1000000; ++i)
        text += std::to_string(i * 37 % 100000 - 50000) + ",";
    const CTqString s(text.c_str());
    std::vector<int> values(1000000);
    Report(
        "GetInts of 10^6 numbers / strtol loop", 2.0,
        [&] {
            s.GetInts(values.data(), static_cast<unsigned int>(values.size()), ",");
            g_sink = g_sink + static_cast<unsigned int>(values.back());
        },
        [&] {
            const char* p = text.c_str();
            for (int& value : values) {
                char* end = nullptr;
                value = static_cast<int>(std::strtol(p, &end, 10));
                p = end + 1;
            }
            g_sink = g_sink + static_cast<unsigned int>(values.back());
        });
}

void Files()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string libraryPath = std::string(temp) + "tqbench_library.bin";
    const std::string rawPath = std::string(temp) + "tqbench_raw.bin";
    const unsigned int size = 64u << 20;
    CTqArray<char, 2> bytes(size);
    std::memset(bytes.GetBuffer(), 'x', size);
    std::vector<char> raw(size, 'x');

    Report(
        "WriteFile of 64 MiB / raw WriteFile", 1.1,
        [&] { bytes.WriteFile(libraryPath.c_str(), 0, 0); },
        [&] {
            HANDLE file = CreateFileA(rawPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      0, nullptr);
            DWORD written = 0;
            ::WriteFile(file, raw.data(), size, &written, nullptr);
            CloseHandle(file);
        },
        kFileRuns);
    Report(
        "ReadFile of 64 MiB / raw ReadFile", 1.1,
        [&] { bytes.ReadFile(libraryPath.c_str(), 0, nullptr); },
        [&] {
            HANDLE file = CreateFileA(libraryPath.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
            DWORD read = 0;
            ::ReadFile(file, raw.data(), GetFileSize(file, nullptr), &read, nullptr);
            CloseHandle(file);
        },
        kFileRuns);
    DeleteFileA(libraryPath.c_str());
    DeleteFileA(rawPath.c_str());
}

}  // namespace

int main()
{
    Appending();
    Searching();
    Replacing();
    ReadingValues();
    Files();
    return 0;
}
