// Kills a process that keeps saving the settings file with SIGKILL at random
// moments and checks after every kill that the file holds one of the two
// complete texts it alternates between, never a partial or empty one.
//
//   settings_kill_test [kills] [seed]      run the test (default 500 kills)
//   settings_kill_test --writer PATH FD    the saving process (internal)

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <thread>

#include "core/app/settings_file.h"

namespace {

using velmarin::ChartSettings;

// Two complete settings that differ on every line, so a mix of both shows.
ChartSettings FirstSettings() { return ChartSettings{}; }

ChartSettings SecondSettings() {
    ChartSettings settings;
    settings.codeByDiameter = 1;
    settings.displayMode = velmarin::DisplayMode::Twilight;
    settings.latitude = -0.5;
    settings.longitude = 2.75;
    settings.timeZoneHours = -9.5;
    settings.windowWidth = 640;
    settings.windowHeight = 480;
    return settings;
}

std::string ReadWhole(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

[[noreturn]] void RunWriter(const std::filesystem::path& path, int readyFd) {
    const ChartSettings first = FirstSettings();
    const ChartSettings second = SecondSettings();
    bool announced = false;
    for (;;) {
        if (!velmarin::SaveSettings(path, second).ok() || !velmarin::SaveSettings(path, first).ok()) _exit(3);
        if (!announced) {
            // From here on every moment is somewhere inside a save.
            const char byte = 1;
            if (write(readyFd, &byte, 1) != 1) _exit(4);
            close(readyFd);
            announced = true;
        }
    }
}

int CountTemporaryFiles(const std::filesystem::path& folder) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().string().rfind(".Velmarin.ini.", 0) == 0) ++count;
    return count;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc == 4 && std::string(argv[1]) == "--writer") RunWriter(argv[2], std::atoi(argv[3]));

    const int kills = argc > 1 ? std::atoi(argv[1]) : 500;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10))
                                   : std::random_device{}();
    std::printf("seed %u\n", seed);
    std::mt19937 random(seed);
    // Saves take from tens of microseconds to a few milliseconds (fsync); cover that span.
    std::uniform_int_distribution<int> delayMicroseconds(0, 3000);

    char folderPattern[] = "/tmp/velmarin-kill-XXXXXX";
    if (!mkdtemp(folderPattern)) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::filesystem::path folder = folderPattern;
    const std::filesystem::path path = folder / "Velmarin.ini";
    const std::string firstText = velmarin::FormatSettingsText(FirstSettings());
    const std::string secondText = velmarin::FormatSettingsText(SecondSettings());
    if (!velmarin::SaveSettings(path, FirstSettings()).ok()) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return 1;
    }

    int survived = 0;
    int sawFirst = 0;
    int sawSecond = 0;
    for (int round = 0; round < kills; ++round) {
        int ready[2];
        if (pipe(ready) != 0) {
            std::perror("pipe");
            return 1;
        }
        const pid_t child = fork();
        if (child < 0) {
            std::perror("fork");
            return 1;
        }
        if (child == 0) {
            close(ready[0]);
            const std::string fd = std::to_string(ready[1]);
            execl("/proc/self/exe", argv[0], "--writer", path.c_str(), fd.c_str(),
                  static_cast<char*>(nullptr));
            _exit(5);
        }
        close(ready[1]);
        char byte = 0;
        const bool started = read(ready[0], &byte, 1) == 1;
        close(ready[0]);
        if (started) std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        if (!started || !WIFSIGNALED(status) || WTERMSIG(status) != SIGKILL) {
            std::fprintf(stderr, "round %d: the writer ended by itself (status %d)\n", round, status);
            return 1;
        }

        const std::string text = ReadWhole(path);
        if (text == firstText) {
            ++sawFirst;
        } else if (text == secondText) {
            ++sawSecond;
        } else {
            std::fprintf(stderr, "round %d: the file holds %zu bytes of neither text:\n%s\n", round,
                         text.size(), text.c_str());
            return 1;
        }
        ++survived;
    }

    const int leftovers = CountTemporaryFiles(folder);
    std::printf("kills survived: %d of %d (old text %d, new text %d); %d unfinished temporary files\n",
                survived, kills, sawFirst, sawSecond, leftovers);
    std::filesystem::remove_all(folder);
    // Both texts must have been seen, or the kills never landed between two saves.
    return survived == kills && sawFirst > 0 && sawSecond > 0 ? 0 : 1;
}
