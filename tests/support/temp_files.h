#pragma once

#include <chrono>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

// Files in the test's temporary folder, read and written as bytes. CTest runs
// tests in parallel processes: a mark taken once per process keeps their
// files apart.
inline std::string TempPath(const std::string& name) {
    static const std::string process =
        std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
    return ::testing::TempDir() + "datadock_" + process + "_" + name;
}

inline std::string WriteFileBytes(const std::string& name, const std::string& bytes) {
    const std::string path = TempPath(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

inline std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline bool FileExists(const std::string& path) {
    return std::ifstream(path).good();
}
