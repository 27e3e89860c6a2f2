#pragma once

#include <unistd.h>

#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

// Files in the test's temporary folder, read and written as bytes. CTest runs
// tests in parallel processes: the process id keeps their files apart.
inline std::string TempPath(const std::string& name) {
    return ::testing::TempDir() + "datadock_" + std::to_string(::getpid()) + "_" + name;
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
