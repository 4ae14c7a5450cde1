// SPDX-License-Identifier: Apache-2.0
// Runs a fuzz target's entry point over files and folders of inputs: the committed seed
// corpus and the inputs of crashes found before, replayed by ctest in every build.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <dirent.h>
#include <sys/stat.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) __attribute__((weak));

namespace {

// The regular files at path: the file itself, or those in the folder, in name order. A
// missing path (a target without regressions yet) has none.
std::vector<std::string> inputFiles(const std::string& path) {
    std::vector<std::string> files;
    struct stat info;
    if (stat(path.c_str(), &info) != 0)
        return files;
    if (S_ISREG(info.st_mode)) {
        files.push_back(path);
        return files;
    }
    if (DIR* dir = opendir(path.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            const std::string file = path + "/" + entry->d_name;
            if (stat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode))
                files.push_back(file);
        }
        closedir(dir);
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

int main(int argc, char** argv) {
    if (LLVMFuzzerInitialize != nullptr)
        LLVMFuzzerInitialize(&argc, &argv);
    int count = 0;
    for (int i = 1; i < argc; ++i) {
        for (const std::string& file : inputFiles(argv[i])) {
            std::ifstream in(file, std::ios::binary);
            const std::vector<uint8_t> data{std::istreambuf_iterator<char>(in),
                                            std::istreambuf_iterator<char>()};
            std::printf("%s\n", file.c_str());
            std::fflush(stdout);
            LLVMFuzzerTestOneInput(data.data(), data.size());
            ++count;
        }
    }
    std::printf("%d inputs replayed\n", count);
    return count > 0 ? 0 : 1;
}
