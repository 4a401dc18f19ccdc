// A folder of its own for each history test, removed afterwards, and what the tests read of it.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "History.h"

namespace quorbit1::test {

class HistoryFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device entropy;
        const auto base = std::filesystem::temp_directory_path();
        for (int attempt = 0; attempt < 100 && m_dir.empty(); ++attempt) {
            const auto dir = base / ("quorbit1-history-" + std::to_string(entropy()));
            if (std::filesystem::create_directory(dir)) {
                m_dir = dir.generic_string();
            }
        }
        ASSERT_FALSE(m_dir.empty());
        m_path = m_dir + "/deeper/quorbit1/history";
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::string FileText() const {
        std::ifstream in(m_path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::ptrdiff_t FilesInFolder() const {
        return std::distance(
            std::filesystem::directory_iterator(std::filesystem::path(m_path).parent_path()), {});
    }
    void WriteFile(const std::string& bytes) const {
        std::filesystem::create_directories(std::filesystem::path(m_path).parent_path());
        std::ofstream(m_path, std::ios::binary) << bytes;
    }

    std::string m_dir;
    std::string m_path;
};

}  // namespace quorbit1::test
