#pragma once
// What the list scanner tests share: a folder of files of their own, values and sub-keys of
// their own in the real list keys (removed after, the keys themselves left in place because
// other tests may use them at the same time), and a scan engine with a collecting host.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "engine/scan_engine.h"
#include "base/unique_handles.h"
#include "tests/support/collecting_scan_host.h"
#include "tests/support/list_keys_lock.h"

class ScopedListValue {
public:
    ScopedListValue(HKEY root, const char* key, std::string name, const std::string& data, DWORD type = REG_SZ)
        : root_(root), key_(key), name_(std::move(name)) {
        RegSetKeyValueA(root_, key_, name_.c_str(), type, data.c_str(), static_cast<DWORD>(data.size() + 1));
    }
    ScopedListValue(HKEY root, const char* key, std::string name, DWORD number)
        : root_(root), key_(key), name_(std::move(name)) {
        RegSetKeyValueA(root_, key_, name_.c_str(), REG_DWORD, &number, sizeof(number));
    }
    ScopedListValue(const ScopedListValue&) = delete;
    ScopedListValue& operator=(const ScopedListValue&) = delete;
    ~ScopedListValue() { RegDeleteKeyValueA(root_, key_, name_.c_str()); }
    const std::string& Name() const { return name_; }

private:
    HKEY root_;
    const char* key_;
    std::string name_;
};

// A sub-key below a list key, with a default value unless none is given.
class ScopedListSubKey {
public:
    ScopedListSubKey(HKEY root, const std::string& path) : root_(root), path_(path) {
        HKEY key = nullptr;
        RegCreateKeyExA(root_, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        if (key) RegCloseKey(key);
    }
    ScopedListSubKey(HKEY root, const std::string& path, const std::string& defaultValue)
        : ScopedListSubKey(root, path) {
        RegSetKeyValueA(root_, path_.c_str(), nullptr, REG_SZ, defaultValue.c_str(),
                        static_cast<DWORD>(defaultValue.size() + 1));
    }
    ScopedListSubKey(const ScopedListSubKey&) = delete;
    ScopedListSubKey& operator=(const ScopedListSubKey&) = delete;
    ~ScopedListSubKey() { RegDeleteTreeA(root_, path_.c_str()); }
    const std::string& Path() const { return path_; }

private:
    HKEY root_;
    std::string path_;
};

class ListScannerTest : public ::testing::Test {
protected:
    ListScannerTest() : engine(host) { engine.ResetRunning(); }

    void SetUp() override {
        testName_ = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        root_ = "C:\\TidrexTests\\" + testName_;
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }

    std::string At(const std::string& relative) const { return root_ + "\\" + relative; }
    std::string MakeFile(const std::string& path) const {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path) << "x";
        return path;
    }
    // A value or sub-key name that belongs to this test only.
    std::string Unique(const std::string& suffix) const { return "TidrexTest" + testName_ + suffix; }

    ListKeysLock lock;
    CollectingScanHost host;
    ScanEngine engine;

private:
    std::string testName_;
    std::string root_;
};
