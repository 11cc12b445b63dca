#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <string>

// A path in the test's temporary folder; the file is written with `contents` when given.
inline std::string TempPath(const std::string& name) {
    return testing::TempDir() + name;
}

inline std::string WriteTempFile(const std::string& name, const std::string& contents) {
    const std::string path = TempPath(name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << contents;
    return path;
}
